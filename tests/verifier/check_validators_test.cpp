// Check blocks: each case replaces the first trigger's check of a valid
// mission and runs both passes; the code must be the one the block earns.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "check_validators.h"
#include "harbour_mission.h"
#include "statement_reader.h"
#include "trigger_world.h"
#include "type_names.h"
#include "verify.h"

namespace tolvane {
namespace {

using harbour::CheckBody;
using harbour::HarbourMission;
using harbour::VerifyText;

struct Case {
  std::string block;  // the lines after ".Check", separated by '|'
  int code;           // 0: the mission verifies
};

void ExpectCodes(const std::vector<Case>& cases, const std::string& keyword = "") {
  for (const Case& c : cases) {
    const std::string block = keyword + c.block;
    const harbour::Verdict v = VerifyText(HarbourMission(CheckBody(block)));
    EXPECT_EQ(v.code, c.code) << block << "\n  " << v.statement << " at line " << v.line;
    EXPECT_EQ(v.ok, c.code == 0) << block;
    if (c.code != 0) {
      EXPECT_EQ(v.pass, 2) << block << ": stopped in pass one";
    }
  }
}

// Names used over and over.
#define SQUAD ".Squad Kestrel Wing .EndString"
#define FLIGHT ".Flight Red Section .EndString"
#define PLANE ".Plane Red One .EndString"
#define RED_SFP SQUAD "|" FLIGHT "|" PLANE
#define BRIDGE ".BridgeName Old Mill Bridge .EndString"
#define LONG_BRIDGE ".BridgeName Old Mill Bridge at the Weir Pool .EndString"

TEST(CheckBlocks, TheBaseMissionVerifies) {
  const harbour::Verdict v = VerifyText(HarbourMission(CheckBody(".TIME 30|.EndCheck")));
  EXPECT_TRUE(v.ok) << v.code << " " << v.statement << " at " << v.line;
  EXPECT_EQ(v.code, 0);
  EXPECT_EQ(v.pass, 2);
}

TEST(CheckBlocks, KeywordLine) {
  ExpectCodes({
      {".time 30|.EndCheck", 0},             // keyword lines are upper-cased
      {".Random 50|.EndCheck", 0},
      {".AllMoCompleted|.EndCheck", 0},
      {".ALLMOCOMPLETED |.EndCheck", 125},   // a trailing blank spoils a keyword
      {".ALLMOCOMPLETEDNOW|.EndCheck", 125},
      {".NOSUCHCHECK|.EndCheck", 125},
      {"ALLMOCOMPLETED|.EndCheck", 46},
      // A keyword where a statement was expected is that statement's error.
      {".FLIGHTREACHED|.PLANEREACHED|.TagIdentifier 101|.Waypoint 1|.EndCheck", 97},
  });
}

TEST(CheckBlocks, Time) {
  ExpectCodes({
      {".TIME 30|.EndCheck", 0},
      {".TIME   2.5e1  |.EndCheck", 0},
      {".TIME\t30|.EndCheck", 104},
      {".TIME30|.EndCheck", 104},
      {".TIME|.EndCheck", 104},
      {".TIME soon|.EndCheck", 21},
      {".TIME 30|.EndChek", 6},
  });
}

TEST(CheckBlocks, FlightCloseToTargetAndToDivision) {
  for (const char* keyword : {".FLIGHTCLOSETOTARGET|", ".FLIGHTCLOSETODIVISION|"}) {
    SCOPED_TRACE(keyword);
    const std::string k = keyword;
    ExpectCodes({
        {SQUAD "|" FLIGHT "|.TagIdentifier 400|.Distance 1500|.EndCheck", 0},
        {SQUAD "|" FLIGHT "|" BRIDGE "|.Distance 1500|.EndCheck", 0},
        {".Sqd Kestrel Wing .EndString|" FLIGHT "|.TagIdentifier 400|.Distance 1500|.EndCheck", 7},
        {SQUAD "|.Flt Red Section .EndString|.TagIdentifier 400|.Distance 1500|.EndCheck", 8},
        {".Squad Kestrel Wing|" FLIGHT "|.TagIdentifier 400|.Distance 1500|.EndCheck", 4},
        {SQUAD "|.Flight Blue Section .EndString|.TagIdentifier 400|.Distance 1500|.EndCheck", 80},
        {SQUAD "|" FLIGHT "|.Tag 400|.Distance 1500|.EndCheck", 9},
        {SQUAD "|" FLIGHT "|.TagIdentifier 4O0|.Distance 1500|.EndCheck", 21},
        {SQUAD "|" FLIGHT "|.TagIdentifier -400|.Distance 1500|.EndCheck", 55},
        {SQUAD "|" FLIGHT "|.TagIdentifier 401|.Distance 1500|.EndCheck", 72},
        {SQUAD "|" FLIGHT "|" LONG_BRIDGE "|.Distance 1500|.EndCheck", 102},
        {SQUAD "|" FLIGHT "|.TagIdentifier 400|.Range 1500|.EndCheck", 10},
        {SQUAD "|" FLIGHT "|.TagIdentifier 400|.Distance far|.EndCheck", 21},
        {SQUAD "|" FLIGHT "|.TagIdentifier 400|.Distance 1500|.EndAction", 6},
    }, k);
  }
}

TEST(CheckBlocks, PlaneReached) {
  ExpectCodes({
      {".PLANEREACHED|.TagIdentifier 101|.Waypoint 4|.EndCheck", 0},
      {".PLANEREACHED|.TagIdentifier 100|.WayPoint   2  |.EndCheck", 0},  // trimmed
      {".PLANEREACHED|.TagIdentifier 201|.Waypoint 1|.EndCheck", 0},
      {".PLANEREACHED|" SQUAD "|.Waypoint 4|.EndCheck", 9},  // a tag only
      {".PLANEREACHED|.TagIdentifier 1O1|.Waypoint 4|.EndCheck", 21},
      {".PLANEREACHED|.TagIdentifier -101|.Waypoint 4|.EndCheck", 55},
      {".PLANEREACHED|.TagIdentifier 103|.Waypoint 4|.EndCheck", 72},
      {".PLANEREACHED|" LONG_BRIDGE "|.Waypoint 4|.EndCheck", 102},
      {".PLANEREACHED|.TagIdentifier 300|.Waypoint 1|.EndCheck", 132},
      {".PLANEREACHED|" BRIDGE "|.Waypoint 1|.EndCheck", 132},  // a bridge has no tag
      {".PLANEREACHED|.TagIdentifier 101|.Waypt 4|.EndCheck", 13},
      {".PLANEREACHED|.TagIdentifier 101|.Waypoint 5|.EndCheck", 79},
      {".PLANEREACHED|.TagIdentifier 201|.Waypoint 2|.EndCheck", 79},
      {".PLANEREACHED|.TagIdentifier 101|.Waypoint 4|.End", 6},
  });
}

TEST(CheckBlocks, FlightReachedByTag) {
  ExpectCodes({
      {".FLIGHTREACHED|.TagIdentifier 100|.Waypoint 3|.EndCheck", 0},
      {".FLIGHTREACHED|.TagIdentifier 102|.WayPoint\t 4|.EndCheck", 0},
      {".FLIGHTREACHED|.Plane Red One .EndString|.Waypoint 3|.EndCheck", 97},
      {".FLIGHTREACHED|.TagIdentifier x64|.Waypoint 3|.EndCheck", 72},  // hex form, no such tag text
      {".FLIGHTREACHED|.TagIdentifier 1.0|.Waypoint 3|.EndCheck", 21},
      {".FLIGHTREACHED|.TagIdentifier -1|.Waypoint 3|.EndCheck", 55},
      {".FLIGHTREACHED|.TagIdentifier 500|.Waypoint 3|.EndCheck", 132},
      {".FLIGHTREACHED|.TagIdentifier 100|.Point 3|.EndCheck", 13},
      {".FLIGHTREACHED|.TagIdentifier 100|.Waypoint 0|.EndCheck", 79},
      {".FLIGHTREACHED|.TagIdentifier 100|.Waypoint 3|.EndTrigger", 6},
  });
}

TEST(CheckBlocks, FlightReachedBySquad) {
  ExpectCodes({
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Waypoint 2|.EndCheck", 0},
      {".FLIGHTREACHED|.Squad Heron Group .EndString|.Flight Blue Section .EndString|.WayPoint 1|.EndCheck", 0},
      // The squad form keeps what follows the keyword's blank untrimmed.
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Waypoint  2|.EndCheck", 98},
      {".FLIGHTREACHED|.Squad Heron Group .EndString|.Flight Blue Section .EndString|.Waypoint 2|.EndCheck", 98},
      {".FLIGHTREACHED|" SQUAD "|.Flight Blue Section .EndString|.Waypoint 2|.EndCheck", 98},
      {".FLIGHTREACHED|.Squad Kestrel Wing .EndString x|" FLIGHT "|.Waypoint 2|.EndCheck", 4},
      {".FLIGHTREACHED|" SQUAD "|.Plane Red One .EndString|.Waypoint 2|.EndCheck", 8},
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Wp 2|.EndCheck", 13},
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Waypoint 2|.EndCheckpoint", 0},
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Waypoint 2|.Endcheck", 6},
  });
}

TEST(CheckBlocks, ReachedAltitude) {
  for (const std::string k : {".REACHEDMINALT|", ".REACHEDMAXALT|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".TagIdentifier 101|.Altitude 3000|.EndCheck", 0},
        {".TagIdentifier 100|.Altitude 0|.EndCheck", 0},
        {RED_SFP "|.Altitude 3000|.EndCheck", 0},
        {".Flight Red Section .EndString|.Altitude 3000|.EndCheck", 97},
        {".TagIdentifier abc|.Altitude 3000|.EndCheck", 21},
        {".TagIdentifier -7|.Altitude 3000|.EndCheck", 55},
        {".TagIdentifier 7|.Altitude 3000|.EndCheck", 72},
        {".TagIdentifier 400|.Altitude 3000|.EndCheck", 132},
        {".TagIdentifier 101|.Height 3000|.EndCheck", 53},      // the tag form's own test
        {RED_SFP "|.Height 3000|.EndCheck", 110},                // the lookup's test
        {".TagIdentifier 101|.Altitude high|.EndCheck", 111},
        {".TagIdentifier 101|.Altitude -1|.EndCheck", 55},
        {RED_SFP "|.Altitude -0.5|.EndCheck", 55},
        {SQUAD "|" FLIGHT "|.Plane Red Three .EndString|.Altitude 3000|.EndCheck", 108},
        {SQUAD "|" FLIGHT "|.Callsign Red One .EndString|.Altitude 3000|.EndCheck", 48},
        {SQUAD "|.Flight Red Section|" PLANE "|.Altitude 3000|.EndCheck", 4},
        {SQUAD "|" PLANE "|" PLANE "|.Altitude 3000|.EndCheck", 8},
        {".TagIdentifier 101|.Altitude 3000|.EndAction", 6},
    }, k);
  }
}

TEST(CheckBlocks, ReachedSpeed) {
  for (const std::string k : {".REACHEDMINSPEED|", ".REACHEDMAXSPEED|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".TagIdentifier 201|.Speed 220|.EndCheck", 0},
        {RED_SFP "|.Speed 0|.EndCheck", 0},
        {".Speed 220|.Speed 220|.EndCheck", 97},
        {".TagIdentifier 300|.Speed 220|.EndCheck", 132},
        {".TagIdentifier 201|.Velocity 220|.EndCheck", 52},
        {".TagIdentifier 201|.Speed fast|.EndCheck", 21},
        {".TagIdentifier 201|.Speed -1|.EndCheck", 55},
        {".Squad Osprey Wing .EndString|" FLIGHT "|" PLANE "|.Speed 220|.EndCheck", 108},
        {".TagIdentifier 201|.Speed 220|.EndChek", 6},
    }, k);
  }
}

