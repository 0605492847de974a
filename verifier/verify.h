#pragma once
// One whole verification, as the Verify command runs it: pass one; when it
// succeeded and a trigger was found, pass two, over the same text in memory.
// The verdict is MissionOk; a pass two that ends with code 1 and a true
// verdict is a verified mission. The verifier reads the mission and nothing
// else: type names and next missions come from the environment, and no file
// is ever changed or deleted (the editor deletes its own work file).

#include <functional>
#include <string>
#include <string_view>

#include "file_reader.h"
#include "mission_state.h"
#include "verifier_environment.h"

namespace tolvane {

struct VerifyResult {
  bool MissionOk = false;
  int LastPass = 1;        // 1 or 2: the last pass that ran
  std::string LocateText;  // the last statement read
  // The caller asked the run to stop (MissionState::StopRequested) and it
  // did: MissionOk is false, and neither the result nor the state holds a
  // code, a message or a statement.
  bool Stopped = false;
  // How reading the file went (VerifyMission); a file that could not be read
  // is reported with code 74 and this says why.
  ReadResult File;
};

// Reads the file at path once and verifies its bytes.
VerifyResult VerifyMission(MissionState& state, const VerifierEnvironment& environment, const std::string& path);
// Verifies the bytes of a file already opened, reading them guarded; then,
// when given, hands the bytes and the result to report, still guarded. A
// file shortened meanwhile by another program is reported as one that could
// not be read (code 74, File says why), whatever the passes or report made
// of it.
VerifyResult VerifyMappedFile(MissionState& state, const VerifierEnvironment& environment, MappedFile& file,
                              const std::function<void(std::string_view, const VerifyResult&)>& report = {});
// Verifies bytes held in memory.
VerifyResult VerifyMissionBytes(MissionState& state, const VerifierEnvironment& environment, std::string_view bytes);

}  // namespace tolvane
