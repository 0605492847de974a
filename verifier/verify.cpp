#include "verify.h"

#include "pass_one.h"
#include "pass_two.h"

namespace tolvane {

VerifyResult VerifyMission(MissionState& state, const std::string& path, bool deleteWorkFile) {
  VerifyResult result;
  result.MissionOk = true;
  state.ErrNo = 0;
  state.LineNo = 0;
  PassOne(state, path, result.MissionOk, result.LocateText);
  if (result.MissionOk && state.TriggersFound) {
    result.LastPass = 2;
    PassTwo(state, path, deleteWorkFile, result.MissionOk, result.LocateText);
  }
  return result;
}

VerifyResult VerifyMissionBytes(MissionState& state, std::string bytes) {
  VerifyResult result;
  result.MissionOk = true;
  state.ErrNo = 0;
  state.LineNo = 0;
  MissionFile file;
  file.OpenBytes(std::move(bytes));
  PassOne(state, file, result.MissionOk, result.LocateText);
  if (result.MissionOk && state.TriggersFound) {
    result.LastPass = 2;
    file.Rewind();
    PassTwo(state, file, result.MissionOk, result.LocateText);
  }
  return result;
}

}  // namespace tolvane
