#include "entity_collectors.h"

#include "object_validator.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// How a scan treats the validator's finding: Stop returns at once; Only
// discards it (flag and code as before) and reads on, so it is never reported.
enum class ScanMode { Stop, Only };

// Reads statements until one contains the keyword, validating every other
// one. The statement that contains the keyword is left in the buffer. Answers
// false when the collector must return (a failed read, or a failed validation
// in Stop mode).
bool ScanTo(MissionState& state, MissionFile& file, std::string& statement, bool& ok, std::string_view keyword,
            ScanMode mode) {
  for (;;) {
    ReadStatement(state, file, statement, ok);
    if (!ok) return false;
    if (Contains(statement, keyword)) return true;
    if (mode == ScanMode::Stop) {
      ValidateObjectStatement(state, statement, ok);
      if (!ok) return false;
    } else {
      const std::int32_t code = state.ErrNo;
      const bool verdict = ok;
      ValidateObjectStatement(state, statement, ok);
      state.ErrNo = code;
      ok = verdict;
    }
    if (Contains(statement, keyword)) return true;
  }
}

// Takes the keyword off and checks the separator; the value, trimmed, is left
// in the buffer. Answers false (flag cleared, 105) when no blank or tab
// follows the keyword.
bool TakeKeywordValue(MissionState& state, std::string& statement, std::string_view keyword, bool& ok) {
  if (!TakeKeyword(state, statement, keyword, ok)) return false;
  TrimBlanks(statement);
  return true;
}

// Reads one statement and validates it; false when the collector must return.
bool ReadAndValidate(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  ReadStatement(state, file, statement, ok);
  if (!ok) return false;
  ValidateObjectStatement(state, statement, ok);
  return ok;
}

}  // namespace

void CollectAggregate(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. A fresh record for the aggregate.
  AircraftRecord aggregate;

  // 2. The aggregate's type comes first.
  if (!ReadKeywordStatement(state, file, statement, ".Type", 50, ok)) return;

  // 3. Its value.
  if (!TakeKeywordValue(state, statement, ".Type", ok)) return;
  aggregate.TypeName = statement;

  // 4. Divisions and flights are collected; any other aggregate is left to the
  // top level, line by line.
  if (statement == "Division") {
    CollectDivision(state, file, statement, ok, aggregate);
  } else if (statement == "Flight") {
    CollectFlight(state, file, statement, ok, aggregate);
  }
}

void CollectDivision(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                     AircraftRecord& aggregate) {
  // 1. A fresh division and tag entry.
  DivisionRecord division;
  TagRecord tag;

  // 2. The tag identifier; a division's tag is not tested as a number.
  if (!ReadKeywordStatement(state, file, statement, ".TagIdentifier", 9, ok)) return;
  if (!TakeKeywordValue(state, statement, ".TagIdentifier", ok)) return;
  aggregate.TagId = statement;
  division.TagId = statement;
  tag.TagId = statement;
  division.TypeName = aggregate.TypeName;
  tag.TypeName = aggregate.TypeName;

  // 3. Up to the name; what lies between is validated but never stops the pass.
  if (!ScanTo(state, file, statement, ok, ".Name", ScanMode::Only)) return;

  // 4. The name.
  if (!TakeKeywordValue(state, statement, ".Name", ok)) return;
  division.Name = statement;
  tag.Name = statement;

  // 5. Into the division table.
  if (state.DivisionTable.full()) {
    Fail(state, ok, FullCode::Division);
    return;
  }
  state.DivisionTable.append(division);

  // 6. Into the tag table.
  if (state.TagTable.full()) {
    Fail(state, ok, FullCode::Tag);
    return;
  }
  state.TagTable.append(tag);

  // 7. The rest of the aggregate is validated only.
  ScanTo(state, file, statement, ok, ".EndAggregate", ScanMode::Only);
}

