#pragma once
// Pass two: validates the trigger section, every check block and every action
// block, against the tables that pass one filled.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Runs pass two over the open mission text, from its first line.
void PassTwo(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText);

// One statement of the trigger section; may read a header, a check block or
// an action block.
void HandleTriggerStatement(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void ValidateTriggerHeader(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
