#pragma once
// Pass one: the collectors of aggregates (flights, divisions) and entities
// (vehicles, structures), with their adders and searches.

#include <string>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

void CollectAggregate(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectFlight(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                   AircraftRecord& flight);
void CollectDivision(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                     AircraftRecord& aggregate);
void CollectEntity(MissionState& state, MissionFile& file, std::string& statement, bool& ok);
void CollectVehicle(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                    const AircraftRecord& entity);
void CollectStructure(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                      const AircraftRecord& entity);

void AddAircraft(MissionState& state, const AircraftRecord& aircraft, bool& ok);
void UpdateFlightRecord(MissionState& state, const AircraftRecord& flight, bool& ok);
void AddVehicle(MissionState& state, const VehicleRecord& vehicle, bool& ok);
bool AircraftTagExists(const MissionState& state, const AircraftRecord& aircraft);
// Record number of the first aircraft with the tag, or 0 when none has it.
int FindAircraftTag(const MissionState& state, const ShortText<5>& tag);
bool VehicleTagExists(const MissionState& state, const VehicleRecord& vehicle);

}  // namespace tolvane
