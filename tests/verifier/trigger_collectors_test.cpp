// Trigger blocks, bridges, trigger calls and waypoint blocks as pass one
// collects them.

#include <gtest/gtest.h>

#include "mission_builder.h"
#include "trigger_collectors.h"

namespace tolvane {
namespace {

using namespace builder;

std::vector<std::string> Repeat(const std::string& line, int times) { return std::vector<std::string>(times, line); }

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

int CodeOf(const std::vector<std::string>& body) {
  PassOneRun run = RunPassOne(TriggerBlock("Dawn Patrol", body) + MissionEnd());
  return run.ok ? 0 : run.state.ErrNo;
}

TEST(CollectTrigger, CheckAndActionLimits) {
  EXPECT_EQ(CodeOf({".Check", ".EndCheck", ".Action", ".EndAction"}), 0);
  EXPECT_EQ(CodeOf(Join(Repeat(".Check", 2), Repeat(".Action", 2))), 0);
  EXPECT_EQ(CodeOf(Repeat(".Action", 1)), 119);
  EXPECT_EQ(CodeOf(Repeat(".Check", 3)), 118);
  EXPECT_EQ(CodeOf(Join(Repeat(".Check", 1), Repeat(".Action", 3))), 120);
  EXPECT_EQ(CodeOf(Repeat(".Action", 3)), 120);  // the last test that applies
  // The counts start again for every trigger.
  const std::vector<std::string> two = Join(Repeat(".Check", 2), Repeat(".Action", 2));
  PassOneRun run = RunPassOne(TriggerBlock("Alpha", two) + TriggerBlock("Bravo", two) + MissionEnd());
  EXPECT_TRUE(run.ok) << run.state.ErrMsg;
  EXPECT_TRUE(run.state.TriggersFound);
}

TEST(CollectTrigger, BlocksThatDoNotEnd) {
  std::string open = Lines({".Trigger", ".Name Alpha .EndString", ".Check", ".EndCheck"});
  PassOneRun next = RunPassOne(open + TriggerBlock("Bravo", {".Check"}) + MissionEnd());
  EXPECT_EQ(next.state.ErrNo, 113);
  EXPECT_EQ(next.state.LineNo, 5);
  PassOneRun summary = RunPassOne(open + MissionEnd());
  EXPECT_EQ(summary.state.ErrNo, 113);
  PassOneRun end = RunPassOne(open + Lines({".EndMission"}));
  EXPECT_EQ(end.state.ErrNo, 134);
  EXPECT_EQ(end.state.LineNo, 6);  // the read past the last line counts
  PassOneRun dots = RunPassOne(open + Lines({"..Action", ".EndTrigger"}) + MissionEnd());
  EXPECT_EQ(dots.state.ErrNo, 122);
  EXPECT_EQ(dots.state.LineNo, 5);
}

TEST(CollectTrigger, HeaderAndName) {
  // An objective line and a hidden line come before the name.
  PassOneRun objective = RunPassOne(
      Lines({".Trigger", ".MISSIONOBJECTIVE", ".HIDDEN", ".Name Harbour Raid .EndString", ".Check", ".EndTrigger"}) +
      MissionEnd());
  ASSERT_TRUE(objective.ok) << objective.state.ErrMsg;
  ASSERT_EQ(objective.state.TriggerTable.count(), 1);
  EXPECT_EQ(objective.state.TriggerTable[1].TriggerName, "Harbour Raid");
  EXPECT_EQ(objective.state.TriggerTable[1].TypeName, "[Trigger]");

  PassOneRun nameless = RunPassOne(Lines({".Trigger", ".Check", ".EndTrigger"}) + MissionEnd());
  EXPECT_EQ(nameless.state.ErrNo, 3);
  PassOneRun joined = RunPassOne(Lines({".Trigger", ".NameAlpha .EndString"}) + MissionEnd());
  EXPECT_EQ(joined.state.ErrNo, 105);

  // The name is stored before its marker is found wanting.
  PassOneRun unmarked = RunPassOne(Lines({".Trigger", ".Name Alpha .EndName", ".Check", ".EndTrigger"}) + MissionEnd());
  EXPECT_EQ(unmarked.state.ErrNo, 4);
  EXPECT_EQ(unmarked.state.TriggerTable.count(), 1);
  // A blank after the marker: the trigger is collected (its header is trimmed
  // first), and the linking step that reads the header as written stops with 4.
  PassOneRun trailing = RunPassOne(Lines({".Trigger", ".Name Alpha .EndString ", ".Check", ".EndTrigger"}) + MissionEnd());
  EXPECT_EQ(trailing.state.ErrNo, 4);
  EXPECT_EQ(trailing.state.LineNo, 2);
  EXPECT_EQ(trailing.state.TriggerTable.count(), 1);

  // Names keep their first 30 characters.
  const std::string longName = "Convoy Escort Along The Coast X";  // 31 characters
  PassOneRun cut = RunPassOne(TriggerBlock(longName, {".Check"}) + MissionEnd());
  EXPECT_EQ(cut.state.TriggerTable[1].TriggerName, longName.substr(0, 30));
}

TEST(CollectBridge, BridgeLinesAreRecordedAndEndTheSkim) {
  // Three actions after the bridge line are not counted; the rest of the
  // block is read at the top level.
  const std::vector<std::string> body = {".Check", ".BRIDGEDESTROYED", ".BridgeName Old Mill Bridge .EndString",
                                         ".EndCheck", ".Action", ".Action", ".Action"};
  PassOneRun run = RunPassOne(Lines({"// bridges", ""}) + TriggerBlock("Mill Run", body) + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  ASSERT_EQ(run.state.BridgeTable.count(), 1);
  const BridgeRecord& bridge = run.state.BridgeTable[1];
  EXPECT_EQ(bridge.BridgeName, "Old Mill Bridge");
  EXPECT_EQ(bridge.TypeName, "[Bridge]");
  EXPECT_EQ(bridge.LineText, "7");
  EXPECT_EQ(bridge.ReferencedBy, ".BridgeName Old Mill Brid");

  MissionState state;
  bool ok = true;
  std::string blank = ".BridgeName Old Mill Bridge .EndString ";
  CollectBridge(state, blank, ok);
  EXPECT_EQ(state.ErrNo, 4);
  EXPECT_EQ(state.BridgeTable.count(), 0);
  ok = true;
  std::string joined = ".BridgeNameOld Mill Bridge .EndString";
  CollectBridge(state, joined, ok);
  EXPECT_EQ(state.ErrNo, 105);
}

TEST(TriggerTables, CapacityOfTriggersAndBridges) {
  std::string triggers;
  for (int t = 1; t <= 250; ++t) triggers += TriggerBlock("Watch " + std::to_string(t), {".Check"});
  PassOneRun full = RunPassOne(triggers + MissionEnd());
  ASSERT_TRUE(full.ok) << full.state.ErrMsg;
  EXPECT_EQ(full.state.TriggerTable.count(), 250);
  PassOneRun past = RunPassOne(triggers + TriggerBlock("Watch 251", {".Check"}) + MissionEnd());
  EXPECT_EQ(past.state.ErrNo, 68);
  EXPECT_EQ(past.state.TriggerTable.count(), 250);

  std::string bridges;
  for (int b = 1; b <= 56; ++b) {
    bridges += TriggerBlock("Span " + std::to_string(b), {".Check", ".BridgeName Span " + std::to_string(b) + " .EndString"});
  }
  EXPECT_TRUE(RunPassOne(bridges + MissionEnd()).ok);
  PassOneRun bridge57 =
      RunPassOne(bridges + TriggerBlock("Span 57", {".Check", ".BridgeName Span 57 .EndString"}) + MissionEnd());
  EXPECT_EQ(bridge57.state.ErrNo, 68);
  EXPECT_EQ(bridge57.state.BridgeTable.count(), 56);
}

TEST(CollectTriggerCall, TopLevelCalls) {
  PassOneRun run = RunPassOne(Lines({".TRIGGERATRIGGER", ".TriggerName Second Wave .EndString"}) + MissionEnd());
  ASSERT_TRUE(run.ok);
  ASSERT_EQ(run.state.TriggerTable.count(), 1);
  EXPECT_EQ(run.state.TriggerTable[1].TypeName, "[TrigATrig]");
  EXPECT_EQ(run.state.TriggerTable[1].TriggerName, "Second Wave");
  EXPECT_FALSE(run.state.TriggersFound);
  EXPECT_EQ(RunPassOne(Lines({".TriggerATrigger", ".Name Second Wave .EndString"}) + MissionEnd()).state.ErrNo, 95);
  EXPECT_EQ(RunPassOne(Lines({".TRIGGERATRIGGER", ".TriggerName Second Wave"}) + MissionEnd()).state.ErrNo, 4);
}

TEST(CollectFlightWaypoint, SetCountsComeFromTheLastBlock) {
  PassOneRun inOrder = RunPassOne(WaypointBlock("3", "1") + WaypointBlock("3", "2") + MissionEnd());
  ASSERT_TRUE(inOrder.ok);
  ASSERT_EQ(inOrder.state.WaySetTable.count(), 1);
  EXPECT_EQ(inOrder.state.WaySetTable[1].SetText, "3");
  EXPECT_EQ(inOrder.state.WaySetTable[1].WaypointCount, 2);
  PassOneRun reversed = RunPassOne(WaypointBlock("3", "2") + WaypointBlock("3", "1") + MissionEnd());
  EXPECT_EQ(reversed.state.WaySetTable[1].WaypointCount, 1);

  // Notes are passed over up to their end, one-line notes included.
  PassOneRun notes = RunPassOne(Lines({".WAYPOINT", ".Set 4", ".ID 1", ".Notes", "Climb to angels 12", "over the estuary",
                                       ".EndNotes", ".Notes short .EndNotes", ".Speed 200", ".EndWayPoint"}) +
                                MissionEnd());
  EXPECT_TRUE(notes.ok) << notes.state.ErrMsg << " at " << notes.state.LineNo;
}

TEST(CollectFlightWaypoint, FaultsStopAtTheirStep) {
  EXPECT_EQ(RunPassOne(WaypointBlock("three", "1") + MissionEnd()).state.ErrNo, 21);
  EXPECT_EQ(RunPassOne(WaypointBlock("3", "1.5") + MissionEnd()).state.ErrNo, 21);
  EXPECT_EQ(RunPassOne(Lines({".WAYPOINT", ".Set 3", ".ID1", ".EndWayPoint"}) + MissionEnd()).state.ErrNo, 105);
  EXPECT_EQ(RunPassOne(Lines({".WAYPOINT", ".ID 1"}) + MissionEnd()).state.ErrNo, 81);
  EXPECT_EQ(RunPassOne(Lines({".WAYPOINT", ".Set 3", ".Speed 1"}) + MissionEnd()).state.ErrNo, 83);
  PassOneRun bad = RunPassOne(WaypointBlock("3", "x") + MissionEnd());
  EXPECT_EQ(bad.state.WaySetTable.count(), 0);
  EXPECT_EQ(bad.state.LineNo, 3);
}

TEST(CollectVehicleWaypoint, RecordsAndRepeats) {
  PassOneRun run = RunPassOne(VehicleWaypointBlock("300", "5", "1") + VehicleWaypointBlock("301", "5", "1") +
                              VehicleWaypointBlock("300", "east", "2") + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  ASSERT_EQ(run.state.VehicleWaypointTable.count(), 2);  // set and ID given twice: stored once
  const VehicleWaypointRecord& first = run.state.VehicleWaypointTable[1];
  EXPECT_EQ(first.TagId, "300");
  EXPECT_EQ(first.TypeName, "[Vehicle WayPt]");
  EXPECT_EQ(first.WaySet, " 5");  // kept as written after the keyword
  EXPECT_EQ(first.WaypointId, "1");
  EXPECT_EQ(run.state.VehicleWaypointTable[2].WaySet, " east");  // not tested as a number

  std::string full;
  for (int id = 1; id <= 250; ++id) full += VehicleWaypointBlock("7", "2", std::to_string(id));
  PassOneRun past = RunPassOne(full + VehicleWaypointBlock("7", "2", "251") + MissionEnd());
  EXPECT_EQ(past.state.ErrNo, 101);
  EXPECT_EQ(past.state.VehicleWaypointTable.count(), 250);

  EXPECT_EQ(RunPassOne(VehicleWaypointBlock("7", "2", "one") + MissionEnd()).state.ErrNo, 21);
}

}  // namespace
}  // namespace tolvane
