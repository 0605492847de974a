// tolvane-verify: verifies mission files from the command line, with the same
// verifier the editor's Verify command runs. It only reads the missions it is
// given; nothing is written or deleted.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "file_reader.h"
#include "mission_state.h"
#include "report.h"
#include "settings_file.h"
#include "type_names.h"
#include "verifier_environment.h"
#include "verify.h"

#ifndef TOLVANE_VERSION
#define TOLVANE_VERSION "1.2.3.1"
#endif

namespace {

const char kProgram[] = "tolvane-verify";

const char kUsage[] =
    "Usage: tolvane-verify [--program-folder DIR] [--missions-folder DIR] [--json] FILE...\n"
    "A FILE of - is the standard input.\n";

const char kHelp[] =
    "Verifies Skyrend mission files (.mis) and reports the first error of each.\n"
    "\n"
    "Options:\n"
    "  --program-folder DIR   folder holding ObjectNames.Txt and Tolvane.INI\n"
    "                         (default: the current folder)\n"
    "  --missions-folder DIR  folder in which missions named by \".LOADNEXTMISSION\"\n"
    "                         must exist (default: the missions folder line of\n"
    "                         Tolvane.INI, taken relative to the program folder)\n"
    "  --json                 print one JSON object per file, with the verdict,\n"
    "                         the error state and every collected table\n"
    "  --help                 print this help and exit\n"
    "  --version              print the version and exit\n"
    "\n"
    "Output, one line per file:\n"
    "  FILE: ok\n"
    "  FILE:LINE:COL: error: MESSAGE [CODE]\n"
    "\n"
    "Exit status: 0 when every file verifies, 1 when a mission has an error,\n"
    "2 for a usage error or a file that cannot be read.\n"
    "The mission files are only read, never changed.\n";

struct Options {
  std::string programFolder = ".";
  std::string missionsFolder;
  bool missionsFolderGiven = false;
  bool json = false;
  std::vector<std::string> files;
};

int UsageError(const std::string& message) {
  std::cerr << kProgram << ": " << message << "\n" << kUsage
            << "Try 'tolvane-verify --help' for more information.\n";
  return 2;
}

// Takes the value of an option written "--name VALUE" or "--name=VALUE".
// Answers false when the argument is not that option.
bool OptionValue(const std::string& argument, const std::string& name, int& index, int argc, char** argv,
                 std::string& value, bool& missing) {
  missing = false;
  if (argument == name) {
    if (index + 1 >= argc) {
      missing = true;
      return true;
    }
    value = argv[++index];
    return true;
  }
  const std::string prefix = name + "=";
  if (argument.compare(0, prefix.size(), prefix) == 0) {
    value = argument.substr(prefix.size());
    return true;
  }
  return false;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// The mission bytes of one FILE argument. "-" is the standard input. A pipe
// or terminal the user names is read to its end too (the core itself reads
// only ordinary files); a folder or a missing file is refused with its reason.
tolvane::ReadResult ReadMissionArgument(const std::string& file, std::string& bytes) {
  if (file == "-") return tolvane::ReadDescriptorBytes(STDIN_FILENO, bytes);
  tolvane::ReadResult result = tolvane::ReadFileBytes(file, bytes);
  struct stat info {};
  if (result.Status != tolvane::ReadStatus::NotOrdinary || ::stat(file.c_str(), &info) != 0 ||
      !(S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
    return result;
  }
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return tolvane::ReadResult{tolvane::ReadStatus::Unreadable, std::strerror(errno)};
  result = tolvane::ReadDescriptorBytes(fd, bytes);
  ::close(fd);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      options.files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      std::cout << kUsage << kHelp;
      return 0;
    }
    if (argument == "--version") {
      std::cout << kProgram << " " << TOLVANE_VERSION << "\n";
      return 0;
    }
    if (argument == "--json") {
      options.json = true;
      continue;
    }
    std::string value;
    bool missing = false;
    if (OptionValue(argument, "--program-folder", i, argc, argv, value, missing)) {
      if (missing) return UsageError("option '--program-folder' needs a folder");
      options.programFolder = value;
      continue;
    }
    if (OptionValue(argument, "--missions-folder", i, argc, argv, value, missing)) {
      if (missing) return UsageError("option '--missions-folder' needs a folder");
      options.missionsFolder = value;
      options.missionsFolderGiven = true;
      continue;
    }
    return UsageError("unknown option '" + argument + "'");
  }
  if (options.files.empty()) return UsageError("no mission file given");

  // The program folder: the type names, and the missions folder unless given.
  tolvane::TypeNameList typeNames;
  const std::string typeNamesPath = JoinPath(options.programFolder, "ObjectNames.Txt");
  const tolvane::ReadResult typeNamesRead = tolvane::LoadTypeNames(typeNames, typeNamesPath);
  if (!typeNames.TypeNamesLoaded) {
    std::cerr << kProgram << ": warning: cannot read '" << typeNamesPath << "': " << typeNamesRead.Reason
              << ": no type names, so type name checks will fail\n";
  }
  if (!options.missionsFolderGiven) {
    const std::string settingsPath = JoinPath(options.programFolder, "Tolvane.INI");
    tolvane::SettingsFileContents settings;
    const tolvane::SettingsFileResult settingsRead = tolvane::ReadSettingsFile(settingsPath, settings, nullptr);
    if (settingsRead.File.Ok()) {
      // A relative missions folder is taken from the program folder, the
      // folder the editor itself runs in.
      std::string folder = settings.MissionFolder;
      if (!folder.empty() && folder[0] != '/') folder = JoinPath(options.programFolder, folder);
      options.missionsFolder = folder;
    } else {
      std::cerr << kProgram << ": warning: cannot read '" << settingsPath << "': " << settingsRead.File.Reason
                << ": the missions folder is empty\n";
    }
  }
  const tolvane::MissionFolderEnvironment environment(typeNames, options.missionsFolder);

  int status = 0;
  for (const std::string& file : options.files) {
    std::string text;
    const tolvane::ReadResult read = ReadMissionArgument(file, text);
    if (!read.Ok()) {
      std::cout.flush();
      std::cerr << kProgram << ": cannot read '" << file << "': " << read.Reason << "\n";
      status = 2;
      continue;
    }
    // The mission is read once; the verifier works on these bytes, and an
    // error is placed in them.
    auto state = std::make_unique<tolvane::MissionState>();
    const tolvane::VerifyResult result = tolvane::VerifyMissionBytes(*state, environment, text);
    if (options.json) {
      std::cout << tolvane::cli::JsonReport(file, *state, result) << "\n";
    } else {
      std::cout << tolvane::cli::PlainReport(file, *state, result, text) << "\n";
    }
    std::cout.flush();
    if (!result.MissionOk && status == 0) status = 1;
  }
  return status;
}
