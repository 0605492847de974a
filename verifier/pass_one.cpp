#include "pass_one.h"

#include "statement_reader.h"

namespace tolvane {

// Placeholder until the collectors exist.
void PassOne(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  (void)file;
  (void)LocateText;
  state.ClearTables();
  MissionOk = true;
  SetErrorMessage(state);
}

void PassOne(MissionState& state, const std::string& path, bool& MissionOk, std::string& LocateText) {
  MissionFile file;
  if (file.Open(path) != MissionFile::OpenResult::Ok) {
    state.ErrNo = 74;
    MissionOk = false;
    SetErrorMessage(state);
    return;
  }
  PassOne(state, file, MissionOk, LocateText);
}

}  // namespace tolvane
