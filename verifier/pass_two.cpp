#include "pass_two.h"

#include "statement_reader.h"

namespace tolvane {

// Placeholder until the trigger validators exist: accepts the trigger section.
void PassTwo(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  (void)file;
  (void)LocateText;
  state.ErrNo = 0;
  MissionOk = true;
  SetErrorMessage(state);
}

void PassTwo(MissionState& state, const std::string& path, bool deleteWhenDone, bool& MissionOk,
             std::string& LocateText) {
  (void)path;
  (void)deleteWhenDone;
  MissionFile file;
  PassTwo(state, file, MissionOk, LocateText);
}

}  // namespace tolvane
