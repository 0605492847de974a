// The action blocks of a trigger, read from the line after ".Action" against
// the tables pass one fills from a small mission: two flights, a vehicle, a
// division, a structure, a bridge, three triggers and a few waypoint sets.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "action_validators.h"
#include "error_location.h"
#include "mission_builder.h"
#include "scratch_folder.h"
#include "statement_reader.h"
#include "verify.h"

namespace tolvane {
namespace {

// Gold Flight (tag 20, plane 21 "Gold One") flies set 3 and comes first, so
// the plane tags "1" and "2" of Blue Flight (tag 7, "Alpha One" and "Alpha
// Two", set 2) are also the positions of Gold Flight's records; both are of
// Red Squadron. Way sets 2 and 6 have three waypoints, 3 has four, 5 has two.
const MissionState& ActionWorld() {
  static const MissionState world = [] {
    using namespace builder;
    std::string text;
    for (const auto& [set, count] : std::vector<std::pair<const char*, int>>{{"2", 3}, {"3", 4}, {"5", 2}, {"6", 3}}) {
      for (int id = 1; id <= count; ++id) text += WaypointBlock(set, std::to_string(id));
    }
    text += FlightBlock("20", "Red Squadron", "Gold Flight", {{"Hurricane", "21", "3", "Gold One"}}) +
            FlightBlock("7", "Red Squadron", "Blue Flight",
                        {{"Spitfire", "1", "2", "Alpha One"}, {"Spitfire", "2", "2", "Alpha Two"}}) +
            VehicleBlock("Lorry", "40") + DivisionBlock("50", "Iron Division") + StructureBlock("Fuel Depot", "60") +
            TriggerBlock("Convoy Spotted", {".Check", ".BridgeName Stone Bridge .EndString"}) +
            TriggerBlock("Bridge Down", {".Check"}) +
            TriggerBlock("A Trigger Name Of Thirty-Two Characters", {".Check"}) + MissionEnd();
    PassOneRun run = RunPassOne(text);
    EXPECT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
    return run.state;
  }();
  return world;
}

// The tables as pass one fills them from the world above.
struct Tables {
  MissionState state = ActionWorld();

  void AddWaypoint(const char* set, const std::string& id) {
    FlightWaypointRecord w;
    w.WaySet = set;
    w.WaypointId = id;
    state.FlightWaypointTable.append(w);
  }

  // Runs one action block (the lines after ".Action") and answers ErrNo,
  // 0 when the block is valid. The verdict must agree with the code, and a
  // failure's statement must stand on its line, where the editor looks.
  int Run(const std::vector<std::string>& lines, std::string* last = nullptr) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    text += ".EndTrigger\r\n.EndMission\r\n";
    MissionFile file;
    file.OpenBytes(text);
    state.ErrNo = 0;
    state.LineNo = 0;
    std::string statement = ".Action";
    bool ok = true;
    DispatchAction(state, file, statement, ok);
    EXPECT_EQ(ok, state.ErrNo == 0) << "verdict and code disagree";
    if (!ok) {
      std::string line = LineOfText(text, state.LineNo), found = statement;
      UpperCaseAscii(line);
      UpperCaseAscii(found);
      EXPECT_NE(line.find(found), std::string::npos) << statement << " at " << state.LineNo;
    }
    if (last) *last = statement;
    return state.ErrNo;
  }

  const ShortText<5>& WaySetOf(int record) { return state.AircraftTable[record].WaySet; }
};

struct Case {
  std::vector<std::string> lines;
  int code;
};

void ExpectCodes(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    Tables t;
    std::string trace;
    for (const std::string& line : c.lines) trace += line + " | ";
    SCOPED_TRACE(trace);
    EXPECT_EQ(t.Run(c.lines), c.code);
  }
}

const std::string kBlueSquad = ".Squad Red Squadron .EndString";
const std::string kBlueFlight = ".Flight Blue Flight .EndString";

TEST(DispatchAction, KeywordAndEndLines) {
  ExpectCodes({
      {{".endsim", ".EndAction"}, 0},             // keywords are case-insensitive
      {{".ENDSIM ", ".EndAction"}, 124},          // a trailing blank makes it unknown
      {{"ENDSIM", ".EndAction"}, 60},
      {{"..ENDSIM", ".EndAction"}, 122},          // the reader's own code
      {{".ENDSIM", ".EndActionInfo"}, 0},         // the end is a prefix test
      {{".ENDSIM", ".EndCheck"}, 16},
  });
}

