// tolvane-verify: verifies mission files and whole folders of them from the
// command line, with the same verifier the editor's Verify command runs. It
// only reads the missions it is given; nothing is written or deleted.

#include <malloc.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "collection.h"
#include "names.h"
#include "options.h"
#include "sarif.h"
#include "verifier_environment.h"
#include "verify_run.h"

namespace {

using tolvane::cli::FileOutcome;
using tolvane::cli::Format;
using tolvane::cli::QuotedName;

const char kProgram[] = "tolvane-verify";

void Say(const std::string& message) { std::cerr << kProgram << ": " << message << "\n"; }

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

// Says on standard error what the program folder lacked.
void WarnAboutProgramFolder(const tolvane::ProgramFolderReading& reading) {
  if (!reading.TypeNames.Ok()) {
    Say("warning: cannot read " + QuotedName(reading.TypeNamesPath) + ": " + reading.TypeNames.Reason +
        ": no type names, so type name checks will fail");
  }
  if (!reading.SettingsConsulted) return;
  if (!reading.Settings.Ok()) {
    Say("warning: cannot read " + QuotedName(reading.SettingsPath) + ": " + reading.Settings.Reason +
        ": the missions folder is empty");
  } else if (reading.MissionFolderUnusable) {
    Say("warning: " + QuotedName(reading.SettingsPath) +
        " holds no usable missions folder line: the missions folder is empty");
  }
}

std::string CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  return ::getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string("/");
}

}  // namespace

int main(int argc, char** argv) {
  tolvane::cli::Options options;
  const tolvane::cli::ParseOutcome parsed = tolvane::cli::ParseCommandLine(argc, argv, options);
  if (!parsed.run) {
    std::cerr << parsed.err;
    if (!parsed.out.empty()) {
      ReportOutput output;
      if (!output.Write(parsed.out)) {
        Say("cannot write: " + output.Error());
        return 2;
      }
    }
    return parsed.status;
  }
  // A reader that has gone away makes a failed write, not the end of the program.
  ::signal(SIGPIPE, SIG_IGN);
  // Each verification allocates and frees its own state and text; memory
  // freed by one file is kept for the next instead of going back to the
  // system and being faulted in again, which cost more than the verifying
  // itself on a folder of missions.
  ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
  ::mallopt(M_TRIM_THRESHOLD, 128 << 20);

  tolvane::ProgramFolderReading reading;
  const tolvane::MissionFolderEnvironment environment = tolvane::LoadProgramFolder(
      options.programFolder, options.missionsFolderGiven ? &options.missionsFolder : nullptr, reading);
  WarnAboutProgramFolder(reading);

  const tolvane::cli::Collection collection = tolvane::cli::CollectMissions(options.arguments);
  int status = 0;
  for (const auto& problem : collection.problems) {
    Say("cannot read folder " + QuotedName(problem.folder) + ": " + problem.reason);
    status = 2;
  }

  ReportOutput output;
  bool writeFailed = false;
  std::size_t verified = 0, failed = 0, unreadable = 0;
  std::vector<FileOutcome> kept;  // for the one SARIF log at the end
  const std::vector<std::string>& files = collection.files;
  tolvane::cli::RunInOrder(
      files.size(), options.jobs,
      [&](std::size_t i) { return tolvane::cli::VerifyFile(files[i], environment, options.format, options.maxSize); },
      [&](std::size_t, FileOutcome&& outcome) {
        switch (outcome.kind) {
          case FileOutcome::Kind::Verified: ++verified; break;
          case FileOutcome::Kind::Failed: ++failed; break;
          case FileOutcome::Kind::Unreadable: ++unreadable; break;
        }
        if (outcome.kind == FileOutcome::Kind::Unreadable) {
          Say("cannot read " + QuotedName(outcome.file) + ": " + outcome.reason);
        } else if (options.format != Format::Sarif && !output.Write(outcome.report + "\n")) {
          writeFailed = true;
          return false;
        }
        if (options.format == Format::Sarif) {
          outcome.report.clear();
          kept.push_back(std::move(outcome));
        }
        return true;
      });
  if (!writeFailed && options.format == Format::Sarif) {
    writeFailed = !output.Write(tolvane::cli::SarifLog(kept, CurrentFolder()) + "\n");
  }
  if (writeFailed) {
    Say("cannot write the report: " + output.Error());
    return 2;
  }
  if (files.size() > 1 || collection.hadFolder) {
    Say(std::to_string(files.size()) + (files.size() == 1 ? " file, " : " files, ") + std::to_string(verified) +
        " verified, " + std::to_string(failed) + " failed, " + std::to_string(unreadable) + " unreadable");
  }
  if (unreadable > 0) status = 2;
  if (status == 0 && failed > 0) status = 1;
  return status;
}
