// Input a mission author may feed the verifier by mistake: huge files, binary
// files, missing line ends, tables filled to their capacity and past it. Every
// one must end with a code of the message table and never crash or hang.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "mission_builder.h"
#include "statement_reader.h"
#include "verify.h"

namespace tolvane {
namespace {

using namespace builder;

struct Outcome {
  MissionState state;
  VerifyResult result;
};

Outcome Verify(std::string text) {
  Outcome run;
  run.result = VerifyMissionBytes(run.state, EmptyEnvironment(), text);
  EXPECT_GE(run.state.ErrNo, 0);
  EXPECT_LE(run.state.ErrNo, 137);
  EXPECT_EQ(run.state.ErrMsg, MessageText(run.state.ErrNo));
  if (!run.result.MissionOk) {
    EXPECT_NE(run.state.ErrNo, 0);
  }
  return run;
}

TEST(HostileInput, OddTextsEndWithTheirCode) {
  const struct {
    const char* what;
    std::string text;
    int code;  // 0: the mission verifies
    int line;  // 0: not checked
  } cases[] = {
      {"empty", "", 62, 1},
      {"zeros", std::string(4096, '\0'), 62, 1},
      {"no line end", ".EndMission", 0, 0},
      {"no line end, no end", ".AGGREGATE", 62, 0},
      // An unknown top-level keyword is passed over, however long.
      {"long keyword", "." + std::string(1 << 20, 'A') + "\r\n.EndMission\r\n", 0, 0},
      {"long line without dot", std::string(1 << 20, 'x') + "\r\n.EndMission\r\n", 60, 1},
      // A megabyte of blanks before a keyword is stripped like any indentation.
      {"long indentation", std::string(1 << 20, ' ') + ".Notes\r\n.EndMission\r\n", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome run = Verify(c.text);
    EXPECT_EQ(run.result.MissionOk, c.code == 0);
    EXPECT_EQ(run.state.ErrNo, c.code);
    if (c.line != 0) {
      EXPECT_EQ(run.state.LineNo, c.line);
    }
  }
  std::mt19937 random(20261209);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 5000), '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    Verify(bytes);
  }
}

TEST(HostileInput, FiftyMegabyteMission) {
  // Comments, passed-over statements, and the same vehicle and waypoint over
  // and over: the tables stay small while the file is huge.
  std::string text;
  text.reserve(52u << 20);
  const std::string block =
      "// convoy column\r\n.Notes on the road north\r\n" + VehicleBlock("Lorry 3t", "7") + VehicleWaypointBlock("7", "2", "1");
  while (text.size() < (50u << 20)) text += block;
  text += ".EndMission\r\n";
  Outcome run = Verify(std::move(text));
  EXPECT_TRUE(run.result.MissionOk) << run.state.ErrMsg << " at " << run.state.LineNo;
  EXPECT_EQ(run.state.VehicleTable.count(), 1);
  EXPECT_EQ(run.state.VehicleWaypointTable.count(), 1);
}

TEST(HostileInput, LongRunOfCheckLines) {
  std::string text = ".Trigger\r\n.Name Endless Watch .EndString\r\n";
  for (int i = 0; i < 100000; ++i) text += ".Check\r\n";
  text += ".EndTrigger\r\n.EndMission\r\n";
  Outcome run = Verify(text);
  EXPECT_FALSE(run.result.MissionOk);
  EXPECT_EQ(run.state.ErrNo, 118);
  EXPECT_EQ(run.state.LineNo, 100003);
}

std::string Repeated(int count, const std::function<std::string(int)>& block) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += block(i);
  return text;
}

std::vector<PlaneSpec> FourPlanes(int firstTag) {
  std::vector<PlaneSpec> planes;
  for (int i = 0; i < 4; ++i) planes.push_back({"Gannet", std::to_string(firstTag + i), "2", "K"});
  return planes;
}