TEST(CheckBlocks, PlaneDamagedAndNotDamaged) {
  for (const std::string k : {".PLANEDAMAGED|", ".PLANENOTDAMAGED|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".TagIdentifier 102|.Amount 0|.EndCheck", 0},
        {RED_SFP "|.Amount 100|.EndCheck", 0},
        {".TagIdentifier 102|.Amount 100.5|.EndCheck", 56},
        {".TagIdentifier 102|.Amount -1|.EndCheck", 56},
        {".TagIdentifier 102|.Amount 1e999|.EndCheck", 56},   // a number, far above the range
        {".TagIdentifier 102|.Amount -1e999|.EndCheck", 56},
        {".TagIdentifier 102|.Amount 5e-999|.EndCheck", 0},   // a number, next to zero
        {".TagIdentifier 102|.Amount lots|.EndCheck", 21},
        {".TagIdentifier 102|.Percent 50|.EndCheck", 36},
        {".TagIdentifier 301|.Amount 50|.EndCheck", 132},  // a vehicle waypoint tag
        {BRIDGE "|.Amount 50|.EndCheck", 97},
        {".TagIdentifier 102|.Amount 50|.EndCheck .", 0},
        {".TagIdentifier 102|.Amount 50|EndCheck", 6},
    }, k);
  }
}

