// Pass one as a whole: where it stops on a fault, what its collectors store,
// flight waypoints and trigger links.

#include <gtest/gtest.h>

#include "entity_collectors.h"
#include "error_location.h"
#include "statement_reader.h"
#include "mission_builder.h"

namespace tolvane {
namespace {

using namespace builder;

std::vector<PlaneSpec> Planes(int count, int firstTag, const std::string& lastSet = "4") {
  std::vector<PlaneSpec> planes;
  for (int i = 0; i < count; ++i) {
    planes.push_back({"Gannet", std::to_string(firstTag + i), i + 1 == count ? lastSet : "2",
                      "Kestrel " + std::to_string(i + 1)});
  }
  return planes;
}

// The text with line inserted in front of the first occurrence of before.
std::string Inserted(std::string text, const std::string& before, const std::string& line) {
  text.insert(text.find(before), line + "\r\n");
  return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

std::vector<std::string> Repeat(const std::string& line, int times) { return std::vector<std::string>(times, line); }

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(PassOne, FaultsStopWithTheirCodeAtTheirLine) {
  const std::string flight = FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(1, 11));
  const std::string openTrigger = Lines({".Trigger", ".Name Alpha .EndString", ".Check", ".EndCheck"});
  const std::string world = WaypointBlock("3", "1") + WaypointBlock("3", "2") +
                            FlightBlock("10", "Kestrel Wing", "Red Section", {{"Gannet", "11", "3", "Red One"}});
  std::string openEntity = StructureBlock("Hangar", "400");
  openEntity.erase(openEntity.find(".EndEntity"));
  const struct {
    const char* what;
    std::string text;
    int code;
    int line;                // 0: not checked
    std::string statement;   // empty: not checked
  } cases[] = {
      // The last line must be an exact ".EndMission".
      {"empty file", "", 62, 1, ""},
      {"empty line after the end", Lines({".Notes", ".EndMission", ""}), 62, 3, ""},
      {"a blank after the end", Lines({".EndMission"}) + " ", 106, 2, ""},
      // Comments, empty lines and blank lines all count.
      {"no dot", Lines({"// Operation Lantern", "", "   ", ".Notes", "\tand", ".EndMission"}), 60, 5, "and"},
      // Upper-cased comparison: a lower-case trigger keyword opens a block.
      {"lower-case trigger", Lines({".trigger", ".Name Dusk .EndString", ".EndTrigger"}) + MissionEnd(), 119, 0, ""},
      // Flights, divisions and entities.
      {"flight tag not a number", FlightBlock("1O", "Kestrel Wing", "Blue Section", Planes(1, 11)) + MissionEnd(), 21,
       3, ""},
      {"flight name without separator", Replaced(flight, ".FlightName Blue", ".FlightNameBlue") + MissionEnd(), 105, 9,
       ""},
      {"unknown statement in a plane", Inserted(flight, ".Yaw", ".Weather Fine") + MissionEnd(), 114, 21, ""},
      {"stray line after a plane", Inserted(flight, ".EndAggregate", ".Notes") + MissionEnd(), 90, 0, ".Notes"},
      {"untyped aggregate", Lines({".AGGREGATE", ".Side Allied"}) + MissionEnd(), 50, 0, ""},
      {"untagged division", Lines({".AGGREGATE", ".Type Division", ".Name Iron Column"}) + MissionEnd(), 9, 3, ""},
      {"speed in an entity", Lines({".ENTITY", ".Type Lorry", ".TagIdentifier 5", ".Speed 20"}) + MissionEnd(), 121, 4,
       ""},
      {"entity without end", openEntity + Replaced(StructureBlock("Hangar", "401"), ".ENTITY", ".Entity") + MissionEnd(),
       92, 6, ""},
      // Trigger blocks: at least one check, at most two checks and two actions.
      {"no check", TriggerBlock("Dawn", {".Action"}) + MissionEnd(), 119, 0, ""},
      {"three checks", TriggerBlock("Dawn", Repeat(".Check", 3)) + MissionEnd(), 118, 0, ""},
      {"three actions", TriggerBlock("Dawn", Join({".Check"}, Repeat(".Action", 3))) + MissionEnd(), 120, 0, ""},
      {"trigger runs into the next", openTrigger + TriggerBlock("Bravo", {".Check"}) + MissionEnd(), 113, 5, ""},
      {"trigger runs to the end", openTrigger + Lines({".EndMission"}), 134, 6, ""},
      {"two dots in a trigger", openTrigger + Lines({"..Action", ".EndTrigger"}) + MissionEnd(), 122, 5, ""},
      {"nameless trigger", Lines({".Trigger", ".Check", ".EndTrigger"}) + MissionEnd(), 3, 0, ""},
      {"name without marker", Lines({".Trigger", ".Name Alpha .EndName", ".Check", ".EndTrigger"}) + MissionEnd(), 4, 0,
       ""},
      // The header is trimmed when collected, but the link step reads it as written.
      {"blank after the name marker", Lines({".Trigger", ".Name Alpha .EndString ", ".Check", ".EndTrigger"}) +
       MissionEnd(), 4, 2, ""},
      {"top-level call without its name", Lines({".TriggerATrigger", ".Name Second Wave .EndString"}) + MissionEnd(),
       95, 0, ""},
      // The link step re-reads the triggers after the first reading has ended;
      // its failures leave their own statement, not the summary line.
      {"squad without marker in a waypoint change",
       world + TriggerBlock("Alpha", CheckAndAction({".CHANGEFLIGHTWAYPOINT", ".Squad Kestrel Wing",
                                                     ".Flight Red Section .EndString", ".Waypoint 2"})) + MissionEnd(),
       4, 0, " Kestrel Wing"},
      {"call without separator",
       world + TriggerBlock("Alpha", CheckAndAction({".TRIGGERATRIGGER", ".TriggerName.Bravo .EndString"})) +
           TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd(),
       105, 0, ""},
      // Waypoints.
      {"ID not a whole number", WaypointBlock("3", "1.5") + MissionEnd(), 21, 3, ""},
      {"no set", Lines({".WAYPOINT", ".ID 1"}) + MissionEnd(), 81, 0, ""},
      {"no ID", Lines({".WAYPOINT", ".Set 3", ".Speed 1"}) + MissionEnd(), 83, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PassOneRun run = RunPassOne(c.text);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.state.ErrNo, c.code);
    if (c.line != 0) {
      EXPECT_EQ(run.state.LineNo, c.line);
    }
    if (!c.statement.empty()) {
      EXPECT_EQ(run.statement, c.statement);
    }
    // The statement left behind stands on the error line, where the editor looks.
    std::string line = LineOfText(c.text, run.state.LineNo), statement = run.statement;
    UpperCaseAscii(line);
    UpperCaseAscii(statement);
    EXPECT_NE(line.find(statement), std::string::npos) << run.statement << " at " << run.state.LineNo;
  }
}

TEST(PassOne, WhatIsPassedOverAndWhereThePassEnds) {
  const std::string flight = FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(1, 11));
  const std::string afterSummary = Lines({".MissionSummary", "no dot here", "   ", ".EndMission", ""});
  const std::pair<const char*, std::string> cases[] = {
      {"no summary", VehicleBlock("Lorry", "5") + Lines({".EndMission"})},
      // Nothing after the summary is read, triggers or not.
      {"after the summary", VehicleBlock("Lorry", "5") + afterSummary},
      {"trigger before the summary", TriggerBlock("Dusk", {".Check"}) + afterSummary},
      // A trailing blank makes an unknown keyword, passed over with its block.
      {"trigger keyword with a blank", Lines({".Trigger ", ".Name Dusk .EndString", ".EndTrigger"}) + MissionEnd()},
      // Any other aggregate is passed over; its lines are then top-level statements.
      {"other aggregate", Lines({".AGGREGATE", ".Type Convoy", ".TagIdentifier 40", ".Name Supply", ".EndAggregate"}) +
                              MissionEnd()},
      {"unknown statement in the info section", Inserted(flight, ".EndInfo", ".Weather Fine") + Lines({".EndMission"})},
      {"separator a tab", Replaced(flight, ".FlightName Blue", ".FlightName\tBlue") + MissionEnd()},
      {"waypoint notes", Lines({".WAYPOINT", ".Set 4", ".ID 1", ".Notes", "Climb to angels 12", "over the estuary",
                                ".EndNotes", ".Notes short .EndNotes", ".Speed 200", ".EndWayPoint"}) + MissionEnd()},
  };
  for (const auto& [what, text] : cases) {
    SCOPED_TRACE(what);
    const PassOneRun run = RunPassOne(text);
    EXPECT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
    EXPECT_EQ(run.state.ErrNo, 0);  // no finding is left behind
  }
  EXPECT_FALSE(RunPassOne(cases[3].second).state.TriggersFound);
}

TEST(PassOne, FlightsAndEntitiesAreStoredOnceByTag) {
  PassOneRun run = RunPassOne(FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(5, 11, "7")) +
                              FlightBlock("30", "Heron Wing", "Red Section", Planes(1, 31)) +
                              FlightBlock("30", "Heron Wing", "Gold Section", Planes(1, 41)) +
                              VehicleBlock("Lorry 3t", "300", "5") + VehicleBlock("Lorry 3t", "300", "6") +
                              VehicleBlock("Lorry", "123456") + VehicleBlock("Lorry", "123457") +
                              StructureBlock("Signal Tower Mk II", "400") + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  const auto& aircraft = run.state.AircraftTable;
  ASSERT_EQ(aircraft.count(), 9);
  EXPECT_EQ(aircraft[1].Plane1, "11");
  EXPECT_EQ(aircraft[1].Plane4, "14");
  EXPECT_EQ(aircraft[1].WaySet, "7");  // the last plane's
  EXPECT_EQ(aircraft[6].FlightTag, "10");
  EXPECT_EQ(aircraft[6].SquadName, "Kestrel Wing");
  // A repeated flight tag rewrites the earlier flight.
  EXPECT_EQ(aircraft[7].FlightName, "Gold Section");
  EXPECT_EQ(aircraft[7].Plane1, "41");
  EXPECT_EQ(run.state.TagTable[6].AircraftIndex, 6);
  // A repeated vehicle tag is stored once, six digits keep their first five.
  ASSERT_EQ(run.state.VehicleTable.count(), 2);
  EXPECT_EQ(run.state.VehicleTable[1].WaySet, "5");
  EXPECT_EQ(run.state.VehicleTable[2].TagId, "12345");
  EXPECT_EQ(run.state.StructureTable[1].TypeName, "Signal Tower Mk");  // 15 characters
  EXPECT_EQ(run.state.TagTable[run.state.TagTable.count()].TypeName, "Signal Tower Mk II");
  // What came before a stop stays.
  EXPECT_EQ(RunPassOne(StructureBlock("Hangar", "1") + Lines({".ENTITY", ".Type Lorry", ".Speed 20"}) + MissionEnd())
                .state.StructureTable.count(),
            1);

  // A flight record the table does not hold is a fault of its own.
  MissionState state;
  AircraftRecord unknown;
  unknown.TagId = "42";
  bool ok = true;
  UpdateFlightRecord(state, unknown, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 99);
}

TEST(PassOne, WaypointTablesAndSetCounts) {
  const std::string sets = WaypointBlock("3", "1") + WaypointBlock("3", "2") + WaypointBlock("3", "3") +
                           WaypointBlock("8", "1") + WaypointBlock("8", "2");
  const std::string flight = FlightBlock("10", "Kestrel Wing", "Blue Section",
                                         {{"Gannet", "11", "0", "Kestrel 1"},
                                          {"Gannet", "12", "49", "Kestrel 2"},
                                          {"Gannet", "13", "3", "Kestrel 3"}});
  PassOneRun run = RunPassOne(sets + flight + VehicleWaypointBlock("300", "5", "1") +
                              VehicleWaypointBlock("301", "5", "1") + VehicleWaypointBlock("300", "east", "2") +
                              MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  const auto& table = run.state.FlightWaypointTable;
  ASSERT_EQ(table.count(), 10);
  // The flight record takes its last plane's set: three waypoints.
  EXPECT_EQ(table[1].TagId, "10");
  EXPECT_EQ(table[3].WaypointId, "3");
  // Sets "0" and "49" mean one waypoint only.
  EXPECT_EQ(table[4].TagId, "11");
  EXPECT_EQ(table[5].TagId, "12");
  EXPECT_EQ(table[6].TagId, "13");
  // Set 8 is used by no one.
  EXPECT_EQ(table[9].SquadName, "UnAssigned");
  EXPECT_EQ(table[10].WaySet, "8");
  EXPECT_TRUE(table[10].TagId.empty());
  // A set and ID given twice is stored once; the set is kept as written.
  ASSERT_EQ(run.state.VehicleWaypointTable.count(), 2);
  EXPECT_EQ(run.state.VehicleWaypointTable[1].WaySet, " 5");
  EXPECT_EQ(run.state.VehicleWaypointTable[2].WaySet, " east");

  // A set's count comes from its last block.
  PassOneRun reversed = RunPassOne(WaypointBlock("3", "2") + WaypointBlock("3", "1") + MissionEnd());
  ASSERT_EQ(reversed.state.WaySetTable.count(), 1);
  EXPECT_EQ(reversed.state.WaySetTable[1].WaypointCount, 1);
}

TEST(PassOne, TriggersBridgesAndCalls) {
  // An objective line and a hidden line come before the name; three actions
  // after the bridge line are not counted, the rest is read at the top level.
  const std::string longName = "Convoy Escort Along The Coast X";  // 31 characters
  PassOneRun run = RunPassOne(
      Lines({"// bridges", ".Trigger", ".MISSIONOBJECTIVE", ".HIDDEN", ".Name Harbour Raid .EndString", ".Check",
             ".BRIDGEDESTROYED", ".BridgeName Old Mill Bridge .EndString", ".EndCheck", ".Action", ".Action",
             ".Action", ".EndTrigger"}) +
      TriggerBlock(longName, Join(Repeat(".Check", 2), Repeat(".Action", 2))) +
      TriggerBlock("Bravo", Join(Repeat(".Check", 2), Repeat(".Action", 2))) +
      Lines({".TRIGGERATRIGGER", ".TriggerName Second Wave .EndString"}) + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  EXPECT_TRUE(run.state.TriggersFound);
  ASSERT_EQ(run.state.TriggerTable.count(), 4);
  EXPECT_EQ(run.state.TriggerTable[1].TriggerName, "Harbour Raid");
  EXPECT_EQ(run.state.TriggerTable[2].TriggerName, longName.substr(0, 30));
  EXPECT_EQ(run.state.TriggerTable[4].TypeName, "[TrigATrig]");
  ASSERT_EQ(run.state.BridgeTable.count(), 1);
  EXPECT_EQ(run.state.BridgeTable[1].BridgeName, "Old Mill Bridge");
  EXPECT_EQ(run.state.BridgeTable[1].LineText, "8");
  EXPECT_EQ(run.state.BridgeTable[1].ReferencedBy, ".BridgeName Old Mill Brid");
}

TEST(LinkTriggerNames, CallsLinkBothWays) {
  const std::string text =
      TriggerBlock("Alpha", CheckAndAction({".TRIGGERATRIGGER", ".TriggerName Bravo .EndString"})) +
      TriggerBlock("Bravo", CheckAndAction({".LOADNEXTMISSION", ".MissionName Homecoming .EndString"})) +
      TriggerBlock("Charlie", {".Check"}) + MissionEnd();
  PassOneRun run = RunPassOne(text);
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  ASSERT_EQ(run.state.TriggerTable.count(), 3);
  EXPECT_EQ(run.state.TriggerTable[1].LinkedTrigger, "Bravo");
  EXPECT_EQ(run.state.TriggerTable[2].LinkedTrigger, "Alpha");
  EXPECT_TRUE(run.state.TriggerTable[3].LinkedTrigger.empty());

  // Trigger keywords all in capitals are collected, but the link step looks
  // for ".Trigger" as written and runs off the end of the file.
  std::string capitals = text;
  for (std::size_t at = capitals.find(".Trigger\r"); at != std::string::npos; at = capitals.find(".Trigger\r")) {
    capitals.replace(at, 8, ".TRIGGER");
  }
  PassOneRun shouted = RunPassOne(capitals);
  EXPECT_TRUE(shouted.state.TriggersFound);
  EXPECT_EQ(shouted.state.ErrNo, 62);
}

TEST(LinkTriggerNames, NamesAreComparedInFull) {
  // The table keeps the first 30 characters of a name. A caller whose name is
  // longer equals no entry, so it links nothing; the trigger it calls still
  // learns the caller's name, as far as its link field holds it.
  const std::string longName = "Evening Patrol Over The Estuary Bridge";
  const std::string thirty = longName.substr(0, 30);
  const std::string call = ".TriggerName Bravo .EndString";
  const std::string bravo = TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"});
  PassOneRun run = RunPassOne(TriggerBlock(longName, CheckAndAction({".TRIGGERATRIGGER", call})) + bravo + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  EXPECT_TRUE(run.state.TriggerTable[1].LinkedTrigger.empty());
  EXPECT_EQ(run.state.TriggerTable[2].LinkedTrigger, longName.substr(0, 25));

  // A name of exactly 30 characters is stored whole and links both ways.
  PassOneRun exact = RunPassOne(TriggerBlock(thirty, CheckAndAction({".TRIGGERATRIGGER", call})) + bravo + MissionEnd());
  ASSERT_TRUE(exact.ok);
  EXPECT_EQ(exact.state.TriggerTable[1].LinkedTrigger, "Bravo");
  EXPECT_EQ(exact.state.TriggerTable[2].LinkedTrigger, thirty.substr(0, 25));

  // A called name longer than 30 characters links no callee either.
  PassOneRun longCall = RunPassOne(
      TriggerBlock("Alpha", CheckAndAction({".TRIGGERATRIGGER", ".TriggerName " + longName + " .EndString"})) +
      TriggerBlock(longName, {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd());
  ASSERT_TRUE(longCall.ok);
  EXPECT_EQ(longCall.state.TriggerTable[1].LinkedTrigger, longName.substr(0, 25));
  EXPECT_TRUE(longCall.state.TriggerTable[2].LinkedTrigger.empty());
}

TEST(LinkTriggerNames, WaySetAndWaypointChanges) {
  const std::string flight = FlightBlock("10", "Kestrel Wing", "Blue Section",
                                         {{"Gannet", "11", "3", "Kestrel 1"}, {"Gannet", "12", "3", "Kestrel 2"}});
  const std::string trigger = TriggerBlock(
      "Turn Back", {".Check", ".TIME 60", ".EndCheck", ".Action", ".CHANGEWAYSET", ".TagIdentifier 12", ".WaySet 6",
                    ".EndAction", ".Action", ".CHANGEFLIGHTWAYPOINT", ".Squad Kestrel Wing .EndString",
                    ".Flight Blue Section .EndString", ".Waypoint 2", ".EndAction"});
  PassOneRun run = RunPassOne(WaypointBlock("3", "1") + flight + trigger + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  const auto& table = run.state.FlightWaypointTable;
  ASSERT_EQ(table.count(), 5);
  EXPECT_EQ(table[4].TypeName, "[WaySet Chg]");
  EXPECT_EQ(table[4].TagId, "12");
  EXPECT_EQ(table[4].WaySet, "6");
  EXPECT_EQ(table[5].TypeName, "[WayPt Chg]");
  EXPECT_EQ(table[5].TagId, "12");  // the last aircraft with those names
  EXPECT_EQ(table[5].WaySet, "6");  // the set it was changed to
  EXPECT_EQ(table[5].WaypointId, "2");

  // A top-level set change is collected by the dispatcher.
  PassOneRun topLevel = RunPassOne(flight + Lines({".ChangeWaySet", ".TagIdentifier 11", ".WaySet 9"}) + MissionEnd());
  ASSERT_TRUE(topLevel.ok) << topLevel.state.ErrMsg;
  EXPECT_EQ(topLevel.state.FlightWaypointTable[1].TypeName, "[WaySet Chg]");

  // A waypoint change with a blank after a marker stops with 4, adding nothing.
  PassOneRun marked =
      RunPassOne(flight + Replaced(trigger, "Blue Section .EndString", "Blue Section .EndString ") + MissionEnd());
  EXPECT_EQ(marked.state.ErrNo, 4);
  EXPECT_EQ(marked.state.FlightWaypointTable.count(), 4);
}

}  // namespace
}  // namespace tolvane
