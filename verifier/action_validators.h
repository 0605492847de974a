#pragma once
// The action blocks of a trigger: the keyword line after ".Action" and the
// statements of its block, up to ".EndAction".

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Called on the ".Action" line; reads the action keyword and its block.
void DispatchAction(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