TEST(CheckBlocks, ObjectDamagedAndNotDamaged) {
  for (const std::string k : {".OBJECTDAMAGED|", ".OBJECTNOTDAMAGED|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".TagIdentifier 300|.Amount 50|.EndCheck", 0},
        {".TagIdentifier 301|.Amount 50|.EndCheck", 0},
        {".TagIdentifier 400|.Amount 50|.EndCheck", 0},
        {".TagIdentifier 500|.Amount 50|.EndCheck", 0},
        {".TagIdentifier 101|.Amount 50|.EndCheck", 0},
        {BRIDGE "|.Amount 50|.EndCheck", 0},
        {SQUAD "|.Amount 50|.EndCheck", 9},
        {".TagIdentifier five|.Amount 50|.EndCheck", 21},
        {".TagIdentifier -500|.Amount 50|.EndCheck", 55},
        {".TagIdentifier 0500|.Amount 50|.EndCheck", 72},
        {LONG_BRIDGE "|.Amount 50|.EndCheck", 102},
        {".TagIdentifier 500|.Amt 50|.EndCheck", 36},
        {".TagIdentifier 500|.Amount half|.EndCheck", 21},
        {".TagIdentifier 500|.Amount 101|.EndCheck", 56},
        {".TagIdentifier 500|.Amount 50|.Action", 6},
    }, k);
  }
}

