#include "verify.h"

#include "mission_file.h"
#include "pass_one.h"
#include "pass_two.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// Hands the environment to the state for the length of one run.
class EnvironmentForRun {
 public:
  EnvironmentForRun(MissionState& state, const VerifierEnvironment& environment)
      : state_(state), previous_(state.Environment) {
    state_.Environment = &environment;
  }
  ~EnvironmentForRun() { state_.Environment = previous_; }
  EnvironmentForRun(const EnvironmentForRun&) = delete;
  EnvironmentForRun& operator=(const EnvironmentForRun&) = delete;

 private:
  MissionState& state_;
  const VerifierEnvironment* previous_;
};

}  // namespace

VerifyResult VerifyMissionBytes(MissionState& state, const VerifierEnvironment& environment, std::string_view bytes) {
  EnvironmentForRun run(state, environment);
  VerifyResult result;
  result.MissionOk = true;
  state.ErrNo = 0;
  state.LineNo = 0;
  state.Stopped = false;
  MissionFile file;
  file.OpenView(bytes);
  PassOne(state, file, result.MissionOk, result.LocateText);
  if (result.MissionOk && state.TriggersFound && !state.Stopped) {
    result.LastPass = 2;
    PassTwo(state, file, result.MissionOk, result.LocateText);
  }
  if (state.Stopped) {
    // Whatever the passes made of the stop is no verdict.
    result.Stopped = true;
    result.MissionOk = false;
    result.LocateText.clear();
    state.ErrNo = 0;
    state.ErrMsg.clear();
  }
  return result;
}

namespace {

// A file that could not be read, reported alike whether it is missing,
// exists and cannot be read, or changed while it was read: pass one stops
// before its first line.
VerifyResult Unread(MissionState& state, ReadResult read) {
  VerifyResult result;
  state.ErrNo = 0;
  StartPassOne(state, result.MissionOk);
  Fail(state, result.MissionOk, 74);
  SetErrorMessage(state);
  result.File = std::move(read);
  return result;
}

}  // namespace

VerifyResult VerifyMappedFile(MissionState& state, const VerifierEnvironment& environment, MappedFile& file,
                              const std::function<void(std::string_view, const VerifyResult&)>& report) {
  VerifyResult result;
  const bool intact = file.ReadGuarded([&](std::string_view bytes) {
    result = VerifyMissionBytes(state, environment, bytes);
    if (report) report(bytes, result);
  });
  if (!intact) return Unread(state, ReadResult{ReadStatus::Unreadable, FileChangedReason});
  return result;
}

VerifyResult VerifyMission(MissionState& state, const VerifierEnvironment& environment, const std::string& path) {
  // Read once: the passes run over the mapped file itself.
  MappedFile file;
  ReadResult read = file.Open(path);
  if (!read.Ok()) return Unread(state, std::move(read));
  return VerifyMappedFile(state, environment, file);
}

}  // namespace tolvane