void CollectFlight(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                   AircraftRecord& flight) {
  // 1. The flight's tag identifier.
  if (!ReadKeywordStatement(state, file, statement, ".TagIdentifier", 9, ok)) return;

  // 2. It must be a whole number; it tags the flight record and every plane.
  if (!TakeKeywordValue(state, statement, ".TagIdentifier", ok)) return;
  CheckInteger(state, statement, ok);
  if (!ok) return;
  const std::string flightTag = statement;
  flight.TagId = flightTag;
  flight.FlightTag = flightTag;
  flight.AircraftMark = 1;

  // 3. Up to the squad name.
  if (!ScanTo(state, file, statement, ok, ".SquadName", ScanMode::Stop)) return;

  // 4. The squad name.
  if (!BeginsWith(statement, ".SquadName")) {
    Fail(state, ok, 66);
    return;
  }
  if (!TakeKeywordValue(state, statement, ".SquadName", ok)) return;
  flight.SquadName = statement;

  // 5. Up to the flight name.
  if (!ScanTo(state, file, statement, ok, ".FlightName", ScanMode::Stop)) return;

  // 6. The flight name. The flight record is added even when the separator is
  // missing; the missing separator is then reported.
  if (!BeginsWith(statement, ".FlightName")) {
    Fail(state, ok, 67);
    return;
  }
  TakeKeyword(state, statement, ".FlightName", ok);
  TrimBlanks(statement);
  flight.FlightName = statement;
  AddAircraft(state, flight, ok);
  if (!ok) return;

  // 7. The rest of the info section is validated only.
  if (!ScanTo(state, file, statement, ok, ".EndInfo", ScanMode::Only)) return;

  // 8. The ".Entity" line of the first plane.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;

  // 9. The planes.
  for (int n = 1;; ++n) {
    // 9.1 A fresh plane record.
    AircraftRecord plane;
    plane.FlightTag = flightTag;
    plane.AircraftMark = 1;

    // 9.2 Its type name, or the end of the aggregate.
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndAggregate")) return;
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    plane.TypeName = statement;

    // 9.3 Its tag; the first four also go into the flight record.
    if (!ReadAndValidate(state, file, statement, ok)) return;
    plane.TagId = statement;
    if (n == 1) flight.Plane1 = statement;
    if (n == 2) flight.Plane2 = statement;
    if (n == 3) flight.Plane3 = statement;
    if (n == 4) flight.Plane4 = statement;

    // 9.4 One statement that is checked but not kept.
    if (!ReadAndValidate(state, file, statement, ok)) return;

    // 9.5 Its waypoint set, which becomes the flight's too.
    if (!ReadAndValidate(state, file, statement, ok)) return;
    flight.WaySet = statement;
    plane.WaySet = statement;

    // 9.6 Its callsign.
    if (!ReadAndValidate(state, file, statement, ok)) return;
    plane.Callsign = statement;

    // 9.7 Names from the flight.
    plane.FlightName = flight.FlightName;
    plane.SquadName = flight.SquadName;

    // 9.8 The plane is added and the flight record rewritten.
    AddAircraft(state, plane, ok);
    if (!ok) return;
    UpdateFlightRecord(state, flight, ok);
    if (!ok) return;

    // 9.9 The rest of the plane.
    if (!ScanTo(state, file, statement, ok, ".EndEntity", ScanMode::Stop)) return;

    // 9.10 The next plane or the end of the aggregate.
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (statement == ".EndAggregate") return;
    if (statement == ".Entity") continue;
    Fail(state, ok, 90);
    return;
  }
}

void CollectEntity(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. The entity's type name.
  AircraftRecord entity;
  if (!ReadAndValidate(state, file, statement, ok)) return;
  entity.TypeName = statement;

  // 2. Its tag.
  if (!ReadAndValidate(state, file, statement, ok)) return;
  entity.TagId = statement;

  // 3. A vehicle or a structure.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  if (!BeginsWith(statement, ".VehicleAI") && !BeginsWith(statement, ".PositionX")) {
    Fail(state, ok, 121);
    return;
  }

  // 4. Hand it to its collector.
  if (Contains(statement, ".VehicleAI")) {
    CollectVehicle(state, file, statement, ok, entity);
  } else if (Contains(statement, ".PositionX")) {
    CollectStructure(state, file, statement, ok, entity);
  }
}