TEST(CheckBlocks, PlanesRemainingAndAliveObjective) {
  for (const std::string k : {".PLANESREMAINING|", ".PLANESALIVEMO|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {SQUAD "|" FLIGHT "|.Amount 4|.EndCheck", 0},
        {SQUAD "|" FLIGHT "|.Amount 0|.EndCheck", 0},
        {".Flight Red Section .EndString|" FLIGHT "|.Amount 2|.EndCheck", 7},
        {SQUAD "|" SQUAD "|.Amount 2|.EndCheck", 8},
        {SQUAD "|.Flight Red Section .EndStrin|.Amount 2|.EndCheck", 4},
        {".Squad Heron Group .EndString|" FLIGHT "|.Amount 2|.EndCheck", 80},
        {SQUAD "|" FLIGHT "|.Number 2|.EndCheck", 36},
        {SQUAD "|" FLIGHT "|.Amount two|.EndCheck", 21},
        {SQUAD "|" FLIGHT "|.Amount 4.5|.EndCheck", 54},
        {SQUAD "|" FLIGHT "|.Amount -1|.EndCheck", 54},
        {SQUAD "|" FLIGHT "|.Amount 2|.EndTrigger", 6},
    }, k);
  }
}

TEST(CheckBlocks, DivisionHealth) {
  for (const std::string k : {".DIVISIONHEALTHGREATERTHAN|", ".DIVISIONHEALTHLESSTHAN|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".Division Harbour Guard .EndString|.Amount 25|.EndCheck", 0},
        {".Squad Harbour Guard .EndString|.Amount 25|.EndCheck", 35},
        {".Division Harbour Guard|.Amount 25|.EndCheck", 4},
        {".Division Harbour Watch .EndString|.Amount 25|.EndCheck", 88},
        {".Division harbour guard .EndString|.Amount 25|.EndCheck", 88},
        {".Division Harbour Guard .EndString|.Health 25|.EndCheck", 36},
        {".Division Harbour Guard .EndString|.Amount 2 5|.EndCheck", 21},
        {".Division Harbour Guard .EndString|.Amount 100.1|.EndCheck", 56},
        {".Division Harbour Guard .EndString|.Amount 25|.EndChecks", 0},
        {".Division Harbour Guard .EndString|.Amount 25|.Check", 6},
    }, k);
  }
}

