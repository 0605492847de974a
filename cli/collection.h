#pragma once
// The missions a command line names: each FILE as given, each FOLDER as
// every *.mis below it.

#include <string>
#include <vector>

namespace tolvane::cli {

struct Collection {
  std::vector<std::string> files;  // in argument order; a folder's files sorted
  // A folder (or one below it) that could not be listed: its name and the reason.
  struct Problem {
    std::string folder;
    std::string reason;
  };
  std::vector<Problem> problems;
  bool hadFolder = false;
};

// A name ends in ".mis" in any case.
bool IsMissionName(const std::string& name);

// Expands the arguments: "-" and anything that is not a folder stay as they
// are (the reader refuses what it cannot read); a folder becomes the ordinary
// files below it (in it and in every folder below, symbolic links to folders
// not followed) whose names end in ".mis" in any case, sorted by their path
// bytes so the order is the same on every run.
Collection CollectMissions(const std::vector<std::string>& arguments);

}  // namespace tolvane::cli