TEST(DispatchAction, ValidBlockEndsOnItsEndLineAndClearsTheRecordFirst) {
  Tables t;
  t.state.ReferenceRecord.TagId = "7";
  t.state.ReferenceRecord.SquadName = "Left Over";
  std::string last;
  EXPECT_EQ(t.Run({".CHANGESIDE", ".BridgeName Stone Bridge .EndString", ".EndAction"}, &last), 132);
  // The bridge form leaves the tag empty; the stale tag of before must not pass.
  EXPECT_TRUE(t.state.ReferenceRecord.TagId.empty());
  EXPECT_EQ(t.Run({".CHANGESIDE", ".TagIdentifier 7", ".EndAction"}, &last), 0);
  EXPECT_EQ(last, ".EndAction");
}

TEST(DispatchAction, EndOfFileInsideTheBlock) {
  // The last line is not ".EndMission", or a text never meets its end marker.
  for (const std::string& text : {std::string(".PLAYSOUND\r\n.SoundID 3\r\n.EndAction"),
                                 std::string(".DISPLAYTEXT\r\n.StartString\r\nno end here\r\n.EndMission\r\n"),
                                 std::string(".DISPLAYFADINGTEXT\r\n.StartString\r\nno end here\r\n.EndMission\r\n")}) {
    SCOPED_TRACE(text);
    Tables t;
    MissionFile file;
    file.OpenBytes(text);
    std::string statement = ".Action";
    bool ok = true;
    DispatchAction(t.state, file, statement, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(t.state.ErrNo, text.find("no end") == std::string::npos ? 62 : 39);
  }
}

TEST(ChangeFlightWaypoint, NamesWaypointAndRange) {
  ExpectCodes({
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".WayPoint 1", ".EndAction"}, 0},
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, ".Flight Gold Flight .EndString", ".Waypoint 4", ".EndAction"}, 0},
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueSquad}, 8},
      // Set 2 has three waypoints; a fourth is in no waypoint record.
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".Waypoint 4"}, 98},
      // A second blank stays in front of the number and matches nothing.
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".Waypoint  3"}, 98},
      // A trailing blank stays in the stored flight name.
      {{".CHANGEFLIGHTWAYPOINT", kBlueSquad, ".Flight Blue Flight  .EndString", ".Waypoint 3"}, 98},
  });
}

