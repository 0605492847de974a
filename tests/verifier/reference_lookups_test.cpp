#include <gtest/gtest.h>

#include "reference_lookups.h"
#include "trigger_world.h"
#include "verify.h"

namespace tolvane {
namespace {

using Lookup = void (*)(MissionState&, std::string&, bool&);

struct Outcome {
  bool ok;
  int code;
  std::string statement;
};

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { testworld::Fill(state); }

  Outcome Run(Lookup lookup, std::string statement) {
    bool ok = true;
    state.ErrNo = 0;
    lookup(state, statement, ok);
    return {ok, state.ErrNo, statement};
  }

  MissionState state;
};

TEST_F(LookupTest, EndOfBlockKeywords) {
  bool ok = true;
  CheckEndCheck(state, ".EndCheck", ok);
  CheckEndCheck(state, ".EndCheck and anything after it", ok);
  CheckEndAction(state, ".EndAction ", ok);
  EXPECT_TRUE(ok);
  CheckEndCheck(state, ".ENDCHECK", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 6);
  ok = true;
  CheckEndAction(state, ".EndCheck", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 16);
}

TEST_F(LookupTest, NumbersLeaveTheirValueAndKeepTheirOwnCodes) {
  Outcome o = Run(ReadAmount, ".Amount 75");
  EXPECT_TRUE(o.ok);
  EXPECT_EQ(o.statement, "75");
  // No blank is needed after the keyword; a letter there spoils the number.
  EXPECT_TRUE(Run(ReadAmount, ".Amount50").ok);
  EXPECT_EQ(Run(ReadAmount, ".Amountx 50").code, 21);
  // A failing keyword test leaves the statement as it was.
  o = Run(ReadAmount, ".Amt 50");
  EXPECT_EQ(o.code, 36);
  EXPECT_EQ(o.statement, ".Amt 50");

  EXPECT_TRUE(Run(ReadNumber, ".Number 0").ok);
  EXPECT_EQ(Run(ReadNumber, ".Number -1").code, 55);
  EXPECT_EQ(Run(ReadNumber, ".Number three").code, 21);
  EXPECT_EQ(Run(ReadNumber, ".Count 3").code, 26);

  EXPECT_TRUE(Run(ReadSpeed, ".Speed\t120.5  ").ok);
  EXPECT_EQ(Run(ReadSpeed, ".Speed -0.5").code, 55);
  EXPECT_EQ(Run(ReadSpeed, ".speed 10").code, 52);

  // A distance may be negative; only its form is tested.
  EXPECT_TRUE(Run(ReadDistance, ".Distance -250").ok);
  EXPECT_EQ(Run(ReadDistance, ".Distance 2,5").code, 21);
  EXPECT_EQ(Run(ReadDistance, ".Dist 5").code, 10);

  // The altitude has codes of its own for both failures.
  EXPECT_TRUE(Run(ReadAltitude, ".Altitude 1.5e3").ok);
  EXPECT_EQ(Run(ReadAltitude, ".Altitude high").code, 111);
  EXPECT_EQ(Run(ReadAltitude, ".Alt 100").code, 110);
  EXPECT_EQ(Run(ReadAltitude, ".Altitude").code, 111);
}

TEST_F(LookupTest, NamesAreStoredUntrimmedAndCheckTheirMarker) {
  Outcome o = Run(ReadSquadName, ".Squad Kestrel Wing .EndString");
  EXPECT_TRUE(o.ok);
  EXPECT_EQ(state.ReferenceRecord.SquadName, "Kestrel Wing");
  EXPECT_TRUE(Run(ReadFlightName, ".Flight\tRed Section .Endstring").ok);
  EXPECT_EQ(state.ReferenceRecord.FlightName, "Red Section");
  EXPECT_TRUE(Run(ReadPlaneName, ".Plane Red Two .EndString").ok);
  EXPECT_EQ(state.ReferenceRecord.Callsign, "Red Two");
  bool ok = true;
  MatchSquadFlightPlane(state, ok);
  EXPECT_TRUE(ok);

  // Two blanks in front of the marker leave one trailing blank in the name.
  EXPECT_TRUE(Run(ReadSquadName, ".Squad Kestrel Wing  .EndString").ok);
  EXPECT_EQ(state.ReferenceRecord.SquadName, "Kestrel Wing ");
  MatchSquad(state, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 109);

  // The statement is trimmed before its marker is tested: a blank after the
  // marker passes, any other text after it does not.
  EXPECT_TRUE(Run(ReadSquadName, ".Squad Kestrel Wing .EndString ").ok);
  EXPECT_EQ(Run(ReadSquadName, ".Squad Kestrel Wing .EndString.").code, 4);
  EXPECT_EQ(Run(ReadFlightName, ".Flight Red Section").code, 4);
  EXPECT_EQ(Run(ReadPlaneName, ".Plane Red Two .EndStrings").code, 4);
  EXPECT_EQ(Run(ReadSquadName, ".Sqd Kestrel Wing .EndString").code, 7);
  EXPECT_EQ(Run(ReadFlightName, ".Squad Red Section .EndString").code, 8);
  EXPECT_EQ(Run(ReadPlaneName, ".Callsign Red Two .EndString").code, 48);
  EXPECT_EQ(Run(ReadDivisionName, ".Div Harbour Guard .EndString").code, 35);

  // The division name goes into the squad-name field.
  EXPECT_TRUE(Run(ReadDivisionName, ".Division Harbour Guard .EndString").ok);
  EXPECT_EQ(state.ReferenceRecord.SquadName, "Harbour Guard");
}

TEST_F(LookupTest, NamesAreComparedAtTheirFieldWidth) {
  // A squad name cut at 25 characters matches a table name that shares them.
  state.AircraftTable[1].SquadName = "Kestrel Wing of the Northern Coast";
  state.AircraftTable[1].FlightName = "Red Section";
  Run(ReadSquadName, ".Squad Kestrel Wing of the Northern Shore .EndString");
  EXPECT_EQ(state.ReferenceRecord.SquadName.size(), 25u);
  bool ok = true;
  MatchSquad(state, ok);
  EXPECT_TRUE(ok);
  // A callsign is cut at 15.
  state.AircraftTable[2].Callsign = "Red One Leader of Six";
  Run(ReadSquadName, ".Squad Kestrel Wing .EndString");
  Run(ReadFlightName, ".Flight Red Section .EndString");
  Run(ReadPlaneName, ".Plane Red One Leader of Nine .EndString");
  MatchSquadFlightPlane(state, ok);
  EXPECT_TRUE(ok);
}

TEST_F(LookupTest, TypeNames) {
  EXPECT_TRUE(Run(ReadTypeName, ".Type Lorry .EndString").ok);
  // Only the first ten characters are looked up.
  EXPECT_TRUE(Run(ReadTypeName, ".Type FlakbattryHeavy .EndString").ok);
  EXPECT_EQ(Run(ReadTypeName, ".Type Lorry  .EndString").code, 96);
  EXPECT_EQ(Run(ReadTypeName, ".Type lorry .EndString").code, 96);
  EXPECT_EQ(Run(ReadTypeName, ".Type Lorry .EndString x").code, 4);
  EXPECT_EQ(Run(ReadTypeName, ".Kind Lorry .EndString").code, 50);
}

TEST_F(LookupTest, WaypointReferenceKeepsWhatFollowsTheBlank) {
  EXPECT_TRUE(Run(ReadWaypointRef, ".Waypoint 3").ok);
  EXPECT_EQ(state.ReferenceRecord.Waypoint, "3");
  EXPECT_TRUE(Run(ReadWaypointRef, ".WayPoint\t2").ok);
  EXPECT_EQ(state.ReferenceRecord.Waypoint, "2");
  EXPECT_TRUE(Run(ReadWaypointRef, ".Waypoint  4").ok);
  EXPECT_EQ(state.ReferenceRecord.Waypoint, " 4");
  EXPECT_TRUE(Run(ReadWaypointRef, ".Waypoint").ok);
  EXPECT_EQ(state.ReferenceRecord.Waypoint, "");
  EXPECT_EQ(Run(ReadWaypointRef, ".WAYPOINT 3").code, 13);
}

TEST_F(LookupTest, ObjectReferencesByTag) {
  for (const char* tag : {"100", "102", "300", "301", "400", "500"}) {
    Outcome o = Run(ResolveObjectRef, std::string(".TagIdentifier ") + tag);
    EXPECT_TRUE(o.ok) << tag;
    EXPECT_EQ(state.ReferenceRecord.TagId, tag);
  }
  EXPECT_TRUE(Run(ResolveObjectRef, ".TagIdentifier\t 200 \t").ok);
  // Tags are compared as written.
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier 0100").code, 72);
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier 999").code, 72);
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier -100").code, 55);
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier 10.0").code, 21);
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier").code, 21);
  EXPECT_EQ(Run(ResolveObjectRef, ".TagId 100").code, 9);
  EXPECT_EQ(Run(ResolveObjectRef, ".Squad Kestrel Wing .EndString").code, 9);
  // A six-digit tag is kept as its first five.
  state.StructureTable[1].TagId = "50012";
  EXPECT_TRUE(Run(ResolveObjectRef, ".TagIdentifier 500123").ok);
}

TEST_F(LookupTest, ObjectReferencesByBridge) {
  state.ReferenceRecord.TagId = "";
  Outcome o = Run(ResolveObjectRef, ".BridgeName  Old Mill Bridge  .EndString");
  EXPECT_TRUE(o.ok);
  EXPECT_EQ(state.ReferenceRecord.SquadName, "Old Mill Bridge");
  EXPECT_TRUE(state.ReferenceRecord.TagId.empty());
  // An unknown bridge fails before its marker is looked at.
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName New Mill Bridge .EndString x").code, 102);
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName Old Mill Bridge .EndString x").code, 4);
  // The whole name is compared with the stored one of at most 25 characters.
  state.BridgeTable[1].BridgeName = "Old Mill Bridge at Wareham";
  EXPECT_EQ(state.BridgeTable[1].BridgeName, "Old Mill Bridge at Wareha");
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName Old Mill Bridge at Wareham .EndString").code, 102);
  EXPECT_TRUE(Run(ResolveObjectRef, ".BridgeName Old Mill Bridge at Wareha .EndString").ok);
}

TEST_F(LookupTest, BridgeMatchWorksOnItsOwnCopy) {
  bool ok = true;
  std::string statement = ".BridgeName Old Mill Bridge .EndString";
  MatchBridgeName(state, statement, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(statement, ".BridgeName Old Mill Bridge .EndString");
  MatchBridgeName(state, ".TagIdentifier 100", ok);
  EXPECT_TRUE(ok);
  MatchBridgeName(state, ".BridgeName Stone Bridge .EndString", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 102);
}

TEST_F(LookupTest, TableMatchesSetTheFlag) {
  bool ok = false;
  state.ReferenceRecord.SquadName = "Harbour Guard";
  MatchDivisionName(state, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(state.ErrNo, 0);
  state.ReferenceRecord.SquadName = "Harbour Watch";
  MatchDivisionName(state, ok);
  EXPECT_EQ(state.ErrNo, 88);

  ok = false;
  state.ReferenceRecord.SquadName = "Heron Group";
  state.ReferenceRecord.FlightName = "Blue Section";
  MatchSquadFlight(state, ok);
  EXPECT_TRUE(ok);
  state.ReferenceRecord.FlightName = "Red Section";
  MatchSquadFlight(state, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 80);
  state.ReferenceRecord.FlightName = "Blue Section";
  state.ReferenceRecord.Callsign = "Red One";
  MatchSquadFlightPlane(state, ok);
  EXPECT_EQ(state.ErrNo, 108);
}

TEST_F(LookupTest, WaypointsOfATaggedAircraft) {
  bool ok = true;
  state.WaypointProbe.TagId = "101";
  state.WaypointProbe.WaypointId = "4";
  MatchTagWaypoint(state, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(state.WaypointProbe.WaySet, "3");
  state.WaypointProbe.WaypointId = "5";
  MatchTagWaypoint(state, ok);
  EXPECT_EQ(state.ErrNo, 79);
  // A plane without a set still has its first waypoint.
  state.WaypointProbe.TagId = "201";
  state.WaypointProbe.WaypointId = "1";
  MatchTagWaypoint(state, ok);
  EXPECT_TRUE(ok);
  // A vehicle tag is no aircraft.
  state.WaypointProbe.TagId = "300";
  MatchTagWaypoint(state, ok);
  EXPECT_EQ(state.ErrNo, 79);
}

TEST_F(LookupTest, WaypointsOfANamedFlight) {
  bool ok = true;
  state.ReferenceRecord.SquadName = "Kestrel Wing";
  state.ReferenceRecord.FlightName = "Red Section";
  state.WaypointProbe.WaypointId = "2";
  MatchFlightWaypoint(state, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(state.WaypointProbe.WaySet, "3");
  state.WaypointProbe.WaypointId = " 2";
  MatchFlightWaypoint(state, ok);
  EXPECT_EQ(state.ErrNo, 98);
  // Only the flight's own record counts: a plane-only squad fails.
  state.AircraftTable[1].TypeName = "Hawkmoth";
  state.WaypointProbe.WaypointId = "2";
  MatchFlightWaypoint(state, ok);
  EXPECT_EQ(state.ErrNo, 98);
}

TEST_F(LookupTest, AircraftAndFlightTags) {
  bool ok = true;
  EXPECT_EQ(IsAircraftTag(state, "102", ok), 3);
  EXPECT_TRUE(ok);
  EXPECT_EQ(IsAircraftTag(state, "100", ok), 1);
  EXPECT_EQ(IsAircraftTag(state, "300", ok), 0);
  EXPECT_EQ(state.ErrNo, 132);
  EXPECT_EQ(IsAircraftTag(state, "", ok), 0);
  EXPECT_FALSE(ok);

  IsFlightTag(state, "200", ok);
  EXPECT_TRUE(ok);
  IsFlightTag(state, "201", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 132);
  IsFlightTag(state, "400", ok);
  EXPECT_FALSE(ok);
  // An index past the aircraft in use points at no flight.
  state.TagTable[1].AircraftIndex = 9999;
  IsFlightTag(state, "100", ok);
  EXPECT_FALSE(ok);
}

TEST_F(LookupTest, ANameWithoutEndMarkerKeepsItsText) {
  // Without ".End" nothing is cut from the statement before the marker test,
  // so the name is still there for the editor to find on its line.
  Outcome bare = Run(ReadSquadName, ".Squad Kestrel Wing");
  EXPECT_FALSE(bare.ok);
  EXPECT_EQ(bare.code, 4);
  EXPECT_EQ(bare.statement, "Kestrel Wing");
  // With a wrong marker the tail alone is left.
  Outcome wrong = Run(ReadSquadName, ".Squad Kestrel Wing .EndName");
  EXPECT_EQ(wrong.code, 4);
  EXPECT_EQ(wrong.statement, ".EndName");

  // The same through a whole mission: the error line shows the statement.
  using namespace builder;
  const std::string text =
      WaypointBlock("3", "1") + WaypointBlock("3", "2") +
      FlightBlock("10", "Kestrel Wing", "Red Section", {{"Gannet", "11", "3", "Red One"}}) +
      TriggerBlock("Alpha", {".Check", ".FLIGHTREACHED", ".Squad Kestrel Wing", ".Flight Red Section .EndString",
                             ".Waypoint 2", ".EndCheck"}) +
      MissionEnd();
  MissionState whole;
  const VerifyResult result = VerifyMissionBytes(whole, EmptyEnvironment(), text);
  EXPECT_EQ(whole.ErrNo, 4);
  EXPECT_EQ(result.LastPass, 2);
  ASSERT_FALSE(result.LocateText.empty());
  EXPECT_NE(LineOf(text, whole.LineNo).find(result.LocateText), std::string::npos);
}

}  // namespace
}  // namespace tolvane
