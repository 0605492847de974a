#pragma once
// Pass one: the collectors of trigger blocks, bridges, trigger calls,
// flight and vehicle waypoint blocks, way-set and waypoint changes.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

void CollectTrigger(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectBridge(MissionState& state, std::string& statement, bool& ok);
void CollectTriggerCall(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectFlightWaypoint(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectVehicleWaypoint(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void AddVehicleWaypoint(MissionState& state, const VehicleWaypointRecord& waypoint, bool& ok);
bool VehicleWaypointExists(const MissionState& state, const VehicleWaypointRecord& waypoint);
void CollectWaySetChange(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectWaypointChange(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

}  // namespace tolvane
