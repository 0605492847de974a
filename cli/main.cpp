// tolvane-verify: verifies mission files from the command line, with the same
// verifier the editor's Verify command runs. It only reads the missions it is
// given; nothing is written or deleted.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "file_reader.h"
#include "mission_state.h"
#include "names.h"
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
    "Usage: tolvane-verify [--program-folder DIR] [--missions-folder DIR] [--json] [--max-size N] FILE...\n"
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
    "  --max-size N           refuse a mission larger than N bytes (a suffix K, M\n"
    "                         or G counts 1024, 1048576 or 1073741824 bytes;\n"
    "                         default 1G)\n"
    "  --help                 print this help and exit\n"
    "  --version              print the version and exit\n"
    "\n"
    "Output, one line per file:\n"
    "  FILE: ok\n"
    "  FILE:LINE:COL: error: MESSAGE [CODE]\n"
    "\n"
    "Exit status: 0 when every file verifies, 1 when a mission has an error,\n"
    "2 for a usage error, a file that cannot be read (missing, no ordinary\n"
    "file, too large) or a report that cannot be written.\n"
    "The mission files are only read, never changed.\n";

struct Options {
  std::string programFolder = ".";
  std::string missionsFolder;
  bool missionsFolderGiven = false;
  bool json = false;
  std::uint64_t maxSize = tolvane::DefaultMaxFileBytes;
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

// A size in bytes, with an optional K, M or G (powers of 1024). False for
// anything else, for 0 and for a size past 2^62.
bool ParseSize(const std::string& text, std::uint64_t& size) {
  std::uint64_t value = 0;
  std::size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > (std::uint64_t(1) << 62)) return false;
  }
  if (i == 0) return false;
  int shift = 0;
  if (i + 1 == text.size()) {
    switch (text[i]) {
      case 'K': case 'k': shift = 10; break;
      case 'M': case 'm': shift = 20; break;
      case 'G': case 'g': shift = 30; break;
      default: return false;
    }
  } else if (i != text.size()) {
    return false;
  }
  if (value == 0 || value > ((std::uint64_t(1) << 62) >> shift)) return false;
  size = value << shift;
  return true;
}

// The mission bytes of one FILE argument. "-" is the standard input, read to
// its end within the bound; anything else must be an ordinary file, so a
// pipe or a device is refused at once and never waited for.
tolvane::ReadResult ReadMissionArgument(const std::string& file, std::string& bytes, std::uint64_t maxSize) {
  if (file == "-") return tolvane::ReadDescriptorBytes(STDIN_FILENO, bytes, maxSize);
  return tolvane::ReadFileBytes(file, bytes, maxSize);
}

// Standard output, written with the system's own calls so that a failed
// write (a full disk, a closed output) is seen at once with its reason.
class ReportOutput {
 public:
  // Writes the text whole; false, with the reason kept, when it cannot.
  bool Write(const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
      const ssize_t n = ::write(STDOUT_FILENO, text.data() + written, text.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? std::strerror(errno) : "nothing written";
        return false;
      }
      written += static_cast<std::size_t>(n);
    }
    return true;
  }
  const std::string& Error() const { return error_; }

 private:
  std::string error_;
};

void Warn(const std::string& message) { std::cerr << kProgram << ": warning: " << message << "\n"; }

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
    if (OptionValue(argument, "--max-size", i, argc, argv, value, missing)) {
      if (missing) return UsageError("option '--max-size' needs a size");
      if (!ParseSize(value, options.maxSize)) return UsageError("invalid size " + tolvane::cli::QuotedName(value));
      continue;
    }
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
    return UsageError("unknown option " + tolvane::cli::QuotedName(argument));
  }
  if (options.files.empty()) return UsageError("no mission file given");

  // A reader that has gone away makes a failed write, not the end of the program.
  ::signal(SIGPIPE, SIG_IGN);
  using tolvane::cli::QuotedName;

  // The program folder: the type names, and the missions folder unless given.
  tolvane::TypeNameList typeNames;
  const std::string typeNamesPath = JoinPath(options.programFolder, "ObjectNames.Txt");
  const tolvane::ReadResult typeNamesRead = tolvane::LoadTypeNames(typeNames, typeNamesPath);
  if (!typeNames.TypeNamesLoaded) {
    Warn("cannot read " + QuotedName(typeNamesPath) + ": " + typeNamesRead.Reason +
         ": no type names, so type name checks will fail");
  }
  if (!options.missionsFolderGiven) {
    const std::string settingsPath = JoinPath(options.programFolder, "Tolvane.INI");
    tolvane::SettingsFileContents settings;
    const tolvane::SettingsFileResult settingsRead = tolvane::ReadSettingsFile(settingsPath, settings, nullptr);
    if (!settingsRead.File.Ok()) {
      Warn("cannot read " + QuotedName(settingsPath) + ": " + settingsRead.File.Reason +
           ": the missions folder is empty");
    } else if (!settingsRead.Settings.MissionFolderUsable) {
      Warn(QuotedName(settingsPath) + " holds no usable missions folder line: the missions folder is empty");
    } else {
      // A relative missions folder is taken from the program folder, the
      // folder the editor itself runs in.
      std::string folder = settings.MissionFolder;
      if (folder[0] != '/') folder = JoinPath(options.programFolder, folder);
      options.missionsFolder = folder;
    }
  }
  const tolvane::MissionFolderEnvironment environment(typeNames, options.missionsFolder);

  ReportOutput output;
  int status = 0;
  for (const std::string& file : options.files) {
    std::string report;
    bool missionOk = false;
    try {
      std::string text;
      const tolvane::ReadResult read = ReadMissionArgument(file, text, options.maxSize);
      if (!read.Ok()) {
        std::cerr << kProgram << ": cannot read " << QuotedName(file) << ": " << read.Reason << "\n";
        status = 2;
        continue;
      }
      // The mission is read once; the verifier works on these bytes, and an
      // error is placed in them.
      auto state = std::make_unique<tolvane::MissionState>();
      const tolvane::VerifyResult result = tolvane::VerifyMissionBytes(*state, environment, text);
      report = options.json ? tolvane::cli::JsonReport(file, *state, result)
                            : tolvane::cli::PlainReport(file, *state, result, text);
      missionOk = result.MissionOk;
    } catch (const std::bad_alloc&) {
      std::cerr << kProgram << ": cannot verify " << QuotedName(file) << ": too large for the memory available\n";
      status = 2;
      continue;
    }
    if (!output.Write(report + "\n")) {
      std::cerr << kProgram << ": cannot write the report: " << output.Error() << "\n";
      return 2;
    }
    if (!missionOk && status == 0) status = 1;
  }
  return status;
}