TEST(CheckBlocks, VehiclesDestroyed) {
  for (const std::string k : {".ALLIEDVEHICLESDESTROYED|", ".AXISVEHICLESDESTROYED|", ".UNITSDESTROYED|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {".Type Lorry .EndString|.Number 3|.EndCheck", 0},
        {".Type Halftrack .EndString|.Number 0|.EndCheck", 0},
        {".TypeName Lorry .EndString|.Number 3|.EndCheck", 96},  // "Name Lorry" is no type
        {".Kind Lorry .EndString|.Number 3|.EndCheck", 50},
        {".Type Tractor .EndString|.Number 3|.EndCheck", 96},
        {".Type Lorry .EndString .|.Number 3|.EndCheck", 4},
        {".Type Lorry .EndString|.Count 3|.EndCheck", 26},
        {".Type Lorry .EndString|.Number three|.EndCheck", 21},
        {".Type Lorry .EndString|.Number -3|.EndCheck", 55},
        {".Type Lorry .EndString|.Number 3|.EndAction", 6},
    }, k);
  }
}

TEST(CheckBlocks, DivisionVehiclesDestroyed) {
  ExpectCodes({
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Lorry .EndString|.Number 2|.EndCheck", 0},
      {".DIVISIONVEHICLESDESTROYED|.Type Lorry .EndString|.Type Lorry .EndString|.Number 2|.EndCheck", 35},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .End|.Type Lorry .EndString|.Number 2|.EndCheck", 4},
      {".DIVISIONVEHICLESDESTROYED|.Division Iron Guard .EndString|.Type Lorry .EndString|.Number 2|.EndCheck", 88},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Number 2|.Number 2|.EndCheck", 50},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Jeep .EndString|.Number 2|.EndCheck", 96},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Lorry .EndString|.Amount 2|.EndCheck", 26},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Lorry .EndString|.Number 2x|.EndCheck", 21},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Lorry .EndString|.Number -2|.EndCheck", 55},
      {".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|.Type Lorry .EndString|.Number 2|.EndAction", 6},
  });
}

TEST(CheckBlocks, AllObjectivesCompleted) {
  ExpectCodes({
      {".ALLMOCOMPLETED|.EndCheck", 0},
      {".ALLMOCOMPLETED|.Amount 1|.EndCheck", 6},
  });
}

TEST(CheckBlocks, FuelLevel) {
  ExpectCodes({
      // The tag form drops seven characters, whatever they are.
      {".FUELLEVEL|.TagIdentifier 101|.Fuel   40|.EndCheck", 0},
      {".FUELLEVEL|.TagIdentifier 101|.Amount 40|.EndCheck", 0},
      {".FUELLEVEL|.TagIdentifier 101|.Fuel 40|.EndCheck", 0},
      {".FUELLEVEL|.TagIdentifier 101|.Fuel 4|.EndCheck", 21},
      {".FUELLEVEL|.TagIdentifier 101|.Amount -40|.EndCheck", 55},
      {".FUELLEVEL|.TagIdentifier 101|.Amount forty|.EndCheck", 21},
      {".FUELLEVEL|.TagIdentifier 300|.Fuel   40|.EndCheck", 132},
      {".FUELLEVEL|.TagIdentifier 999|.Fuel   40|.EndCheck", 72},
      // The squad form needs the keyword and drops just it.
      {".FUELLEVEL|" RED_SFP "|.Fuel 40|.EndCheck", 0},
      {".FUELLEVEL|" RED_SFP "|.Fuel40|.EndCheck", 0},
      {".FUELLEVEL|" RED_SFP "|.Amount 40|.EndCheck", 49},
      {".FUELLEVEL|" RED_SFP "|.Fuel -1|.EndCheck", 55},
      {".FUELLEVEL|" RED_SFP "|.Fuel full|.EndCheck", 21},
      {".FUELLEVEL|" SQUAD "|" FLIGHT "|.Plane Red Two .EndString|.Fuel 40|.EndCheck", 0},
      {".FUELLEVEL|" SQUAD "|" FLIGHT "|.Plane Blue One .EndString|.Fuel 40|.EndCheck", 108},
      {".FUELLEVEL|.Fuel 40|.EndCheck", 97},
      {".FUELLEVEL|" RED_SFP "|.Fuel 40|.EndChek", 6},
  });
}

