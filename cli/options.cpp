#include "options.h"

#include <CLI/CLI.hpp>

#include <thread>

#include "names.h"

#ifndef TOLVANE_VERSION
#define TOLVANE_VERSION "1.2.3.1"
#endif

namespace tolvane::cli {

namespace {

const char kUsage[] =
    "Usage: tolvane-verify [--program-folder DIR] [--missions-folder DIR] [--json] [--format FORMAT]\n"
    "                      [--jobs N] [--max-size N] FILE|FOLDER...\n"
    "A FILE of - is the standard input; a FOLDER stands for every *.mis below it.\n";

const char kHelp[] =
    "Verifies Skyrend mission files (.mis) and reports the first error of each.\n"
    "\n"
    "Options:\n"
    "  --program-folder DIR   folder holding ObjectNames.Txt and Tolvane.INI\n"
    "                         (default: the current folder)\n"
    "  --missions-folder DIR  folder in which missions named by \".LOADNEXTMISSION\"\n"
    "                         must exist (default: the missions folder line of\n"
    "                         Tolvane.INI, taken relative to the program folder)\n"
    "  --format FORMAT        gcc (default): one line per file;\n"
    "                         json: one JSON object per file, with the verdict,\n"
    "                         the error state and every collected table;\n"
    "                         sarif: one SARIF 2.1.0 log for all the files\n"
    "  --json                 the same as --format=json\n"
    "  -j, --jobs N           verify N files at a time (default: the number of\n"
    "                         cores); the output keeps the order of the files\n"
    "  --max-size N           refuse a mission larger than N bytes (a suffix K, M\n"
    "                         or G counts 1024, 1048576 or 1073741824 bytes;\n"
    "                         default 1G)\n"
    "  --help                 print this help and exit\n"
    "  --version              print the version and exit\n"
    "\n"
    "A FOLDER is searched with every folder below it for files whose name ends\n"
    "in .mis (in any case), verified in sorted order. With more than one file,\n"
    "a summary line goes to standard error.\n"
    "\n"
    "Output, one line per file:\n"
    "  FILE: ok\n"
    "  FILE:LINE:COL: error: MESSAGE [CODE]\n"
    "\n"
    "Exit status: 0 when every file verifies, 1 when a mission has an error,\n"
    "2 for a usage error, a file that cannot be read (missing, no ordinary\n"
    "file, too large) or a report that cannot be written.\n"
    "The mission files are only read, never changed.\n";

ParseOutcome UsageError(const std::string& message) {
  ParseOutcome outcome;
  outcome.status = 2;
  outcome.err = "tolvane-verify: " + message + "\n" + kUsage + "Try 'tolvane-verify --help' for more information.\n";
  return outcome;
}

}  // namespace

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

ParseOutcome ParseCommandLine(int argc, char** argv, Options& options) {
  CLI::App app("Verifies Skyrend mission files", "tolvane-verify");
  // Help and version are ours, so their text is the one above.
  app.set_help_flag();
  // As with most tools, an option given twice takes its last value.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  bool help = false;
  bool version = false;
  bool json = false;
  std::string format;
  std::string maxSize;
  unsigned jobs = 0;
  app.add_flag("-h,--help", help);
  app.add_flag("--version", version);
  app.add_option("--program-folder", options.programFolder);
  CLI::Option* missions = app.add_option("--missions-folder", options.missionsFolder);
  app.add_flag("--json", json);
  app.add_option("--format", format)->check(CLI::IsMember({"gcc", "json", "sarif"}));
  app.add_option("-j,--jobs", jobs)->check(CLI::Range(1u, 1024u));
  app.add_option("--max-size", maxSize);
  app.add_option("files", options.arguments);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what());
  }
  if (help) {
    ParseOutcome outcome;
    outcome.out = std::string(kUsage) + kHelp;
    return outcome;
  }
  if (version) {
    ParseOutcome outcome;
    outcome.out = "tolvane-verify " TOLVANE_VERSION "\n";
    return outcome;
  }
  options.missionsFolderGiven = missions->count() > 0;
  if (json && !format.empty() && format != "json") return UsageError("--json and --format=" + format + " disagree");
  options.format = format == "sarif" ? Format::Sarif : (json || format == "json") ? Format::Json : Format::Gcc;
  if (!maxSize.empty() || app.count("--max-size") > 0) {
    if (!ParseSize(maxSize, options.maxSize)) return UsageError("invalid size " + QuotedName(maxSize));
  }
  options.jobs = jobs > 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
  if (options.arguments.empty()) return UsageError("no mission file given");
  ParseOutcome outcome;
  outcome.run = true;
  return outcome;
}

}  // namespace tolvane::cli
