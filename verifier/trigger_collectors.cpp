#include "trigger_collectors.h"

#include "object_validator.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// A name written as "name .EndString": the text before the blank in front of
// the first ".End", trimmed.
std::string MarkedName(std::string_view text) {
  std::string name = TextValue(text);
  TrimBlanks(name);
  return name;
}

void AppendTrigger(MissionState& state, const TriggerRecord& trigger, bool& ok) {
  if (state.TriggerTable.full()) {
    Fail(state, ok, FullCode::Trigger);
    return;
  }
  state.TriggerTable.append(trigger);
}

void AppendFlightWaypoint(MissionState& state, const FlightWaypointRecord& waypoint, bool& ok) {
  if (state.FlightWaypointTable.full()) {
    Fail(state, ok, FullCode::FlightWaypoint);
    return;
  }
  state.FlightWaypointTable.append(waypoint);
}

}  // namespace

void CollectTrigger(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. A trigger block makes pass two necessary.
  state.TriggersFound = true;
  TriggerRecord trigger;
  ReadStatement(state, file, statement, ok);
  if (!ok) return;

  // 2. An optional mission objective line, optionally hidden.
  if (BeginsWith(statement, ".MISSIONOBJECTIVE") && !ReadPastHiddenMarker(state, file, statement, ok)) return;

  // 3. The trigger's name.
  if (!BeginsWith(statement, ".Name")) {
    Fail(state, ok, 3);
    return;
  }

  // 4. Its separator.
  if (!TakeKeyword(state, statement, ".Name", ok)) return;

  // 5. The name is stored before its end marker is looked at.
  TrimBlanks(statement);
  trigger.TypeName = "[Trigger]";
  trigger.TriggerName = MarkedName(statement);
  AppendTrigger(state, trigger, ok);
  if (!ok) return;

  // 6. The end marker.
  CheckEndString(state, EndMarkerTail(statement), ok);
  if (!ok) return;

  // 7. The block is skimmed: checks and actions are counted by the keywords
  // their lines contain, and a bridge reference is recorded.
  // The lines are looked at where they stand in the file; the buffer gets
  // the statement the skim stops at.
  std::string_view line = statement;
  for (;;) {
    ReadStatement(state, file, line, ok);
    if (!ok) {
      AssignStatement(statement, line);
      // Running off the end of the file is reported as an unclosed trigger;
      // a statement the reader refuses (two dots) keeps its own code.
      if (state.ErrNo == 62) Fail(state, ok, 134);
      return;
    }
    // A line without a dot holds none of the keywords (display texts).
    if (line.find('.') == std::string_view::npos) continue;
    if (Contains(line, ".BridgeName")) {
      // The rest of this block is then read at the top level.
      AssignStatement(statement, line);
      CollectBridge(state, statement, ok);
      if (!ok) return;
      break;
    }
    if (Contains(line, ".Check")) ++state.TriggerCheckCount;
    if (Contains(line, ".Action")) ++state.TriggerActionCount;
    if (line == ".Trigger" || line == ".MissionSummary") {
      AssignStatement(statement, line);
      Fail(state, ok, 113);
      return;
    }
    if (line == ".EndTrigger") {
      AssignStatement(statement, line);
      break;
    }
  }

  // 8. One or two checks, at most two actions; the last test that applies
  // gives the code.
  if (state.TriggerCheckCount == 0) Fail(state, ok, 119);
  if (state.TriggerCheckCount > 2) Fail(state, ok, 118);
  if (state.TriggerActionCount > 2) Fail(state, ok, 120);

  // 9. Ready for the next block.
  state.TriggerCheckCount = 0;
  state.TriggerActionCount = 0;
}

void CollectBridge(MissionState& state, std::string& statement, bool& ok) {
  // 1. Where the bridge is referenced.
  BridgeRecord bridge;
  bridge.ReferencedBy = statement;
  bridge.LineText = IntToText(state.LineNo);

  // 2. The separator.
  if (!TakeKeyword(state, statement, ".BridgeName", ok)) return;

  // 3. The end marker, tested as written (a blank after it fails), then the name.
  CheckEndString(state, EndMarkerTail(statement), ok);
  if (!ok) return;
  bridge.BridgeName = MarkedName(statement);
  bridge.TypeName = "[Bridge]";
  if (state.BridgeTable.full()) {
    Fail(state, ok, FullCode::Bridge);
    return;
  }
  state.BridgeTable.append(bridge);
}

void CollectTriggerCall(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. A fresh record for the call.
  TriggerRecord trigger;
  trigger.TypeName = "[TrigATrig]";

  // 2. The called trigger's name.
  if (!ReadKeywordStatement(state, file, statement, ".TriggerName", 95, ok)) return;

  // 3. Stored before its end marker is looked at.
  if (!TakeKeyword(state, statement, ".TriggerName", ok)) return;
  TrimBlanks(statement);
  trigger.TriggerName = MarkedName(statement);
  AppendTrigger(state, trigger, ok);
  if (!ok) return;

  // 4. The end marker.
  CheckEndString(state, EndMarkerTail(statement), ok);
}