TEST(CheckBlocks, Random) {
  ExpectCodes({
      {".RANDOM 0|.EndCheck", 0},
      {".RANDOM 100|.EndCheck", 0},
      {".RANDOM50|.EndCheck", 0},
      {".random\t50\t|.EndCheck", 0},
      {".RANDOM 100.01|.EndCheck", 47},
      {".RANDOM -1|.EndCheck", 47},
      {".RANDOM fifty|.EndCheck", 21},
      {".RANDOM|.EndCheck", 21},
      {".RANDOM 50|.EndActon", 6},
  });
}

TEST(CheckBlocks, FlightCloseToFlight) {
  const std::string blue = ".Squad Heron Group .EndString|.Flight Blue Section .EndString|";
  const std::string red = SQUAD "|" FLIGHT "|";
  ExpectCodes({
      {red + blue + ".Distance 800|.EndCheck", 0},
      {red + red + ".Distance 800|.EndCheck", 0},
      // The second flight is matched on its own: a mixed pair fails.
      {red + ".Squad Heron Group .EndString|" FLIGHT "|.Distance 800|.EndCheck", 80},
      {".Squad Heron Group .EndString|" FLIGHT "|" + blue + ".Distance 800|.EndCheck", 80},
      {red + ".Flight Blue Section .EndString|.Distance 800|.EndCheck", 7},
      {red + ".Squad Heron Group .EndString|.Distance 800|.EndCheck", 8},
      {red + ".Squad Heron Group .EndString |.Flight Blue Section .EndString|.Distance 800|.EndCheck", 0},
      {red + ".Squad Heron Group .EndStrings|.Flight Blue Section .EndString|.Distance 800|.EndCheck", 4},
      {red + blue + ".Dist 800|.EndCheck", 10},
      {red + blue + ".Distance 8OO|.EndCheck", 21},
      {red + blue + ".Distance 800|.EndTrigger", 6},
  }, ".FLIGHTCLOSETOFLIGHT|");
}

TEST(CheckBlocks, CloseToTarget) {
  ExpectCodes({
      // The tag form does not ask for an aircraft.
      {".CLOSETOTARGET|.TagIdentifier 300|.TagIdentifier 500|.Distance 100|.EndCheck", 0},
      {".CLOSETOTARGET|.TagIdentifier 101|" BRIDGE "|.Distance 100|.EndCheck", 0},
      {".CLOSETOTARGET|" RED_SFP "|.TagIdentifier 400|.Distance 100|.EndCheck", 0},
      {".CLOSETOTARGET|" BRIDGE "|.TagIdentifier 400|.Distance 100|.EndCheck", 97},
      {".CLOSETOTARGET|.TagIdentifier 1 0|.TagIdentifier 400|.Distance 100|.EndCheck", 21},
      {".CLOSETOTARGET|.TagIdentifier -1|.TagIdentifier 400|.Distance 100|.EndCheck", 55},
      {".CLOSETOTARGET|.TagIdentifier 101|.TagIdentifier 404|.Distance 100|.EndCheck", 72},
      {".CLOSETOTARGET|.TagIdentifier 101|.Squad Kestrel Wing .EndString|.Distance 100|.EndCheck", 9},
      {".CLOSETOTARGET|.TagIdentifier 101|" LONG_BRIDGE "|.Distance 100|.EndCheck", 102},
      {".CLOSETOTARGET|.Squad Kestrel Wing .EndString .|" FLIGHT "|" PLANE "|.TagIdentifier 400|.Distance 100|.EndCheck", 4},
      {".CLOSETOTARGET|" SQUAD "|" PLANE "|" PLANE "|.TagIdentifier 400|.Distance 100|.EndCheck", 8},
      {".CLOSETOTARGET|" SQUAD "|" FLIGHT "|" FLIGHT "|.TagIdentifier 400|.Distance 100|.EndCheck", 48},
      {".CLOSETOTARGET|" SQUAD "|" FLIGHT "|.Plane Red Four .EndString|.TagIdentifier 400|.Distance 100|.EndCheck", 108},
      {".CLOSETOTARGET|.TagIdentifier 101|.TagIdentifier 400|.Radius 100|.EndCheck", 10},
      {".CLOSETOTARGET|.TagIdentifier 101|.TagIdentifier 400|.Distance 100|.EndActio", 6},
  });
}

