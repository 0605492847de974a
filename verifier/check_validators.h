#pragma once
// The check blocks of a trigger: the keyword line after ".Check" and the
// statements of its block, up to ".EndCheck".

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Called on the ".Check" line; reads the check keyword and its block.
void DispatchCheck(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
