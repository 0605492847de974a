#include "pass_one.h"

#include "entity_collectors.h"
#include "statement_reader.h"
#include "trigger_collectors.h"

namespace tolvane {

void StartPassOne(MissionState& state, bool& MissionOk) {
  state.ClearTables();
  MissionOk = true;
  state.LineNo = 0;
  state.TriggerActionCount = 0;
  state.TriggerCheckCount = 0;
  state.TriggersFound = false;
}

namespace {

// The end steps: the flight waypoints, then the trigger links. The links are
// read into the pass's statement buffer, so a failure there leaves the
// statement in error for the editor to select.
void EndSteps(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  BuildFlightWaypoints(state, MissionOk);
  if (MissionOk) LinkTriggerNames(state, file, LocateText, MissionOk);
}

// Steps 4 and 5 over an open file, which stays open.
void ReadMission(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  // An empty file is not a mission: it is read like any other, so it ends
  // with "Unexpected End Of File reached " on line 1.
  bool firstRead = true;
  for (;;) {
    // 4.1 The end of the file ends the pass.
    if (file.AtEnd() && !firstRead) {
      EndSteps(state, file, MissionOk, LocateText);
      return;
    }
    firstRead = false;

    // 4.2 The next statement.
    ReadStatement(state, file, LocateText, MissionOk);

    // 4.3 The summary ends the pass; nothing after it is read.
    if (LocateText == ".MissionSummary" && MissionOk) {
      MissionOk = true;
      state.ErrNo = 0;
      EndSteps(state, file, MissionOk, LocateText);
      return;
    }

    // 4.4 A last line of one blank or one tab.
    if (LocateText == " " || LocateText == "\t") Fail(state, MissionOk, 106);

    // 4.5 A failed read.
    if (LocateText != ".EndMission" && !MissionOk) return;

    // 4.6 A blank line.
    if (LocateText.empty()) continue;

    // 4.7 Everything else goes to the dispatcher.
    DispatchTopLevel(state, file, LocateText, MissionOk);
    if (!MissionOk) return;
  }
}

}  // namespace

void PassOne(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  StartPassOne(state, MissionOk);
  ReadMission(state, file, MissionOk, LocateText);
  SetErrorMessage(state);
}

namespace {

// The top-level statements that have a collector, in the order they are
// tested: the first two by their first characters, the rest as whole lines.
struct TopLevelRow {
  std::string_view Keyword;
  bool Prefix;
  void (*Collect)(MissionState&, MissionFile&, std::string&, bool&);
};

const TopLevelRow kTopLevel[] = {
    {".AGGREGATE", true, CollectAggregate},
    {".ENTITY", true, CollectEntity},
    {".TRIGGER", false, CollectTrigger},
    {".TRIGGERATRIGGER", false, CollectTriggerCall},
    {".WAYPOINT", false, CollectFlightWaypoint},
    {".WAYPOINTVEH", false, CollectVehicleWaypoint},
    {".CHANGEWAYSET", false, CollectWaySetChange},
};

}  // namespace

void DispatchTopLevel(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. A keyword or one of the connectives.
  if (!BeginsWith(statement, ".") && statement != "AND" && statement != "OR") {
    Fail(state, ok, 60);
    return;
  }

  // 2. Top-level keywords are compared upper-cased.
  UpperCaseAscii(statement);

  // 3. Each test sees the statement in the buffer at that moment; a collector
  // leaves the last statement it read. A collector that fails ends the dispatch.
  for (const TopLevelRow& row : kTopLevel) {
    const bool matches = row.Prefix ? BeginsWith(statement, row.Keyword) : statement == row.Keyword;
    if (!matches) continue;
    row.Collect(state, file, statement, ok);
    if (!ok) return;
  }
}

void BuildFlightWaypoints(MissionState& state, bool& ok) {
  // 1. Every flight and every plane of a flight gets its waypoints: the first
  // always, the rest as many as its set has.
  for (int i = 1; i <= state.AircraftTable.count(); ++i) {
    const AircraftRecord& aircraft = state.AircraftTable[i];
    if (aircraft.TypeName != "Flight" && aircraft.AircraftMark == 0) continue;

    // 1.1 The first waypoint.
    FlightWaypointRecord waypoint;
    waypoint.TagId = aircraft.TagId;
    waypoint.TypeName = aircraft.TypeName;
    waypoint.SquadName = aircraft.SquadName;
    waypoint.FlightName = aircraft.FlightName;
    waypoint.Callsign = aircraft.Callsign;
    waypoint.WaySet = aircraft.WaySet;
    waypoint.WaypointId = "1";
    if (state.FlightWaypointTable.full()) {
      Fail(state, ok, FullCode::FlightWaypoint);
      return;
    }
    state.FlightWaypointTable.append(waypoint);

    // 1.2 The others of its set; "0" and "49" mean no set.
    if (aircraft.WaySet == "49" || aircraft.WaySet == "0") continue;
    std::int32_t count = 0;
    for (const WaySetRecord& set : state.WaySetTable) {
      if (set.SetText == aircraft.WaySet) {
        count = set.WaypointCount;
        break;
      }
    }
    for (std::int32_t id = 2; id <= count; ++id) {
      if (state.FlightWaypointTable.full()) {
        Fail(state, ok, FullCode::FlightWaypoint);
        return;
      }
      waypoint.WaypointId = IntToText(id);
      state.FlightWaypointTable.append(waypoint);
    }
  }

  // 2. A set that no flight uses is still listed, unassigned.
  for (const WaySetRecord& set : state.WaySetTable) {
    bool used = false;
    for (const FlightWaypointRecord& waypoint : state.FlightWaypointTable) {
      if (waypoint.WaySet == set.SetText) {
        used = true;
        break;
      }
    }
    if (used) continue;
    FlightWaypointRecord waypoint;
    waypoint.TypeName = "[Waypoint]";
    waypoint.SquadName = "UnAssigned";
    waypoint.WaySet = set.SetText;
    for (std::int32_t id = 1; id <= set.WaypointCount; ++id) {
      if (state.FlightWaypointTable.full()) {
        Fail(state, ok, FullCode::FlightWaypoint);
        return;
      }
      waypoint.WaypointId = IntToText(id);
      state.FlightWaypointTable.append(waypoint);
    }
  }
}

namespace {

// Reads statements until one for which stop answers true, or a read fails
// (answers false). The lines in between are looked at where they stand in
// the file; the buffer gets the statement the reading stopped at.
template <typename Stop>
bool ReadUpTo(MissionState& state, MissionFile& file, std::string& statement, bool& ok, Stop stop) {
  std::string_view line = statement;
  do {
    ReadStatement(state, file, line, ok);
    if (!ok) break;
  } while (!stop(line));
  AssignStatement(statement, line);
  return ok;
}

}  // namespace

void LinkTriggerNames(MissionState& state, MissionFile& file, bool& ok) {
  std::string statement;
  LinkTriggerNames(state, file, statement, ok);
}

void LinkTriggerNames(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. Only a mission with triggers has names to link.
  if (!state.TriggersFound) return;

  // 2. From the first line again.
  file.Rewind();
  state.LineNo = 0;

  // 3. Up to the first trigger block. The first statement is looked at too,
  // so a mission that opens with its trigger is linked like any other.
  // The lines in between are looked at where they stand in the file.
  if (!ReadUpTo(state, file, statement, ok, [](std::string_view line) { return line == ".Trigger"; })) return;

  // 4. Trigger by trigger.
  while (!file.AtEnd() && statement != ".MissionSummary") {
    // 4.1 The trigger's name.
    ReadTriggerName(state, file, statement, ok);
    if (!ok) return;
    // The name in full: a name longer than the stored 30 characters equals
    // no entry of the table.
    const std::string triggerName = statement;

    // 4.2 Its actions: way-set and waypoint changes are collected, trigger
    // calls link the two triggers both ways.
    for (;;) {
      if (!ReadUpTo(state, file, statement, ok,
                    [](std::string_view line) { return line == ".Action" || line == ".EndTrigger"; })) {
        return;
      }
      if (statement == ".EndTrigger") break;
      ReadStatement(state, file, statement, ok);
      if (!ok) return;
      if (statement == ".CHANGEWAYSET") {
        CollectWaySetChange(state, file, statement, ok);
        if (!ok) return;
      } else if (statement == ".CHANGEFLIGHTWAYPOINT") {
        CollectWaypointChange(state, file, statement, ok);
        if (!ok) return;
      } else if (statement == ".TRIGGERATRIGGER") {
        ReadStatement(state, file, statement, ok);
        if (!ok) return;
        if (BeginsWith(statement, ".TriggerName")) {
          if (!TakeKeyword(state, statement, ".TriggerName", ok)) return;
          TrimBlanks(statement);
          const std::string calledName = TextValue(statement);
          for (TriggerRecord& trigger : state.TriggerTable) {
            if (trigger.TriggerName == triggerName) trigger.LinkedTrigger = calledName;
            if (trigger.TriggerName == calledName) trigger.LinkedTrigger = triggerName;
          }
        }
      }
      if (statement == ".EndTrigger") break;
    }

    // 4.3 On to the next trigger block.
    if (!ReadUpTo(state, file, statement, ok, [&file](std::string_view line) {
          return file.AtEnd() || line == ".Trigger" || line == ".MissionSummary";
        })) {
      return;
    }
  }

  // 5. Done.
  ok = true;
}

void ReadTriggerName(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. The line after ".Trigger".
  state.TriggersFound = true;
  ReadStatement(state, file, statement, ok);
  if (!ok) return;

  // 2. An optional mission objective line, optionally hidden.
  if (Contains(statement, ".MISSIONOBJ")) {
    if (!BeginsWith(statement, ".MISSIONOBJ")) {
      Fail(state, ok, 2);
      return;
    }
    if (!ReadPastHiddenMarker(state, file, statement, ok)) return;
  }

  // 3. The name, its end marker tested as written.
  if (BeginsWith(statement, ".Name")) {
    if (!TakeKeyword(state, statement, ".Name", ok)) return;
    CheckEndString(state, EndMarkerTail(statement), ok);
    if (!ok) return;
    TrimBlanks(statement);
    statement = TextValue(statement);
    return;
  }

  // 4. No name.
  Fail(state, ok, 3);
}

}  // namespace tolvane