TEST(CheckBlocks, PlanesRemainingInSquad) {
  for (const std::string k : {".PLANESREMAININGINSQUAD|", ".PLANESALIVEINSQUADMO|"}) {
    SCOPED_TRACE(k);
    ExpectCodes({
        {SQUAD "|.Amount 3|.EndCheck", 0},
        {".Squad Heron Group .EndString|.Amount 0|.EndCheck", 0},
        // This check takes no flight name.
        {SQUAD "|" FLIGHT "|.Amount 3|.EndCheck", 36},
        {FLIGHT "|.Amount 3|.EndCheck", 7},
        {".Squad Kestrel Wing .EndString x|.Amount 3|.EndCheck", 4},
        {".Squad Osprey Wing .EndString|.Amount 3|.EndCheck", 109},
        {".Squad Kestrel Wing  .EndString|.Amount 3|.EndCheck", 109},  // stored with a trailing blank
        {SQUAD "|.Amount 3.0.0|.EndCheck", 21},
        {SQUAD "|.Amount 5|.EndCheck", 54},
        {SQUAD "|.Amount 3|.Action", 6},
    }, k);
  }
}

// The dispatcher on its own, against tables filled by hand.
class DispatchCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { testworld::Fill(state); }

  // The lines after ".Check"; answers the code and leaves the last statement.
  int Run(const std::vector<std::string>& lines) {
    MissionFile file;
    file.OpenBytes(testworld::Lines(lines) + ".EndTrigger\r\n.EndMission\r\n");
    statement = ".Check";
    bool ok = true;
    state.ErrNo = 0;
    DispatchCheck(state, file, statement, ok);
    EXPECT_EQ(ok, state.ErrNo == 0);
    return state.ErrNo;
  }

  MissionState state;
  std::string statement;
};

TEST_F(DispatchCheckTest, LeavesTheLastStatementRead) {
  EXPECT_EQ(Run({".TIME 5", ".EndCheck extra"}), 0);
  EXPECT_EQ(statement, ".EndCheck extra");
  EXPECT_EQ(Run({".flightclosetoflight", ".Squad Kestrel Wing .EndString"}), 8);
  EXPECT_EQ(statement, ".EndTrigger");
  // The keyword line stays upper-cased when the keyword is unknown.
  EXPECT_EQ(Run({".nosuchcheck 5"}), 125);
  EXPECT_EQ(statement, ".NOSUCHCHECK 5");
}

TEST_F(DispatchCheckTest, StartsFromAnEmptyReferenceRecord) {
  state.ReferenceRecord.SquadName = "Kestrel Wing";
  state.ReferenceRecord.FlightName = "Red Section";
  EXPECT_EQ(Run({".ALLMOCOMPLETED", ".EndCheck"}), 0);
  EXPECT_TRUE(state.ReferenceRecord.SquadName.empty());
  EXPECT_TRUE(state.ReferenceRecord.FlightName.empty());
}

TEST_F(DispatchCheckTest, BridgeNamesNotInTheList) {
  EXPECT_EQ(Run({".OBJECTDAMAGED", ".BridgeName Stone Bridge .EndString", ".Amount 5", ".EndCheck"}), 102);
  EXPECT_EQ(Run({".OBJECTDAMAGED", ".BridgeName Old Mill Bridge .EndString", ".Amount 5", ".EndCheck"}), 0);
  EXPECT_EQ(state.ReferenceRecord.SquadName, "Old Mill Bridge");
}