TEST(ChangeFlightWaypoint, ChangeRecordsAreRangeTested) {
  // The waypoint changes that pass one records are waypoints of the set too,
  // so the range test is what rejects a waypoint past the set's last one.
  Tables t;
  t.AddWaypoint("2", "9");
  t.AddWaypoint("2", "two");
  t.AddWaypoint("49", "1");
  t.AddWaypoint("49", "9");
  EXPECT_EQ(t.Run({".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".Waypoint 9", ".EndAction"}), 133);
  EXPECT_EQ(t.Run({".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".Waypoint two", ".EndAction"}), 21);
  // A flight whose set has no way-set entry has no range to keep to.
  t.state.AircraftTable[3].WaySet = "49";
  EXPECT_EQ(t.Run({".CHANGEFLIGHTWAYPOINT", kBlueSquad, kBlueFlight, ".Waypoint 9", ".EndAction"}), 0);
}

TEST(ChangeWaySet, Codes) {
  ExpectCodes({
      {{".CHANGEWAYSET", ".TagIdentifier 7", ".WaySet 6", ".EndAction"}, 0},   // as many waypoints
      {{".CHANGEWAYSET", ".TagIdentifier 7", ".WaySet 5", ".EndAction"}, 131},  // fewer waypoints
      {{".CHANGEWAYSET", ".TagIdentifier 7", ".WaySet 8", ".EndAction"}, 89},
      {{".CHANGEWAYSET", ".TagIdentifier 40", ".WaySet 3", ".EndAction"}, 132},  // a vehicle
      {{".CHANGEWAYSET", ".BridgeName Stone Bridge .EndString", ".WaySet 3"}, 132},
  });
}

TEST(ChangeWaySet, FlightAndItsPlanesTakeTheNewSetFoundByTag) {
  Tables t;
  ASSERT_EQ(t.Run({".CHANGEWAYSET", ".TagIdentifier 7", ".WaySet 6", ".EndAction"}), 0);
  EXPECT_EQ(t.WaySetOf(3), "6");  // Blue Flight
  EXPECT_EQ(t.WaySetOf(4), "6");  // its plane tagged 1
  EXPECT_EQ(t.WaySetOf(5), "6");  // its plane tagged 2
  // Records 1 and 2 are Gold Flight's, whatever the plane tags look like.
  EXPECT_EQ(t.WaySetOf(1), "3");
  EXPECT_EQ(t.WaySetOf(2), "3");
  ASSERT_EQ(t.Run({".CHANGEWAYSET", ".TagIdentifier 7", ".WaySet 5", ".EndAction"}), 131);
  EXPECT_EQ(t.WaySetOf(3), "6");  // a refused change leaves the table alone
}

TEST(SoundEffectAndText, NumbersRangesAndTextBlocks) {
  ExpectCodes({
      {{".PLAYSOUND", ".SoundID 27", ".EndAction"}, 0},
      {{".PLAYSOUND", ".SoundID $1B", ".EndAction"}, 0},  // 27 in hexadecimal
      {{".PLAYSOUND", ".SoundID -1", ".EndAction"}, 55},
      {{".PLAYEFFECT", ".Effect 2147483647", ".EndAction"}, 0},
      {{".PLAYEFFECT", ".Effect 2147483648", ".EndAction"}, 21},
      {{".DISPLAYTEXT", ".StartString", "Line one", "  line two", "Over .End", ".EndAction"}, 0},
      {{".DISPLAYTEXT", "Bridge ahead .EndString", ".EndAction"}, 38},
      {{".DISPLAYTEXT", ".StartString", "..dots", ".EndString"}, 122},
      {{".DISPLAYSCROLLINGTEXT", ".TimeDuration 12", ".RightCorner 2", ".EndAction"}, 59},
      // A fading text ends only at the end-string marker, not at any ".End".
      {{".DISPLAYFADINGTEXT", ".StartString", "The .End is near", "Endstring .Endstring", ".XPos 0.2", ".YPos 0.8",
        ".EndAction"}, 0},
      {{".DISPLAYFADINGTEXT", ".StartString Hold .EndString", ".Xpos 1", ".Ypos 2,5", ".EndAction"}, 21},
  });
}

TEST(DamageActions, ObjectsPlanesDivisions) {
  ExpectCodes({
      {{".DAMAGEOBJ", ".TagIdentifier 60", ".Amount50", ".EndAction"}, 0},
      {{".DAMAGEOBJ", ".BridgeName Stone Bridge .EndString", ".Amount 75", ".EndAction"}, 0},
      {{".DAMAGEOBJ", ".TagIdentifier 40", ".Amount 100.5", ".EndAction"}, 37},
      {{".DAMAGEPLANE", ".TagIdentifier 21", ".Amount 30", ".EndAction"}, 132},  // a plane, not a flight
      {{".DAMAGEPLANE", kBlueSquad, kBlueFlight, ".Plane Alpha Two .EndString", ".Amount 30", ".EndAction"}, 0},
      {{".DAMAGEPLANE", kBlueSquad, kBlueFlight, ".Plane Gold One .EndString", ".Amount 30"}, 108},
      {{".DAMAGEPLANE", kBlueSquad, kBlueFlight, ".Callsign Alpha Two .EndString"}, 48},
      {{".DAMAGEDIVISION", ".Division Iron Division  .EndString", ".Amount 40"}, 88},  // trailing blank
  });
}

TEST(DamageActions, LongNamesCompareByTheirStoredLength) {
  // Squad, flight and division names keep 25 characters, plane names 15.
  Tables t;
  for (int i = 3; i <= 5; ++i) {
    t.state.AircraftTable[i].SquadName = "Royal Northern Fighter Squadron";
    t.state.AircraftTable[i].FlightName = "Blue Flight Of The Northern Wing";
  }
  t.state.AircraftTable[5].Callsign = "Alpha Two Of Blue Flight";
  t.state.DivisionTable[1].Name = "Iron Division Of The Eastern Front";
  const std::string squad = ".Squad Royal Northern Fighter Sq-- .EndString";
  const std::string flight = ".Flight Blue Flight Of The Northe-- .EndString";
  EXPECT_EQ(t.Run({".DAMAGEPLANE", squad, flight, ".Plane Alpha Two Of Bl-- .EndString", ".Amount 5", ".EndAction"}), 0);
  EXPECT_EQ(t.Run({".DAMAGEPLANE", squad, flight, ".Plane Alpha Two Of B .EndString", ".Amount 5"}), 108);
  EXPECT_EQ(t.Run({".DAMAGEPLANE", ".Squad Royal Northern Fighter S .EndString", flight,
                   ".Plane Alpha Two Of Bl .EndString", ".Amount 5"}), 108);
  EXPECT_EQ(t.Run({".DAMAGEDIVISION", ".Division Iron Division Of The Easter!! .EndString", ".Amount 5", ".EndAction"}), 0);
  EXPECT_EQ(t.Run({".DAMAGEDIVISION", ".Division Iron Division Of The Eas .EndString", ".Amount 5"}), 88);
  EXPECT_EQ(t.Run({".CHANGEFLIGHTWAYPOINT", squad, flight, ".Waypoint 3", ".EndAction"}), 0);
}

TEST(AwakeObject, BothShapes) {
  const std::string placed = ".Placement";
  const std::string target = ".TagIdentifier 60";
  const std::string awake = ".AWAKEOBJ";
  const std::string obj = ".TagIdentifier 40";
  ExpectCodes({
      {{awake, obj, placed, target, ".Angle 360", ".Distance 500", ".RelativeOrientation TOWARDS", ".EndAction"}, 0},
      {{awake, obj, placed, target, ".Angle 0", ".Distance -5", ".RelativeOrientation Away from it", ".EndAction"}, 0},
      {{awake, obj, placed, target, ".Angle 45", ".Distance 5", ".RelativeOrientation Towardsx", ".EndAction"}, 0},
      {{awake, obj, placed, target, ".Angle 360.5"}, 32},
      {{awake, obj, placed, target, ".Yaw 45"}, 31},
      {{awake, obj, placed, target, ".Angle 45", ".Distance 5", ".Orientation AWAY"}, 33},
      {{awake, obj, placed, target, ".Angle 45", ".Distance 5", ".RelativeOrientation towards"}, 34},
      {{awake, obj, placed, ".TagIdentifier 61"}, 72},
      {{awake, obj, ".Angle 45"}, 30},
  });
}

TEST(TriggerATrigger, NamesAreComparedInFull) {
  ExpectCodes({
      {{".triggeratrigger", ".TriggerName   Bridge Down   .Endstring", ".EndAction"}, 0},
      // The rest after the keyword is trimmed, so a blank after the marker goes too.
      {{".TRIGGERATRIGGER", ".TriggerName Bridge Down .EndString ", ".EndAction"}, 0},
      {{".TRIGGERATRIGGER", ".TriggerName Bridge down .EndString", ".EndAction"}, 76},
      // The table holds the first 30 characters of a longer name; the call names it all.
      {{".TRIGGERATRIGGER", ".TriggerName A Trigger Name Of Thirty-Two C .EndString", ".EndAction"}, 0},
      {{".TRIGGERATRIGGER", ".TriggerName A Trigger Name Of Thirty-Two Characters .EndString", ".EndAction"}, 76},
  });
}

TEST(FlightActions, BrainSideParachutes) {
  ExpectCodes({
      {{".BRAINSET", ".TagIdentifier 7", ".Brain   OFF  ", ".EndAction"}, 0},
      {{".BRAINSET", ".TagIdentifier 7", ".Brain on", ".EndAction"}, 28},
      {{".BRAINSET", ".TagIdentifier 1", ".Brain On"}, 132},   // a single plane
      {{".PARACHUTEDROP", ".TagIdentifier 7", ".Number -1", ".EndAction"}, 55},
  });
}

TEST(CameraActions, CinemaAndCameraMoves) {
  const std::string cam = ".CamType 2";
  const std::string obj = ".TagIdentifier 40";
  ExpectCodes({
      {{".STARTCINEMA", ".CamTypeless", obj, ".Yaw 90", ".Pitch -10", ".Dist 300", ".EndAction"}, 0},
      // One free line may stand between the object and the yaw.
      {{".STARTCINEMA", cam, obj, ".FreeLine", ".Yaw 90", ".Pitch -10", ".Dist 300", ".EndAction"}, 0},
      {{".STARTCINEMA", cam, obj, ".FreeLine", ".FreeLine", ".Yaw 90"}, 12},
      {{".STARTCINEMA", cam, obj, ".Yaw 90", ".Pitch 10", ".Range 300"}, 77},
      // The distance keyword counts five characters: "ance" stays before the number.
      {{".STARTCINEMA", cam, obj, ".Yaw 90", ".Pitch 10", ".Distance 300"}, 21},
      {{".CHANGECAM", cam, obj, ".Yaw 90"}, 16},
      {{".ROTATECAMYAW", ".StartYaw 0", ".EndYaw 180", ".TIME 5"}, 22},
      {{".MOVECAMDIST", ".StartDist 100", ".EndDist 20", ".Duration 4"}, 17},
  });
}

// A missions folder of the test's own.
using LoadNextMission = testing::ScratchFolder;

TEST_F(LoadNextMission, FileMustExistUnderItsExactName) {
  Write("Harbour Raid.mis", ".EndMission\r\n");
  Write("noextension", ".EndMission\r\n");
  const MissionFolderEnvironment environment({}, folder.string());
  auto run = [&](const std::string& nameLine) {
    Tables t;
    t.state.Environment = &environment;
    return t.Run({".LOADNEXTMISSION", nameLine, ".EndAction"});
  };
  EXPECT_EQ(run(".MissionName noextension .Endstring"), 0);
  EXPECT_EQ(run(".MissionName Harbour Raid .EndString"), 73);       // no extension is added
  EXPECT_EQ(run(".MissionName Harbour Raid.mis  .EndString"), 73);  // the name keeps a trailing blank
  EXPECT_EQ(run(".Mission Harbour Raid.mis .EndString"), 15);
}

// Whole missions through both passes: a way-set change is seen by the checks
// of the triggers after it.
namespace whole {

using builder::CheckAndAction;
using builder::FlightBlock;
using builder::MissionEnd;
using builder::TriggerBlock;
using builder::WaypointBlock;

// Sets 1 (three waypoints), 2 (four) and 4 (two); Harrier Squadron / Dawn
// Patrol (tag 10, planes 11 and 12) flies set 1. The first trigger changes
// a way set, the second checks a waypoint by its lines.
std::string EscortMission(const std::vector<std::string>& change, const std::vector<std::string>& check) {
  std::string text;
  for (int id = 1; id <= 3; ++id) text += WaypointBlock("1", std::to_string(id));
  for (int id = 1; id <= 4; ++id) text += WaypointBlock("2", std::to_string(id));
  for (int id = 1; id <= 2; ++id) text += WaypointBlock("4", std::to_string(id));
  text += FlightBlock("10", "Harrier Squadron", "Dawn Patrol",
                      {{"Tern Fighter", "11", "1", "Harrier One"}, {"Tern Fighter", "12", "1", "Harrier Two"}});
  std::vector<std::string> changeLines = {".CHANGEWAYSET"};
  changeLines.insert(changeLines.end(), change.begin(), change.end());
  text += TriggerBlock("Escort Takes Over", CheckAndAction(changeLines));
  std::vector<std::string> body = {".Check"};
  body.insert(body.end(), check.begin(), check.end());
  body.insert(body.end(), {".EndCheck", ".Action", ".ENDSIM", ".EndAction"});
  text += TriggerBlock("Escort Over Harbour", body);
  return text + MissionEnd();
}

const std::vector<std::string> kFlightReachedFour = {".FLIGHTREACHED", ".Squad Harrier Squadron .EndString",
                                                     ".Flight Dawn Patrol .EndString", ".Waypoint 4"};

std::vector<std::string> PlaneReached(const std::string& tag, const std::string& waypoint) {
  return {".FLIGHTREACHED", ".TagIdentifier " + tag, ".Waypoint " + waypoint};
}

int Verify(const std::string& text, MissionState& state) {
  const VerifyResult result = VerifyMissionBytes(state, EmptyEnvironment(), text);
  EXPECT_EQ(result.MissionOk, state.ErrNo == 0 || state.ErrNo == 1) << state.ErrMsg;
  return result.MissionOk ? 0 : state.ErrNo;
}

int Verify(const std::string& text) {
  MissionState state;
  return Verify(text, state);
}

TEST(ChangeWaySetInMission, LaterChecksSeeTheNewSet) {
  // Set 2 has a fourth waypoint, set 1 has not.
  EXPECT_EQ(Verify(EscortMission({".TagIdentifier 10", ".WaySet 2"}, kFlightReachedFour)), 0);
  EXPECT_EQ(Verify(EscortMission({".TagIdentifier 10", ".WaySet 1"}, kFlightReachedFour)), 98);
  // The planes of the flight, found by their tags, fly the new set too.
  EXPECT_EQ(Verify(EscortMission({".TagIdentifier 10", ".WaySet 2"}, PlaneReached("12", "4"))), 0);
  // A single plane's change leaves its wingman on the old set.
  EXPECT_EQ(Verify(EscortMission({".TagIdentifier 11", ".WaySet 2"}, PlaneReached("11", "4"))), 0);
  EXPECT_EQ(Verify(EscortMission({".TagIdentifier 11", ".WaySet 2"}, PlaneReached("12", "4"))), 79);
}

TEST(ChangeWaySetInMission, FewerWaypointsStopAtTheChange) {
  MissionState state;
  const std::string text = EscortMission({".TagIdentifier 10", ".WaySet 4"}, kFlightReachedFour);
  EXPECT_EQ(Verify(text, state), 131);
  // The line of the ".WaySet" statement: the count rule runs before the end line is read.
  EXPECT_EQ(LineOfText(text, state.LineNo), ".WaySet 4");
}

}  // namespace whole

}  // namespace
}  // namespace tolvane
