#pragma once
// Filling the object tables by hand, the way pass one would: a record, and
// where the object carries a tag, its entry in the tag index.

#include <initializer_list>

#include "mission_state.h"

namespace tolvane::filler {

inline AircraftRecord Aircraft(const char* tag, const char* type, const char* squad, const char* flight,
                               const char* callsign, const char* waySet, const char* flightTag) {
  AircraftRecord r;
  r.TagId = tag;
  r.TypeName = type;
  r.SquadName = squad;
  r.FlightName = flight;
  r.Callsign = callsign;
  r.AircraftMark = 1;
  r.WaySet = waySet;
  r.FlightTag = flightTag;
  return r;
}

// The aircraft and its tag entry (squad as name, flight, callsign, its record's number).
inline void AddAircraftWithTag(MissionState& s, const AircraftRecord& r) {
  s.AircraftTable.append(r);
  TagRecord t;
  t.TagId = r.TagId;
  t.Name = r.SquadName;
  t.FlightName = r.FlightName;
  t.AircraftMark = 1;
  t.Callsign = r.Callsign;
  t.AircraftIndex = s.AircraftTable.count();
  s.TagTable.append(t);
}

inline void AddTag(MissionState& s, const char* tag, const char* type, const char* name) {
  TagRecord t;
  t.TagId = tag;
  t.TypeName = type;
  t.Name = name;
  s.TagTable.append(t);
}

inline void AddVehicle(MissionState& s, const char* tag, const char* type, const char* waySet, const char* tagType) {
  VehicleRecord v;
  v.TagId = tag;
  v.TypeName = type;
  v.ItemType = "[Vehicle]";
  v.WaySet = waySet;
  s.VehicleTable.append(v);
  AddTag(s, tag, tagType, "[Vehicle]");
}

inline void AddDivision(MissionState& s, const char* tag, const char* name, bool tagged) {
  DivisionRecord d;
  d.TagId = tag;
  d.TypeName = "Division";
  d.Name = name;
  s.DivisionTable.append(d);
  if (tagged) AddTag(s, tag, "Division", name);
}

inline void AddStructure(MissionState& s, const char* tag, const char* type, bool tagged) {
  StructureRecord r;
  r.TagId = tag;
  r.TypeName = type;
  s.StructureTable.append(r);
  if (tagged) AddTag(s, tag, type, "");
}

inline void AddBridge(MissionState& s, const char* name) {
  BridgeRecord b;
  b.BridgeName = name;
  b.TypeName = "[Bridge]";
  s.BridgeTable.append(b);
}

inline void AddTriggers(MissionState& s, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    TriggerRecord t;
    t.TypeName = "[Trigger]";
    t.TriggerName = name;
    s.TriggerTable.append(t);
  }
}

}  // namespace tolvane::filler
