#include "verify_run.h"

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "error_location.h"
#include "file_reader.h"
#include "mission_state.h"
#include "report.h"
#include "verify.h"

namespace tolvane::cli {

FileOutcome VerifyFile(const std::string& file, const VerifierEnvironment& environment, Format format,
                       std::uint64_t maxSize) {
  FileOutcome outcome;
  outcome.file = file;
  try {
    // "-" is the standard input, read to its end; anything else must be an
    // ordinary file, so a pipe or a device is refused at once, and is mapped
    // rather than copied.
    MappedFile mission;
    const ReadResult read =
        file == "-" ? mission.OpenDescriptor(STDIN_FILENO, maxSize) : mission.Open(file, maxSize);
    if (!read.Ok()) {
      outcome.reason = read.Reason;
      return outcome;
    }
    // The mission is read once; the verifier works on these bytes, and an
    // error is placed in them while they are still guarded.
    auto state = std::make_unique<MissionState>();
    const VerifyResult verified =
        VerifyMappedFile(*state, environment, mission, [&](std::string_view text, const VerifyResult& result) {
          if (!result.MissionOk) outcome.column = StatementColumn(LineOfText(text, state->LineNo), result.LocateText);
          if (format == Format::Json) outcome.report = JsonReport(file, *state, result);
          if (format == Format::Gcc) outcome.report = PlainReport(file, *state, result, text);
        });
    if (!verified.File.Ok()) {
      outcome = FileOutcome();
      outcome.file = file;
      outcome.reason = verified.File.Reason;
      return outcome;
    }
    outcome.kind = verified.MissionOk ? FileOutcome::Kind::Verified : FileOutcome::Kind::Failed;
    outcome.code = state->ErrNo;
    outcome.line = state->LineNo;
    outcome.message = state->ErrMsg;
  } catch (const std::bad_alloc&) {
    outcome = FileOutcome();
    outcome.file = file;
    outcome.reason = "too large for the memory available";
  }
  return outcome;
}

void RunInOrder(std::size_t count, unsigned jobs, const std::function<FileOutcome(std::size_t)>& work,
                const std::function<bool(std::size_t, FileOutcome&&)>& take) {
  if (jobs <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!take(i, work(i))) return;
    }
    return;
  }
  std::mutex mutex;
  std::condition_variable ready;
  std::vector<std::optional<FileOutcome>> outcomes(count);
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  auto worker = [&] {
    for (;;) {
      const std::size_t i = next.fetch_add(1);
      if (i >= count || stop.load()) return;
      FileOutcome outcome = work(i);
      {
        std::lock_guard<std::mutex> lock(mutex);
        outcomes[i] = std::move(outcome);
      }
      ready.notify_all();
    }
  };
  std::vector<std::thread> threads;
  const std::size_t threadCount = std::min<std::size_t>(jobs, count);
  for (std::size_t t = 0; t < threadCount; ++t) threads.emplace_back(worker);
  for (std::size_t i = 0; i < count; ++i) {
    FileOutcome outcome;
    {
      std::unique_lock<std::mutex> lock(mutex);
      ready.wait(lock, [&] { return outcomes[i].has_value(); });
      outcome = std::move(*outcomes[i]);
      outcomes[i].reset();
    }
    if (!take(i, std::move(outcome))) {
      stop = true;
      break;
    }
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace tolvane::cli