void CollectVehicle(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                    const AircraftRecord& entity) {
  // 1. A fresh vehicle record.
  VehicleRecord vehicle;
  vehicle.TagId = entity.TagId;
  vehicle.TypeName = entity.TypeName;
  vehicle.ItemType = "[Vehicle]";

  // 2. The line that chose a vehicle; it is not validated.
  if (!BeginsWith(statement, ".VehicleAI")) {
    Fail(state, ok, 69);
    return;
  }

  // 3. The rest of the entity; its waypoint set is kept.
  do {
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndEntity")) break;
    const bool waySetLine = Contains(statement, ".VehicleWayPoints");
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    if (waySetLine) vehicle.WaySet = statement;
    if (Contains(statement, ".Entity") || Contains(statement, ".Trigger") || Contains(statement, ".WayPoint") ||
        Contains(statement, ".WaypointVeh")) {
      Fail(state, ok, 92);
      return;
    }
  } while (!Contains(statement, ".EndEntity"));

  // 4. Into the tables.
  AddVehicle(state, vehicle, ok);
}

void CollectStructure(MissionState& state, MissionFile& file, std::string& statement, bool& ok,
                      const AircraftRecord& entity) {
  // 1. A fresh structure and tag entry.
  StructureRecord structure;
  TagRecord tag;
  structure.TagId = entity.TagId;
  tag.TagId = entity.TagId;
  structure.TypeName = entity.TypeName.view();
  tag.TypeName = entity.TypeName;

  // 2. Into the structure table.
  if (state.StructureTable.full()) {
    Fail(state, ok, FullCode::Structure);
    return;
  }
  state.StructureTable.append(structure);

  // 3. Into the tag table.
  if (state.TagTable.full()) {
    Fail(state, ok, FullCode::Tag);
    return;
  }
  state.TagTable.append(tag);

  // 4. The rest of the entity; the ".PositionX" line that chose a structure is
  // not validated.
  for (;;) {
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndEntity")) return;
    if (Contains(statement, ".Entity") || Contains(statement, ".WayPoint") || Contains(statement, ".WaypointVeh") ||
        Contains(statement, ".MissionSummary")) {
      Fail(state, ok, 92);
      return;
    }
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndEntity")) return;
  }
}

bool AircraftTagExists(const MissionState& state, const AircraftRecord& aircraft) {
  if (aircraft.TagId.empty()) return false;
  return FindAircraftTag(state, aircraft.TagId) != 0;
}

void AddAircraft(MissionState& state, const AircraftRecord& aircraft, bool& ok) {
  // A repeated tag is quietly not added, to either table.
  if (AircraftTagExists(state, aircraft)) return;
  if (state.AircraftTable.full()) {
    Fail(state, ok, FullCode::Aircraft);
    return;
  }
  state.AircraftTable.append(aircraft);

  TagRecord tag;
  tag.TagId = aircraft.TagId;
  tag.Name = aircraft.SquadName;
  tag.FlightName = aircraft.FlightName;
  tag.Callsign = aircraft.Callsign;
  tag.AircraftMark = aircraft.AircraftMark != 0 ? 1 : 0;
  tag.AircraftIndex = state.AircraftTable.count();
  if (state.TagTable.full()) {
    Fail(state, ok, FullCode::Tag);
    return;
  }
  state.TagTable.append(tag);
}

int FindAircraftTag(const MissionState& state, const ShortText<5>& tag) {
  for (int i = 1; i <= state.AircraftTable.count(); ++i) {
    if (state.AircraftTable[i].TagId == tag) return i;
  }
  return 0;
}

void UpdateFlightRecord(MissionState& state, const AircraftRecord& flight, bool& ok) {
  const int record = FindAircraftTag(state, flight.TagId);
  if (record == 0) {
    Fail(state, ok, 99);
    return;
  }
  state.AircraftTable[record] = flight;
  ok = true;
}

bool VehicleTagExists(const MissionState& state, const VehicleRecord& vehicle) {
  if (vehicle.TagId.empty()) return false;
  for (const VehicleRecord& stored : state.VehicleTable) {
    if (stored.TagId == vehicle.TagId) return true;
  }
  return false;
}

void AddVehicle(MissionState& state, const VehicleRecord& vehicle, bool& ok) {
  // A repeated tag is quietly not added, to either table.
  if (VehicleTagExists(state, vehicle)) return;
  if (state.VehicleTable.full()) {
    Fail(state, ok, FullCode::Vehicle);
    return;
  }
  state.VehicleTable.append(vehicle);

  TagRecord tag;
  tag.TagId = vehicle.TagId;
  tag.TypeName = vehicle.TypeName;
  tag.Name = vehicle.ItemType;
  if (state.TagTable.full()) {
    Fail(state, ok, FullCode::Tag);
    return;
  }
  state.TagTable.append(tag);
}

}  // namespace tolvane
