#pragma once
// One whole verification, as the Verify command runs it: pass one; when it
// succeeded and a trigger was found, pass two.

#include <string>

#include "mission_state.h"

namespace tolvane {

struct VerifyResult {
  bool MissionOk = false;
  int LastPass = 1;
  std::string LocateText;  // the last statement read
};

VerifyResult VerifyMission(MissionState& state, const std::string& path, bool deleteWorkFile);

}  // namespace tolvane
