// Input a mission author may feed the verifier by mistake: huge files, binary
// files, missing line ends, tables filled to their capacity and past it. Every
// one must end with a code of the message table and never crash or hang.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "statement_reader.h"
#include "verify.h"

namespace tolvane {
namespace {

struct Outcome {
  MissionState state;
  VerifyResult result;
};

Outcome Verify(std::string text) {
  Outcome run;
  run.result = VerifyMissionBytes(run.state, EmptyEnvironment(), text);
  return run;
}

void ExpectCodeOfTheTable(const Outcome& run) {
  EXPECT_GE(run.state.ErrNo, 0);
  EXPECT_LE(run.state.ErrNo, 137);
  EXPECT_EQ(run.state.ErrMsg, MessageText(run.state.ErrNo));
  if (!run.result.MissionOk) {
    EXPECT_NE(run.state.ErrNo, 0);
  }
}

std::string Vehicle(int tag) {
  return ".ENTITY\r\n.Type Lorry 3t\r\n.TagIdentifier " + std::to_string(tag) +
         "\r\n.VehicleAI 1\r\n.EndEntity\r\n";
}

std::string VehicleWaypoint(int set, int id) {
  return ".WAYPOINTVEH\r\n.TagIdentifier 7\r\n.Set " + std::to_string(set) + "\r\n.ID " + std::to_string(id) +
         "\r\n.EndWayPoint\r\n";
}

TEST(HostileInput, BinaryAndEmptyFiles) {
  {
    Outcome run = Verify(std::string());
    ExpectCodeOfTheTable(run);
    EXPECT_FALSE(run.result.MissionOk);
    EXPECT_EQ(run.state.ErrNo, 62);
  }
  {
    Outcome run = Verify(std::string(4096, '\0'));
    ExpectCodeOfTheTable(run);
    EXPECT_FALSE(run.result.MissionOk);
    EXPECT_EQ(run.state.ErrNo, 62);
    EXPECT_EQ(run.state.LineNo, 1);
  }
  std::mt19937 random(20261209);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 5000), '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    Outcome run = Verify(bytes);
    ExpectCodeOfTheTable(run);
  }
}

TEST(HostileInput, NoLineEndAtAll) {
  {
    Outcome run = Verify(".EndMission");
    EXPECT_TRUE(run.result.MissionOk);
    EXPECT_EQ(run.state.ErrNo, 0);
  }
  {
    Outcome run = Verify(".AGGREGATE");
    ExpectCodeOfTheTable(run);
    EXPECT_FALSE(run.result.MissionOk);
    EXPECT_EQ(run.state.ErrNo, 62);
  }
}

TEST(HostileInput, OneMegabyteLine) {
  {
    // An unknown top-level keyword is passed over, however long.
    Outcome run = Verify("." + std::string(1 << 20, 'A') + "\r\n.EndMission\r\n");
    ExpectCodeOfTheTable(run);
    EXPECT_TRUE(run.result.MissionOk);
  }
  {
    Outcome run = Verify(std::string(1 << 20, 'x') + "\r\n.EndMission\r\n");
    EXPECT_FALSE(run.result.MissionOk);
    EXPECT_EQ(run.state.ErrNo, 60);
    EXPECT_EQ(run.state.LineNo, 1);
  }
  {
    // A megabyte of blanks before a keyword is stripped like any indentation.
    Outcome run = Verify(std::string(1 << 20, ' ') + ".Notes\r\n.EndMission\r\n");
    EXPECT_TRUE(run.result.MissionOk);
  }
}

TEST(HostileInput, FiftyMegabyteMission) {
  // Comments, passed-over statements, and the same vehicle and waypoint over
  // and over: the tables stay small while the file is huge.
  std::string text;
  text.reserve(52u << 20);
  const std::string block = "// convoy column\r\n.Notes on the road north\r\n" + Vehicle(7) + VehicleWaypoint(2, 1);
  while (text.size() < (50u << 20)) text += block;
  text += ".EndMission\r\n";
  Outcome run = Verify(std::move(text));
  ExpectCodeOfTheTable(run);
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

TEST(HostileInput, TablesAtCapacityAndOnePast) {
  {
    std::string text;
    for (int tag = 1; tag <= 500; ++tag) text += Vehicle(tag);
    Outcome atLimit = Verify(text + ".EndMission\r\n");
    EXPECT_TRUE(atLimit.result.MissionOk) << atLimit.state.ErrMsg;
    EXPECT_EQ(atLimit.state.VehicleTable.count(), 500);
    EXPECT_EQ(atLimit.state.TagTable.count(), 500);
    Outcome past = Verify(text + Vehicle(501) + ".EndMission\r\n");
    EXPECT_FALSE(past.result.MissionOk);
    EXPECT_EQ(past.state.ErrNo, 100);
    EXPECT_EQ(past.state.VehicleTable.count(), 500);
  }
  {
    std::string text;
    for (int id = 1; id <= 250; ++id) text += VehicleWaypoint(1, id);
    Outcome atLimit = Verify(text + ".EndMission\r\n");
    EXPECT_TRUE(atLimit.result.MissionOk) << atLimit.state.ErrMsg;
    EXPECT_EQ(atLimit.state.VehicleWaypointTable.count(), 250);
    Outcome past = Verify(text + VehicleWaypoint(1, 251) + ".EndMission\r\n");
    EXPECT_FALSE(past.result.MissionOk);
    EXPECT_EQ(past.state.ErrNo, 101);
    EXPECT_EQ(past.state.VehicleWaypointTable.count(), 250);
  }
  {
    // Way sets have no code of their own: the 101st stops with "Waypoint Array Full ".
    std::string text;
    for (int set = 1; set <= 100; ++set) text += ".WAYPOINT\r\n.Set " + std::to_string(set) + "\r\n.ID 1\r\n.EndWayPoint\r\n";
    Outcome atLimit = Verify(text + ".EndMission\r\n");
    EXPECT_TRUE(atLimit.result.MissionOk) << atLimit.state.ErrMsg;
    EXPECT_EQ(atLimit.state.WaySetTable.count(), 100);
    Outcome past = Verify(text + ".WAYPOINT\r\n.Set 101\r\n.ID 1\r\n.EndWayPoint\r\n.EndMission\r\n");
    EXPECT_FALSE(past.result.MissionOk);
    EXPECT_EQ(past.state.ErrNo, 130);
    EXPECT_EQ(past.state.WaySetTable.count(), 100);
  }
  {
    // Flight waypoints have no code of their own either: 85 "Flight Waypoint Array Full ".
    // 100 unassigned sets of 7 waypoints need 700 records.
    std::string text;
    for (int set = 1; set <= 100; ++set) {
      text += ".WAYPOINT\r\n.Set " + std::to_string(set) + "\r\n.ID 7\r\n.EndWayPoint\r\n";
    }
    Outcome past = Verify(text + ".EndMission\r\n");
    EXPECT_FALSE(past.result.MissionOk);
    EXPECT_EQ(past.state.ErrNo, 85);
    EXPECT_EQ(past.state.FlightWaypointTable.count(), 600);
  }
}

}  // namespace
}  // namespace tolvane
