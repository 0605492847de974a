#pragma once
// Pass one: reads the mission up to ".MissionSummary", hands every top-level
// statement to its collector, then builds the flight waypoints and links the
// trigger names.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Runs pass one over the file at path. Every way out calls SetErrorMessage
// last. A missing file gives 74; a file that exists but cannot be read gives 74 too.
void PassOne(MissionState& state, const std::string& path, bool& MissionOk, std::string& LocateText);
// The same over a file already opened (tests, fuzzing).
void PassOne(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText);

void DispatchTopLevel(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void BuildFlightWaypoints(MissionState& state, bool& ok);
void LinkTriggerNames(MissionState& state, MissionFile& file, bool& ok);
// The same, reading into the given statement buffer, which then holds the last
// statement read (the statement in error when the step fails).
void LinkTriggerNames(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void ReadTriggerName(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