void CollectFlightWaypoint(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. The waypoint set, a whole number.
  if (!ReadKeywordStatement(state, file, statement, ".Set", 81, ok)) return;
  if (!TakeKeyword(state, statement, ".Set", ok)) return;
  TrimBlanks(statement);
  CheckInteger(state, statement, ok);
  if (!ok) return;
  const ShortText<5> setText(statement);

  // 2. The waypoint's number, a whole number.
  if (!ReadKeywordStatement(state, file, statement, ".ID", 83, ok)) return;
  if (!TakeKeyword(state, statement, ".ID", ok)) return;
  TrimBlanks(statement);
  std::int32_t waypointNumber = 0;
  if (!ParseInteger(statement, waypointNumber)) {
    Fail(state, ok, 21);
    return;
  }

  // 3. The rest of the block; notes are passed over up to their end.
  for (;;) {
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndWayPoint")) break;
    if (Contains(statement, ".Notes")) {
      while (!Contains(statement, ".EndNotes")) {
        ReadStatement(state, file, statement, ok);
        if (!ok) return;
      }
    }
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".Trigger") || Contains(statement, ".WaypointVeh")) {
      Fail(state, ok, 93);
      return;
    }
    if (Contains(statement, ".EndWayPoint")) break;
  }

  // 4. The set's count is the number of its last block in the text.
  for (WaySetRecord& set : state.WaySetTable) {
    if (set.SetText == setText) {
      set.WaypointCount = waypointNumber;
      return;
    }
  }
  if (state.WaySetTable.full()) {
    Fail(state, ok, FullCode::WaySet);
    return;
  }
  WaySetRecord set;
  set.SetText = setText;
  set.WaypointCount = waypointNumber;
  state.WaySetTable.append(set);
}

void CollectVehicleWaypoint(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. An optional tag identifier line.
  VehicleWaypointRecord waypoint;
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  if (Contains(statement, ".TagIdentifier")) {
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    waypoint.TagId = statement;
    waypoint.TypeName = "[Vehicle WayPt]";
  }

  // 2. The set, kept as written after the keyword.
  if (!ReadKeywordStatement(state, file, statement, ".Set", 81, ok)) return;
  if (!TakeKeyword(state, statement, ".Set", ok)) return;
  waypoint.WaySet = statement;

  // 3. The waypoint's number, a whole number.
  if (!ReadKeywordStatement(state, file, statement, ".ID", 83, ok)) return;
  if (!TakeKeyword(state, statement, ".ID", ok)) return;
  TrimBlanks(statement);
  CheckInteger(state, statement, ok);
  if (!ok) return;
  waypoint.WaypointId = statement;

  // 4. Into the table.
  AddVehicleWaypoint(state, waypoint, ok);
  if (!ok) return;

  // 5. The rest of the block.
  for (;;) {
    ReadStatement(state, file, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".EndWayPoint")) return;
    ValidateObjectStatement(state, statement, ok);
    if (!ok) return;
    if (Contains(statement, ".Trigger")) {
      Fail(state, ok, 93);
      return;
    }
    if (Contains(statement, ".EndWayPoint")) return;
  }
}

bool VehicleWaypointExists(const MissionState& state, const VehicleWaypointRecord& waypoint) {
  bool tagged = false;
  for (const VehicleWaypointRecord& stored : state.VehicleWaypointTable) {
    if (stored.TypeName == "[Vehicle WayPt]") {
      tagged = true;
      break;
    }
  }
  if (!tagged) return false;
  for (const VehicleWaypointRecord& stored : state.VehicleWaypointTable) {
    if (stored.WaySet == waypoint.WaySet && stored.WaypointId == waypoint.WaypointId) return true;
  }
  return false;
}

void AddVehicleWaypoint(MissionState& state, const VehicleWaypointRecord& waypoint, bool& ok) {
  if (VehicleWaypointExists(state, waypoint)) {
    ok = true;
    return;
  }
  if (state.VehicleWaypointTable.full()) {
    Fail(state, ok, FullCode::VehicleWaypoint);
    return;
  }
  state.VehicleWaypointTable.append(waypoint);
  ok = true;
}

void CollectWaySetChange(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. The flight whose set changes.
  FlightWaypointRecord change;
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  ValidateObjectStatement(state, statement, ok);
  if (!ok) return;
  change.TagId = statement;
  change.TypeName = "[WaySet Chg]";

  // 2. Names from the aircraft with that tag; the last one wins.
  for (const AircraftRecord& aircraft : state.AircraftTable) {
    if (aircraft.TagId == change.TagId) {
      change.SquadName = aircraft.SquadName;
      change.FlightName = aircraft.FlightName;
      change.Callsign = aircraft.Callsign;
    }
  }

  // 3. The new set.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  RemoveKeyword(statement, ".WaySet");
  TrimBlanks(statement);
  change.WaySet = statement;

  // 4. Into the flight waypoint table.
  AppendFlightWaypoint(state, change, ok);
}

void CollectWaypointChange(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  FlightWaypointRecord change;

  // 1. The squad.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  RemoveKeyword(statement, ".Squad");
  CheckEndString(state, EndMarkerTail(statement), ok);
  if (!ok) return;
  change.SquadName = MarkedName(statement);

  // 2. The flight.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  RemoveKeyword(statement, ".Flight");
  CheckEndString(state, EndMarkerTail(statement), ok);
  if (!ok) return;
  change.FlightName = MarkedName(statement);

  // 3. The waypoint the flight is sent to.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  RemoveKeyword(statement, ".Waypoint");
  TrimBlanks(statement);
  change.WaypointId = statement;
  change.TypeName = "[WayPt Chg]";

  // 4. Tag and set of the flight with those names; the last one wins.
  for (const AircraftRecord& aircraft : state.AircraftTable) {
    if (aircraft.SquadName == change.SquadName && aircraft.FlightName == change.FlightName) {
      change.TagId = aircraft.TagId;
      change.WaySet = aircraft.WaySet;
    }
  }

  // 5. A set change of that flight made earlier replaces its set.
  for (const FlightWaypointRecord& earlier : state.FlightWaypointTable) {
    if (earlier.TypeName == "[WaySet Chg]" && earlier.TagId == change.TagId) change.WaySet = earlier.WaySet;
  }

  // 6. Into the flight waypoint table.
  AppendFlightWaypoint(state, change, ok);
}

}  // namespace tolvane
