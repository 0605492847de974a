#pragma once
// The lookups that check and action validators are built from. Each examines
// one statement (or the work records already filled), accepts or rejects it
// with its fixed codes, and where the statement names a mission object,
// records the name in ReferenceRecord and matches it against the tables.
// None of them reads a further statement. A statement lookup whose keyword
// test passes deletes the keyword and trims the rest, so after a numeric
// lookup the statement holds its value.

#include <cstdint>
#include <string>

#include "mission_state.h"

namespace tolvane {

void CheckEndCheck(MissionState& state, const std::string& statement, bool& ok);
void CheckEndAction(MissionState& state, const std::string& statement, bool& ok);
void ReadTypeName(MissionState& state, std::string& statement, bool& ok);
void ReadWaypointRef(MissionState& state, std::string& statement, bool& ok);
void ReadNumber(MissionState& state, std::string& statement, bool& ok);
void ReadAmount(MissionState& state, std::string& statement, bool& ok);
void ReadAltitude(MissionState& state, std::string& statement, bool& ok);
void ReadDistance(MissionState& state, std::string& statement, bool& ok);
void ReadSpeed(MissionState& state, std::string& statement, bool& ok);
void ReadSquadName(MissionState& state, std::string& statement, bool& ok);
void ReadFlightName(MissionState& state, std::string& statement, bool& ok);
void ReadPlaneName(MissionState& state, std::string& statement, bool& ok);
void ReadDivisionName(MissionState& state, std::string& statement, bool& ok);
// Works on its own copy of the statement.
void MatchBridgeName(MissionState& state, std::string statement, bool& ok);
void ResolveObjectRef(MissionState& state, std::string& statement, bool& ok);
void MatchDivisionName(MissionState& state, bool& ok);
void MatchSquad(MissionState& state, bool& ok);
void MatchSquadFlight(MissionState& state, bool& ok);
void MatchSquadFlightPlane(MissionState& state, bool& ok);
void MatchTagWaypoint(MissionState& state, bool& ok);
void MatchFlightWaypoint(MissionState& state, bool& ok);
// Answers the tag's AircraftIndex (0 when it is not an aircraft tag).
std::int32_t IsAircraftTag(MissionState& state, const ShortText<5>& tag, bool& ok);
void IsFlightTag(MissionState& state, const ShortText<5>& tag, bool& ok);

}  // namespace tolvane
