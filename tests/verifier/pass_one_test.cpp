// Pass one as a whole: reading, dispatching, flight waypoints and trigger links.

#include <gtest/gtest.h>

#include "mission_builder.h"

namespace tolvane {
namespace {

using namespace builder;

TEST(PassOne, WhereThePassEnds) {
  // Without a summary the pass ends at the final line.
  PassOneRun noSummary = RunPassOne(VehicleBlock("Lorry", "5") + Lines({".EndMission"}));
  EXPECT_TRUE(noSummary.ok) << noSummary.state.ErrMsg;
  EXPECT_EQ(noSummary.state.ErrMsg, "Appears To Be A Good Mission");

  // Nothing after the summary is read, triggers or not.
  const std::string afterSummary = Lines({".MissionSummary", "no dot here", "   ", ".EndMission", ""});
  for (const std::string& body : {VehicleBlock("Lorry", "5"), TriggerBlock("Dusk", {".Check"})}) {
    PassOneRun run = RunPassOne(body + afterSummary);
    EXPECT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
    EXPECT_EQ(run.state.ErrNo, 0);
  }

  // The last line must be an exact ".EndMission".
  PassOneRun emptyAfter = RunPassOne(Lines({".Notes", ".EndMission", ""}));
  EXPECT_EQ(emptyAfter.state.ErrNo, 62);
  EXPECT_EQ(emptyAfter.state.LineNo, 3);
  PassOneRun oneBlank = RunPassOne(Lines({".EndMission"}) + " ");
  EXPECT_EQ(oneBlank.state.ErrNo, 106);
  EXPECT_EQ(oneBlank.state.LineNo, 2);
  PassOneRun empty = RunPassOne("");
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.state.ErrNo, 62);
  EXPECT_EQ(empty.state.LineNo, 1);
}

TEST(PassOne, TopLevelKeywordsAndLineNumbers) {
  // Upper-cased comparison: a lower-case trigger keyword opens a block (here
  // one without a check).
  EXPECT_EQ(RunPassOne(Lines({".trigger", ".Name Dusk .EndString", ".EndTrigger"}) + MissionEnd()).state.ErrNo, 119);
  // A trailing blank makes it an unknown keyword, passed over with its block.
  PassOneRun trailing = RunPassOne(Lines({".Trigger ", ".Name Dusk .EndString", ".EndTrigger"}) + MissionEnd());
  EXPECT_TRUE(trailing.ok);
  EXPECT_FALSE(trailing.state.TriggersFound);
  EXPECT_TRUE(RunPassOne(Lines({"AND", "OR", ".Weather Fine"}) + MissionEnd()).ok);

  // Comments, empty lines and blank lines all count.
  PassOneRun lower = RunPassOne(Lines({"// Operation Lantern", "", "   ", ".Notes", "\tand", ".EndMission"}));
  EXPECT_EQ(lower.state.ErrNo, 60);
  EXPECT_EQ(lower.state.LineNo, 5);
  EXPECT_EQ(lower.statement, "and");
  EXPECT_EQ(lower.state.ErrMsg, "Expected a Keyword but \".\" not found ");
}

TEST(BuildFlightWaypoints, EveryAircraftAndEveryUnusedSet) {
  const std::string sets = WaypointBlock("3", "1") + WaypointBlock("3", "2") + WaypointBlock("3", "3") +
                           WaypointBlock("8", "1") + WaypointBlock("8", "2");
  const std::string flight = FlightBlock("10", "Kestrel Wing", "Blue Section",
                                         {{"Gannet", "11", "0", "Kestrel 1"},
                                          {"Gannet", "12", "49", "Kestrel 2"},
                                          {"Gannet", "13", "3", "Kestrel 3"}});
  PassOneRun run = RunPassOne(sets + flight + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  const auto& table = run.state.FlightWaypointTable;
  ASSERT_EQ(table.count(), 10);
  // The flight record takes its last plane's set: three waypoints.
  EXPECT_EQ(table[1].TagId, "10");
  EXPECT_EQ(table[1].TypeName, "Flight");
  EXPECT_EQ(table[3].WaypointId, "3");
  // Sets "0" and "49" mean one waypoint only.
  EXPECT_EQ(table[4].TagId, "11");
  EXPECT_EQ(table[4].WaypointId, "1");
  EXPECT_EQ(table[5].TagId, "12");
  EXPECT_EQ(table[6].TagId, "13");
  EXPECT_EQ(table[6].Callsign, "Kestrel 3");
  EXPECT_EQ(table[8].WaypointId, "3");
  // Set 8 is used by no one.
  EXPECT_EQ(table[9].TypeName, "[Waypoint]");
  EXPECT_EQ(table[9].SquadName, "UnAssigned");
  EXPECT_EQ(table[10].WaySet, "8");
  EXPECT_EQ(table[10].WaypointId, "2");
  EXPECT_TRUE(table[10].TagId.empty());
}

TEST(BuildFlightWaypoints, StopsAtTheTableCapacity) {
  std::string sets;
  for (int set = 1; set <= 100; ++set) sets += WaypointBlock(std::to_string(set), "6");
  PassOneRun full = RunPassOne(sets + MissionEnd());
  ASSERT_TRUE(full.ok) << full.state.ErrMsg;
  EXPECT_EQ(full.state.FlightWaypointTable.count(), 600);
  // A flight of one plane adds two records before the sets: the 601st stops the pass.
  PassOneRun past = RunPassOne(sets + FlightBlock("1", "Sq", "Fl", {{"Gannet", "2", "0", "Kestrel 1"}}) + MissionEnd());
  EXPECT_FALSE(past.ok);
  EXPECT_EQ(past.state.ErrNo, 85);
  EXPECT_EQ(past.state.FlightWaypointTable.count(), 600);
  // A huge waypoint number is cut off by the capacity as well.
  PassOneRun huge = RunPassOne(WaypointBlock("1", "2147483647") + MissionEnd());
  EXPECT_EQ(huge.state.ErrNo, 85);
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
  const std::string call = ".TriggerName Bravo .EndString";
  const std::string text = TriggerBlock(longName, CheckAndAction({".TRIGGERATRIGGER", call})) +
                           TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd();
  PassOneRun run = RunPassOne(text);
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  ASSERT_EQ(run.state.TriggerTable.count(), 2);
  EXPECT_EQ(run.state.TriggerTable[1].TriggerName, longName.substr(0, 30));
  EXPECT_TRUE(run.state.TriggerTable[1].LinkedTrigger.empty());
  EXPECT_EQ(run.state.TriggerTable[2].LinkedTrigger, longName.substr(0, 25));

  // A name of exactly 30 characters is stored whole and links both ways.
  const std::string thirty = longName.substr(0, 30);
  PassOneRun exact = RunPassOne(TriggerBlock(thirty, CheckAndAction({".TRIGGERATRIGGER", call})) +
                                TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd());
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

TEST(LinkTriggerNames, AFailureLeavesTheStatementItRead) {
  // The link step re-reads the triggers after the first reading has ended;
  // its failures must leave their own statement, not the summary line, so
  // the editor finds it on the error line.
  const std::string world = WaypointBlock("3", "1") + WaypointBlock("3", "2") +
                            FlightBlock("10", "Kestrel Wing", "Red Section", {{"Gannet", "11", "3", "Red One"}});
  const std::string squadWithoutMarker =
      world +
      TriggerBlock("Alpha", CheckAndAction({".CHANGEFLIGHTWAYPOINT", ".Squad Kestrel Wing",
                                            ".Flight Red Section .EndString", ".Waypoint 2"})) +
      MissionEnd();
  PassOneRun run = RunPassOne(squadWithoutMarker);
  EXPECT_FALSE(run.ok);
  EXPECT_EQ(run.state.ErrNo, 4);
  EXPECT_NE(LineOf(squadWithoutMarker, run.state.LineNo).find(run.statement), std::string::npos);
  EXPECT_FALSE(run.statement.empty());

  const std::string callWithoutSeparator =
      world + TriggerBlock("Alpha", CheckAndAction({".TRIGGERATRIGGER", ".TriggerName.Bravo .EndString"})) +
      TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd();
  run = RunPassOne(callWithoutSeparator);
  EXPECT_EQ(run.state.ErrNo, 105);
  EXPECT_FALSE(run.statement.empty());
  EXPECT_NE(LineOf(callWithoutSeparator, run.state.LineNo).find(run.statement), std::string::npos);
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
  const FlightWaypointRecord& setChange = table[4];
  EXPECT_EQ(setChange.TypeName, "[WaySet Chg]");
  EXPECT_EQ(setChange.TagId, "12");
  EXPECT_EQ(setChange.Callsign, "Kestrel 2");
  EXPECT_EQ(setChange.WaySet, "6");
  const FlightWaypointRecord& pointChange = table[5];
  EXPECT_EQ(pointChange.TypeName, "[WayPt Chg]");
  EXPECT_EQ(pointChange.TagId, "12");   // the last aircraft with those names
  EXPECT_EQ(pointChange.WaySet, "6");   // the set it was changed to
  EXPECT_EQ(pointChange.WaypointId, "2");

  // A top-level set change is collected by the dispatcher.
  PassOneRun topLevel = RunPassOne(flight + Lines({".ChangeWaySet", ".TagIdentifier 11", ".WaySet 9"}) + MissionEnd());
  ASSERT_TRUE(topLevel.ok) << topLevel.state.ErrMsg;
  EXPECT_EQ(topLevel.state.FlightWaypointTable[1].TypeName, "[WaySet Chg]");
  EXPECT_EQ(topLevel.state.FlightWaypointTable[1].SquadName, "Kestrel Wing");

  // A waypoint change with a blank after a marker stops with 4, adding nothing.
  std::string blank = trigger;
  blank.replace(blank.find("Blue Section .EndString"), 23, "Blue Section .EndString ");
  PassOneRun marked = RunPassOne(flight + blank + MissionEnd());
  EXPECT_EQ(marked.state.ErrNo, 4);
  EXPECT_EQ(marked.state.FlightWaypointTable.count(), 4);
}

TEST(PassOne, RunsDoNotInheritEarlierRuns) {
  const std::string plain = VehicleBlock("Lorry", "5") + MissionEnd();
  PassOneRun fresh = RunPassOne(plain);
  MissionState state;
  bool ok = true;
  std::string statement;
  MissionFile failing;
  failing.OpenBytes(FlightBlock("10", "Sq", "Fl", {{"Gannet", "11", "0", "K"}}) +
                    TriggerBlock("Alpha", {".Check", ".Check", ".Check"}) + MissionEnd());
  PassOne(state, failing, ok, statement);
  ASSERT_EQ(state.ErrNo, 118);
  MissionFile again;
  again.OpenBytes(plain);
  state.ErrNo = 0;
  ok = true;
  PassOne(state, again, ok, statement);
  EXPECT_EQ(ok, fresh.ok);
  EXPECT_FALSE(state.TriggersFound);
  EXPECT_EQ(state.TriggerTable.count(), 0);
  EXPECT_EQ(state.AircraftTable.count(), 0);
  EXPECT_EQ(state.LineNo, fresh.state.LineNo);
  EXPECT_EQ(state.ErrMsg, fresh.state.ErrMsg);
}

}  // namespace
}  // namespace tolvane
