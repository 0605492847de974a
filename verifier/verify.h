#pragma once
// One whole verification, as the Verify command runs it: pass one; when it
// succeeded and a trigger was found, pass two. The verdict is MissionOk; a
// pass two that ends with code 1 and a true verdict is a verified mission.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

struct VerifyResult {
  bool MissionOk = false;
  int LastPass = 1;        // 1 or 2: the last pass that ran
  std::string LocateText;  // the last statement read
};

// Verifies the file at path. deleteWorkFile: pass two deletes the file when
// it ends (only for the editor's work file).
VerifyResult VerifyMission(MissionState& state, const std::string& path, bool deleteWorkFile);
// Verifies bytes held in memory (tests, fuzzing, benchmarks).
VerifyResult VerifyMissionBytes(MissionState& state, std::string bytes);

}  // namespace tolvane