TEST_F(DispatchCheckTest, ReaderCodesEndACheck) {
  EXPECT_EQ(Run({"..ALLMOCOMPLETED", ".EndCheck"}), 122);
  EXPECT_EQ(Run({".TIME 5", "..EndCheck"}), 122);
}

TEST_F(DispatchCheckTest, EndOfFileInsideABlock) {
  MissionFile file;
  file.OpenBytes(".TIME 5\r\n");
  statement = ".Check";
  bool ok = true;
  DispatchCheck(state, file, statement, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 62);
}

// The sample mission uses every check keyword and verifies with the
// program's own type names.
class SampleMissionChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(std::string(TOLVANE_SOURCE_DIR) + "/examples/harbour_watch.mis", std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
  }

  int Verify(const std::string& mission) {
    TypeNameList names;
    LoadTypeNames(names, std::string(TOLVANE_SOURCE_DIR) + "/program/ObjectNames.Txt");
    MissionState state;
    const VerifyResult result = VerifyMissionBytes(state, MissionFolderEnvironment(names, ""), mission);
    EXPECT_EQ(result.MissionOk, state.ErrNo == 0) << state.ErrMsg;
    line = state.LineNo;
    return state.ErrNo;
  }

  // The text with the first occurrence of one line replaced.
  std::string With(const std::string& from, const std::string& to) const {
    std::string changed = text;
    const std::size_t at = changed.find("\r\n" + from + "\r\n");
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) changed.replace(at + 2, from.size(), to);
    return changed;
  }

  std::string text;
  int line = 0;
};

TEST_F(SampleMissionChecks, EveryCheckKeywordVerifies) {
  for (const char* keyword :
       {".FLIGHTCLOSETOTARGET", ".PLANEREACHED", ".FLIGHTREACHED", ".REACHEDMINALT", ".REACHEDMAXALT",
        ".REACHEDMINSPEED", ".REACHEDMAXSPEED", ".PLANEDAMAGED", ".OBJECTDAMAGED", ".OBJECTNOTDAMAGED",
        ".PLANENOTDAMAGED", ".PLANESREMAINING", ".PLANESALIVEMO", ".DIVISIONHEALTHGREATERTHAN",
        ".DIVISIONHEALTHLESSTHAN", ".ALLIEDVEHICLESDESTROYED", ".AXISVEHICLESDESTROYED",
        ".DIVISIONVEHICLESDESTROYED", ".ALLMOCOMPLETED", ".UNITSDESTROYED", ".FUELLEVEL", ".FLIGHTCLOSETOFLIGHT",
        ".CLOSETOTARGET", ".FLIGHTCLOSETODIVISION", ".PLANESREMAININGINSQUAD", ".PLANESALIVEINSQUADMO"}) {
    EXPECT_NE(text.find(std::string("\r\n") + keyword + "\r\n"), std::string::npos) << keyword;
  }
  EXPECT_NE(text.find("\r\n.TIME "), std::string::npos);
  EXPECT_NE(text.find("\r\n.RANDOM "), std::string::npos);
  EXPECT_EQ(Verify(text), 0) << "at line " << line;
}

TEST_F(SampleMissionChecks, SmallSlipsAreCaught) {
  // Set 1 has four waypoints and the raiders' set three.
  EXPECT_EQ(Verify(With(".Waypoint 4", ".Waypoint 5")), 98);
  EXPECT_EQ(Verify(With(".Waypoint 3", ".Waypoint 4")), 79);
  // Only the first ten characters of a type name count.
  EXPECT_EQ(Verify(With(".Type Supply Truck .EndString", ".Type Supply Trucks .EndString")), 0);
  EXPECT_EQ(Verify(With(".Type Supply Truck .EndString", ".Type Supply Trick .EndString")), 96);
  EXPECT_EQ(Verify(With(".Type Field Gun .EndString", ".Type Fieldgun .EndString")), 96);
  EXPECT_EQ(Verify(With(".Division Quay Defence .EndString", ".Division Quay Defences .EndString")), 88);
  EXPECT_EQ(Verify(With(".RANDOM 75", ".RANDOM 175")), 47);
  EXPECT_EQ(Verify(With(".Amount 25", ".Amount -25")), 55);
}

}  // namespace
}  // namespace tolvane
