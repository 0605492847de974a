#pragma once
// The command line of tolvane-verify, read with CLI11.

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::cli {

enum class Format { Gcc, Json, Sarif };

struct Options {
  std::string programFolder = ".";
  std::string missionsFolder;
  bool missionsFolderGiven = false;
  Format format = Format::Gcc;
  unsigned jobs = 1;  // the number of cores unless given
  std::uint64_t maxSize = std::uint64_t(1) << 30;
  std::vector<std::string> arguments;  // files and folders, in the order given
};

// What reading the command line came to.
struct ParseOutcome {
  bool run = false;  // false: print text and exit with status
  int status = 0;
  std::string out;  // for standard output (help, version)
  std::string err;  // for standard error (a usage error)
};

ParseOutcome ParseCommandLine(int argc, char** argv, Options& options);

// A size in bytes, with an optional K, M or G (powers of 1024). False for
// anything else, for 0 and for a size past 2^62.
bool ParseSize(const std::string& text, std::uint64_t& size);

}  // namespace tolvane::cli
