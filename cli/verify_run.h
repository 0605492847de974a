#pragma once
// Verifying the files of one command line: each file on its own, with a
// MissionState of its own, on as many threads as asked; the results are
// handed over in the order of the files.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "options.h"
#include "verifier_environment.h"

namespace tolvane::cli {

struct FileOutcome {
  enum class Kind { Verified, Failed, Unreadable };
  std::string file;
  Kind kind = Kind::Unreadable;
  std::string reason;   // why it could not be read
  int code = 0;         // ErrNo
  int line = 0;         // LineNo
  int column = 1;       // where the statement in error begins on its line
  std::string message;  // ErrMsg, 8-bit text
  std::string report;   // its line of the gcc or JSON output, without line end
};

// Reads and verifies one file, and makes its report line in the format.
FileOutcome VerifyFile(const std::string& file, const VerifierEnvironment& environment, Format format,
                       std::uint64_t maxSize);

// Runs work(i) for i = 0 .. count-1 on up to jobs threads and calls take(i,
// outcome) on the calling thread in the order 0, 1, 2, ... as the outcomes
// are ready. When take answers false no further work starts and the run
// returns once the work under way has ended.
void RunInOrder(std::size_t count, unsigned jobs, const std::function<FileOutcome(std::size_t)>& work,
                const std::function<bool(std::size_t, FileOutcome&&)>& take);

}  // namespace tolvane::cli
