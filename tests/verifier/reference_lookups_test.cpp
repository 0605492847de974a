// The lookups shared by the check and action blocks, where they decide
// something the block tables do not reach: stored widths, tags cut to five,
// indexes past the records in use, and the statement left for the editor.

#include <gtest/gtest.h>

#include "reference_lookups.h"
#include "trigger_world.h"
#include "verify.h"

namespace tolvane {
namespace {

using Lookup = void (*)(MissionState&, std::string&, bool&);

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { testworld::Fill(state); }

  // Runs the lookup; answers the code and leaves the statement in last.
  int Run(Lookup lookup, std::string statement) {
    bool ok = true;
    state.ErrNo = 0;
    lookup(state, statement, ok);
    EXPECT_EQ(ok, state.ErrNo == 0);
    last = statement;
    return state.ErrNo;
  }

  MissionState state;
  std::string last;
};

TEST_F(LookupTest, NamesAreComparedAtTheirStoredWidth) {
  // Squad names keep 25 characters, callsigns 15, bridge names 25.
  state.AircraftTable[1].SquadName = "Kestrel Wing of the Northern Coast";
  state.AircraftTable[2].SquadName = "Kestrel Wing of the Northern Coast";
  state.AircraftTable[2].Callsign = "Red One Leader of Six";
  EXPECT_EQ(Run(ReadSquadName, ".Squad Kestrel Wing of the Northern Shore .EndString"), 0);
  EXPECT_EQ(Run(ReadFlightName, ".Flight Red Section .EndString"), 0);
  EXPECT_EQ(Run(ReadPlaneName, ".Plane Red One Leader of Nine .EndString"), 0);
  bool ok = true;
  MatchSquadFlightPlane(state, ok);
  EXPECT_TRUE(ok);

  state.BridgeTable[1].BridgeName = "Old Mill Bridge at Wareham";
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName Old Mill Bridge at Wareham .EndString"), 102);
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName  Old Mill Bridge at Wareha  .EndString"), 0);
  EXPECT_TRUE(state.ReferenceRecord.TagId.empty());
  // An unknown bridge fails before its marker is looked at.
  EXPECT_EQ(Run(ResolveObjectRef, ".BridgeName New Mill Bridge .EndString x"), 102);

  // A six-digit tag is kept as its first five.
  state.StructureTable[1].TagId = "50012";
  EXPECT_EQ(Run(ResolveObjectRef, ".TagIdentifier 500123"), 0);
}

TEST_F(LookupTest, TagsPastTheRecordsInUseMatchNothing) {
  bool ok = true;
  EXPECT_EQ(IsAircraftTag(state, "102", ok), 3);
  EXPECT_EQ(IsAircraftTag(state, "", ok), 0);
  EXPECT_FALSE(ok);
  ok = true;
  state.TagTable[1].AircraftIndex = 9999;
  IsFlightTag(state, "100", ok);
  EXPECT_FALSE(ok);
  // Only the flight's own record counts: a squad without one has no waypoints.
  ok = true;
  state.ReferenceRecord.SquadName = "Kestrel Wing";
  state.ReferenceRecord.FlightName = "Red Section";
  state.WaypointProbe.WaypointId = "2";
  MatchFlightWaypoint(state, ok);
  EXPECT_TRUE(ok);
  state.AircraftTable[1].TypeName = "Hawkmoth";
  MatchFlightWaypoint(state, ok);
  EXPECT_EQ(state.ErrNo, 98);
}

TEST_F(LookupTest, ANameWithoutEndMarkerKeepsItsText) {
  // Without ".End" nothing is cut from the statement before the marker test,
  // so the name is still there for the editor to find on its line.
  EXPECT_EQ(Run(ReadSquadName, ".Squad Kestrel Wing"), 4);
  EXPECT_EQ(last, "Kestrel Wing");
  EXPECT_EQ(Run(ReadSquadName, ".Squad Kestrel Wing .EndName"), 4);
  EXPECT_EQ(last, ".EndName");

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
