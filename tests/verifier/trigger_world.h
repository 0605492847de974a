#pragma once
// A small mission world filled by hand into the tables, for the lookups, the
// check blocks and the trigger section: two flights, a vehicle, a vehicle
// waypoint, a division, a structure, a bridge, a waypoint set and two triggers.

#include <string>
#include <vector>

#include "mission_builder.h"
#include "mission_file.h"
#include "mission_state.h"
#include "table_filler.h"

namespace tolvane {
namespace testworld {

// The world's type names; no next mission exists in it.
inline const MissionFolderEnvironment& Environment() {
  static const MissionFolderEnvironment environment = [] {
    TypeNameList names;
    for (const char* name : {"Hawkmoth", "Stormcrow", "Lorry", "Halftrack", "Warehouse", "Flakbattry"}) {
      names.TypeNameTable.emplace_back(name);
    }
    names.TypeNamesLoaded = true;
    return MissionFolderEnvironment(names, "/nonexistent-missions");
  }();
  return environment;
}

using filler::AddAircraftWithTag;
using filler::Aircraft;

inline void AddFlightWaypoints(MissionState& s, const AircraftRecord& r, int count) {
  for (int id = 1; id <= count; ++id) {
    FlightWaypointRecord w;
    w.TagId = r.TagId;
    w.TypeName = r.TypeName;
    w.SquadName = r.SquadName;
    w.FlightName = r.FlightName;
    w.Callsign = r.Callsign;
    w.WaySet = r.WaySet;
    w.WaypointId = std::to_string(id);
    s.FlightWaypointTable.append(w);
  }
}

// Kestrel Wing / Red Section (tag 100; planes 101 "Red One", 102 "Red Two")
// flies waypoint set 3 of four waypoints; Heron Group / Blue Section (tag 200;
// plane 201 "Blue One") has no set. Lorry 300 drives set 5 (vehicle
// waypoint tag 301), division 400 "Harbour Guard", warehouse 500, bridge
// "Old Mill Bridge", triggers "Harbour Alarm" and "Convoy Lost".
inline void Fill(MissionState& s) {
  s.ClearTables();
  const AircraftRecord red = Aircraft("100", "Flight", "Kestrel Wing", "Red Section", "", "3", "100");
  const AircraftRecord red1 = Aircraft("101", "Hawkmoth", "Kestrel Wing", "Red Section", "Red One", "3", "100");
  const AircraftRecord red2 = Aircraft("102", "Hawkmoth", "Kestrel Wing", "Red Section", "Red Two", "3", "100");
  const AircraftRecord blue = Aircraft("200", "Flight", "Heron Group", "Blue Section", "", "49", "200");
  const AircraftRecord blue1 = Aircraft("201", "Stormcrow", "Heron Group", "Blue Section", "Blue One", "49", "200");
  for (const AircraftRecord* r : {&red, &red1, &red2, &blue, &blue1}) AddAircraftWithTag(s, *r);
  for (const AircraftRecord* r : {&red, &red1, &red2}) AddFlightWaypoints(s, *r, 4);
  for (const AircraftRecord* r : {&blue, &blue1}) AddFlightWaypoints(s, *r, 1);

  filler::AddVehicle(s, "300", "Lorry", "5", "Lorry");

  VehicleWaypointRecord vw;
  vw.TagId = "301";
  vw.TypeName = "[Vehicle WayPt]";
  vw.WaySet = " 5";
  vw.WaypointId = "1";
  s.VehicleWaypointTable.append(vw);

  filler::AddDivision(s, "400", "Harbour Guard", true);
  filler::AddStructure(s, "500", "Warehouse", true);
  filler::AddBridge(s, "Old Mill Bridge");
  filler::AddTriggers(s, {"Harbour Alarm", "Convoy Lost"});

  s.Environment = &Environment();
}

// Lines joined with CR LF, the way the editor writes a mission.
using builder::Lines;

}  // namespace testworld
}  // namespace tolvane
