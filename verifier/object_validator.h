#pragma once
// Checks one statement of an aggregate, entity or waypoint block against the
// object keyword vocabulary and leaves its value in the statement buffer.

#include <string>

#include "mission_state.h"

namespace tolvane {

void ValidateObjectStatement(MissionState& state, std::string& statement, bool& ok);

}  // namespace tolvane
