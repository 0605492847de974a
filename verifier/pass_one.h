#pragma once
// Pass one: reads the mission up to ".MissionSummary", hands every top-level
// statement to its collector, then builds the flight waypoints and links the
// trigger names.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Runs pass one over the open mission text. Every way out calls
// SetErrorMessage last.
void PassOne(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText);
// The start of every pass one: empty tables, a true flag, counters at zero.
void StartPassOne(MissionState& state, bool& MissionOk);

void DispatchTopLevel(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void BuildFlightWaypoints(MissionState& state, bool& ok);
void LinkTriggerNames(MissionState& state, MissionFile& file, bool& ok);
// The same, reading into the given statement buffer, which then holds the last
// statement read (the statement in error when the step fails).
void LinkTriggerNames(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void ReadTriggerName(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