TEST(HostileInput, EveryTableAtItsCapacityAndOnePast) {
  const auto flights = [](int f) { return FlightBlock(std::to_string(f * 5), "Sq", "Fl", FourPlanes(f * 5 + 1)); };
  const auto structures = Repeated(499, [](int s) { return StructureBlock("Hangar", std::to_string(s)); }) +
                          DivisionBlock("D1", "Column");
  const auto trigger = [](int t) { return TriggerBlock("Watch " + std::to_string(t), CheckAndAction({".ENDSIM"})); };
  const auto bridge = [](int b) {
    return TriggerBlock("Span " + std::to_string(b),
                        {".Check", ".OBJECTDAMAGED", ".BridgeName Span " + std::to_string(b) + " .EndString",
                         ".Amount 5", ".EndCheck", ".Action", ".ENDSIM", ".EndAction"});
  };
  const auto vehicle = [](int v) { return VehicleBlock("Lorry", std::to_string(v)); };
  const auto vehicleWaypoint = [](int id) { return VehicleWaypointBlock("7", "1", std::to_string(id)); };
  const auto waySet = [](int set) { return WaypointBlock(std::to_string(set), "1"); };
  const auto sixWaypoints = [](int set) { return WaypointBlock(std::to_string(set), "6"); };
  const struct {
    const char* what;
    std::string full;  // the table filled to its capacity
    std::string past;  // what one more record brings
    int code;
    int capacity;
    std::function<int(const MissionState&)> count;
  } cases[] = {
      {"aircraft: 100 flights of four planes", Repeated(100, flights),
       FlightBlock("900", "Sq", "Fl", {{"Gannet", "901", "0", "K"}}), 68, 500,
       [](const MissionState& s) { return s.AircraftTable.count(); }},
      {"divisions", Repeated(500, [](int d) { return DivisionBlock(std::to_string(d), "Column"); }),
       DivisionBlock("501", "Column"), 128, 500, [](const MissionState& s) { return s.DivisionTable.count(); }},
      {"tags: a division takes the 500th", structures, VehicleBlock("Lorry", "77"), 127, 500,
       [](const MissionState& s) { return s.TagTable.count(); }},
      {"vehicles", Repeated(500, vehicle), vehicle(501), 100, 500,
       [](const MissionState& s) { return s.VehicleTable.count(); }},
      {"vehicle waypoints", Repeated(250, vehicleWaypoint), vehicleWaypoint(251), 101, 250,
       [](const MissionState& s) { return s.VehicleWaypointTable.count(); }},
      {"way sets", Repeated(100, waySet), waySet(101), 130, 100,
       [](const MissionState& s) { return s.WaySetTable.count(); }},
      // A flight of one plane adds two records before the sets' 600.
      {"flight waypoints", Repeated(100, sixWaypoints), FlightBlock("1", "Sq", "Fl", {{"Gannet", "2", "0", "K"}}), 85,
       600, [](const MissionState& s) { return s.FlightWaypointTable.count(); }},
      {"triggers", Repeated(250, trigger), trigger(251), 68, 250,
       [](const MissionState& s) { return s.TriggerTable.count(); }},
      {"bridges", Repeated(56, bridge), bridge(57), 68, 56, [](const MissionState& s) { return s.BridgeTable.count(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome full = Verify(c.full + MissionEnd());
    EXPECT_TRUE(full.result.MissionOk || full.state.ErrNo == 1) << full.state.ErrNo << " at " << full.state.LineNo;
    EXPECT_EQ(c.count(full.state), c.capacity);
    const Outcome past = Verify(c.full + c.past + MissionEnd());
    EXPECT_FALSE(past.result.MissionOk);
    EXPECT_EQ(past.state.ErrNo, c.code);
    EXPECT_EQ(c.count(past.state), c.capacity);
  }
  // A huge waypoint number is cut off by the flight waypoint capacity as well.
  EXPECT_EQ(Verify(WaypointBlock("1", "2147483647") + MissionEnd()).state.ErrNo, 85);
}

}  // namespace
}  // namespace tolvane
