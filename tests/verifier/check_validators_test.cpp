// Check blocks: each case replaces the first trigger's check of a valid
// mission and runs both passes; the code must be the one the block earns.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "check_validators.h"
#include "error_location.h"
#include "harbour_mission.h"
#include "reference_lookups.h"
#include "statement_reader.h"
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

// Every failure is found in pass two, and its statement stands on its line,
// where the editor looks for it.
void ExpectCodes(const std::vector<Case>& cases, const std::string& keyword = "") {
  for (const Case& c : cases) {
    const std::string block = keyword + c.block;
    const std::string text = HarbourMission(CheckBody(block));
    const harbour::Verdict v = VerifyText(text);
    EXPECT_EQ(v.code, c.code) << block << "\n  " << v.statement << " at line " << v.line;
    EXPECT_EQ(v.ok, c.code == 0) << block;
    if (c.code != 0) {
      EXPECT_EQ(v.pass, 2) << block << ": stopped in pass one";
      std::string line = LineOfText(text, v.line), statement = v.statement;
      UpperCaseAscii(line);
      UpperCaseAscii(statement);
      EXPECT_NE(line.find(statement), std::string::npos) << block << ": " << v.statement << " at " << v.line;
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

TEST(CheckBlocks, KeywordLineAndSharedLookups) {
  ExpectCodes({
      {".time 30|.EndCheck", 0},             // keyword lines are upper-cased
      {".ALLMOCOMPLETED |.EndCheck", 125},   // a trailing blank spoils a keyword
      {"ALLMOCOMPLETED|.EndCheck", 46},
      // A keyword where a statement was expected is that statement's error.
      {".FLIGHTREACHED|.PLANEREACHED|.TagIdentifier 101|.Waypoint 1|.EndCheck", 97},
      {".ALLMOCOMPLETED|.Amount 1|.EndCheck", 6},
      // Tags compare as written; a bridge has no tag; names need their marker.
      {".OBJECTDAMAGED|.TagIdentifier 0500|.Amount 50|.EndCheck", 72},
      {".OBJECTDAMAGED|.TagIdentifier -500|.Amount 50|.EndCheck", 55},
      {".OBJECTDAMAGED|.TagIdentifier five|.Amount 50|.EndCheck", 21},
      {".OBJECTDAMAGED|" SQUAD "|.Amount 50|.EndCheck", 9},
      {".OBJECTDAMAGED|" LONG_BRIDGE "|.Amount 50|.EndCheck", 102},
      {".PLANEREACHED|" BRIDGE "|.Waypoint 1|.EndCheck", 132},
      {".PLANESREMAINING|" SQUAD "|.Flight Red Section .EndStrin|.Amount 2|.EndCheck", 4},
      {".PLANESREMAINING|" SQUAD "|" SQUAD "|.Amount 2|.EndCheck", 8},
      {".PLANESREMAINING|.Squad Heron Group .EndString|" FLIGHT "|.Amount 2|.EndCheck", 80},
      {".DIVISIONHEALTHLESSTHAN|.Division harbour guard .EndString|.Amount 25|.EndCheck", 88},
      // The end line is a prefix test, exact in case.
      {".ALLMOCOMPLETED|.EndCheckpoint", 0},
      {".ALLMOCOMPLETED|.Endcheck", 6},
  });
}

TEST(CheckBlocks, Time) {
  ExpectCodes({
      {".TIME   2.5e1  |.EndCheck", 0},
      {".TIME\t30|.EndCheck", 104},
      {".TIME soon|.EndCheck", 21},
  });
}

// Keywords that share a validator are tested through one of them; the
// template test of the reference texts runs every keyword's valid form.
TEST(CheckBlocks, FlightCloseToTargetOrDivision) {
  ExpectCodes({
      {SQUAD "|" FLIGHT "|" BRIDGE "|.Distance 1500|.EndCheck", 0},
      {".Sqd Kestrel Wing .EndString|" FLIGHT "|.TagIdentifier 400|.Distance 1500|.EndCheck", 7},
      {SQUAD "|" FLIGHT "|.TagIdentifier 401|.Distance 1500|.EndCheck", 72},
      {SQUAD "|" FLIGHT "|.TagIdentifier 400|.Distance far|.EndCheck", 21},
  }, ".FLIGHTCLOSETODIVISION|");
}

TEST(CheckBlocks, Reached) {
  ExpectCodes({
      {".PLANEREACHED|.TagIdentifier 101|.Waypoint 4|.EndCheck", 0},
      {".PLANEREACHED|.TagIdentifier 100|.WayPoint   2  |.EndCheck", 0},  // trimmed
      {".PLANEREACHED|.TagIdentifier 201|.Waypoint 1|.EndCheck", 0},      // no set: one waypoint
      {".PLANEREACHED|.TagIdentifier 101|.Waypoint 5|.EndCheck", 79},
      {".PLANEREACHED|.TagIdentifier 201|.Waypoint 2|.EndCheck", 79},
      {".FLIGHTREACHED|.TagIdentifier 102|.WayPoint\t 4|.EndCheck", 0},
      {".FLIGHTREACHED|.TagIdentifier x64|.Waypoint 3|.EndCheck", 72},  // hex form, no such tag text
      {".FLIGHTREACHED|.TagIdentifier 100|.Waypoint 0|.EndCheck", 79},
      {".FLIGHTREACHED|.Squad Heron Group .EndString|.Flight Blue Section .EndString|.WayPoint 1|.EndCheck", 0},
      // The squad form keeps what follows the keyword's blank untrimmed.
      {".FLIGHTREACHED|" SQUAD "|" FLIGHT "|.Waypoint  2|.EndCheck", 98},
      {".FLIGHTREACHED|" SQUAD "|.Flight Blue Section .EndString|.Waypoint 2|.EndCheck", 98},
      {".FLIGHTREACHED|.Squad Kestrel Wing .EndString x|" FLIGHT "|.Waypoint 2|.EndCheck", 4},
  });
}

TEST(CheckBlocks, AltitudeSpeedAndDamage) {
  ExpectCodes({
      {".TagIdentifier 100|.Altitude 0|.EndCheck", 0},
      {".Flight Red Section .EndString|.Altitude 3000|.EndCheck", 97},
      {".TagIdentifier 101|.Height 3000|.EndCheck", 53},      // the tag form's own test
      {RED_SFP "|.Height 3000|.EndCheck", 110},                // the lookup's test
      {".TagIdentifier 101|.Altitude high|.EndCheck", 111},
      {RED_SFP "|.Altitude -0.5|.EndCheck", 55},
      {SQUAD "|" FLIGHT "|.Plane Red Three .EndString|.Altitude 3000|.EndCheck", 108},
      {SQUAD "|" FLIGHT "|.Callsign Red One .EndString|.Altitude 3000|.EndCheck", 48},
  }, ".REACHEDMAXALT|");
  ExpectCodes({{".TagIdentifier 201|.Speed -1|.EndCheck", 55}}, ".REACHEDMINSPEED|");
  ExpectCodes({
      {".TagIdentifier 102|.Amount 100.5|.EndCheck", 56},
      {".TagIdentifier 102|.Amount -1|.EndCheck", 56},
      {".TagIdentifier 102|.Amount 1e999|.EndCheck", 56},   // a number, far above the range
      {".TagIdentifier 102|.Amount -1e999|.EndCheck", 56},
      {".TagIdentifier 102|.Amount 5e-999|.EndCheck", 0},   // a number, next to zero
      {".TagIdentifier 102|.Percent 50|.EndCheck", 36},
      {RED_SFP "|.Amount 100|.EndCheck", 0},
      {".TagIdentifier 301|.Amount 50|.EndCheck", 132},  // a vehicle waypoint tag
      {BRIDGE "|.Amount 50|.EndCheck", 97},
  }, ".PLANEDAMAGED|");
  // Any object is damaged by tag, a bridge by name.
  for (const char* tag : {"300", "301", "400", "500", "101"}) {
    ExpectCodes({{std::string(".OBJECTNOTDAMAGED|.TagIdentifier ") + tag + "|.Amount 50|.EndCheck", 0}});
  }
  ExpectCodes({{".OBJECTDAMAGED|" BRIDGE "|.Amount 50|.EndCheck", 0}});
}

TEST(CheckBlocks, CountsAndHealth) {
  ExpectCodes({
      {SQUAD "|" FLIGHT "|.Amount 0|.EndCheck", 0},
      {SQUAD "|" FLIGHT "|.Amount 4.5|.EndCheck", 54},
      {SQUAD "|" FLIGHT "|.Amount -1|.EndCheck", 54},
  }, ".PLANESALIVEMO|");
  ExpectCodes({
      {SQUAD "|" FLIGHT "|.Amount 3|.EndCheck", 36},  // this check takes no flight name
      {".Squad Osprey Wing .EndString|.Amount 3|.EndCheck", 109},
      {".Squad Kestrel Wing  .EndString|.Amount 3|.EndCheck", 109},  // stored with a trailing blank
      {SQUAD "|.Amount 5|.EndCheck", 54},
  }, ".PLANESREMAININGINSQUAD|");
  ExpectCodes({
      {".Squad Harbour Guard .EndString|.Amount 25|.EndCheck", 35},
      {".Division Harbour Guard .EndString|.Amount 2 5|.EndCheck", 21},
      {".Division Harbour Guard .EndString|.Amount 100.1|.EndCheck", 56},
  }, ".DIVISIONHEALTHGREATERTHAN|");
  ExpectCodes({
      {".Type Halftrack .EndString|.Number 0|.EndCheck", 0},
      {".TypeName Lorry .EndString|.Number 3|.EndCheck", 96},  // "Name Lorry" is no type
      {".Type Tractor .EndString|.Number 3|.EndCheck", 96},
      {".Type Lorry .EndString|.Number -3|.EndCheck", 55},
  }, ".DIVISIONVEHICLESDESTROYED|.Division Harbour Guard .EndString|");
  ExpectCodes({
      {".DIVISIONVEHICLESDESTROYED|.Division Iron Guard .EndString|.Type Lorry .EndString|.Number 2|.EndCheck", 88},
      {".RANDOM50|.EndCheck", 0},
      {".random\t50\t|.EndCheck", 0},
      {".RANDOM 100.01|.EndCheck", 47},
      {".RANDOM|.EndCheck", 21},
  });
}

TEST(CheckBlocks, FuelLevel) {
  ExpectCodes({
      // The tag form drops seven characters, whatever they are.
      {".FUELLEVEL|.TagIdentifier 101|.Fuel   40|.EndCheck", 0},
      {".FUELLEVEL|.TagIdentifier 101|.Amount 40|.EndCheck", 0},
      {".FUELLEVEL|.TagIdentifier 101|.Fuel 4|.EndCheck", 21},
      {".FUELLEVEL|.TagIdentifier 101|.Amount -40|.EndCheck", 55},
      // The squad form needs the keyword and drops just it.
      {".FUELLEVEL|" RED_SFP "|.Fuel40|.EndCheck", 0},
      {".FUELLEVEL|" RED_SFP "|.Amount 40|.EndCheck", 49},
      {".FUELLEVEL|" SQUAD "|" FLIGHT "|.Plane Red Two .EndString|.Fuel 40|.EndCheck", 0},
      {".FUELLEVEL|" SQUAD "|" FLIGHT "|.Plane Blue One .EndString|.Fuel 40|.EndCheck", 108},
      {".FUELLEVEL|.Fuel 40|.EndCheck", 97},
  });
}

TEST(CheckBlocks, CloseToFlightAndToTarget) {
  const std::string blue = ".Squad Heron Group .EndString|.Flight Blue Section .EndString|";
  const std::string red = SQUAD "|" FLIGHT "|";
  ExpectCodes({
      {red + blue + ".Distance 800|.EndCheck", 0},
      {red + red + ".Distance 800|.EndCheck", 0},
      // The second flight is matched on its own: a mixed pair fails.
      {red + ".Squad Heron Group .EndString|" FLIGHT "|.Distance 800|.EndCheck", 80},
      {".Squad Heron Group .EndString|" FLIGHT "|" + blue + ".Distance 800|.EndCheck", 80},
      {red + ".Squad Heron Group .EndString |.Flight Blue Section .EndString|.Distance 800|.EndCheck", 0},
  }, ".FLIGHTCLOSETOFLIGHT|");
  ExpectCodes({
      // The tag form does not ask for an aircraft.
      {".TagIdentifier 300|.TagIdentifier 500|.Distance 100|.EndCheck", 0},
      {".TagIdentifier 101|" BRIDGE "|.Distance 100|.EndCheck", 0},
      {RED_SFP "|.TagIdentifier 400|.Distance 100|.EndCheck", 0},
      {BRIDGE "|.TagIdentifier 400|.Distance 100|.EndCheck", 97},
      {".TagIdentifier 101|.TagIdentifier 404|.Distance 100|.EndCheck", 72},
      {SQUAD "|" FLIGHT "|" FLIGHT "|.TagIdentifier 400|.Distance 100|.EndCheck", 48},
  }, ".CLOSETOTARGET|");
}

// The dispatcher on its own, against the tables pass one fills from the mission.
class DispatchCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { harbour::FillTables(state); }

  // The lines after ".Check"; answers the code and leaves the last statement.
  int Run(const std::vector<std::string>& lines) {
    MissionFile file;
    file.OpenBytes(builder::Lines(lines) + ".EndTrigger\r\n.EndMission\r\n");
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

TEST_F(DispatchCheckTest, StartsFromAnEmptyReferenceRecordAndKeepsReaderCodes) {
  state.ReferenceRecord.SquadName = "Kestrel Wing";
  EXPECT_EQ(Run({".ALLMOCOMPLETED", ".EndCheck"}), 0);
  EXPECT_TRUE(state.ReferenceRecord.SquadName.empty());
  EXPECT_EQ(Run({"..ALLMOCOMPLETED", ".EndCheck"}), 122);
  EXPECT_EQ(Run({".TIME 5", "..EndCheck"}), 122);
  MissionFile file;
  file.OpenBytes(".TIME 5\r\n");
  statement = ".Check";
  bool ok = true;
  DispatchCheck(state, file, statement, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 62);
}

TEST_F(DispatchCheckTest, ATagIndexPastTheAircraftInUseIsNoFlight) {
  bool ok = true;
  state.TagTable[1].AircraftIndex = 9999;
  IsFlightTag(state, "100", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(IsAircraftTag(state, "", ok), 0);
}

// Small slips in the sample mission that uses every check keyword, verified
// with the program's own type names.
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

TEST_F(SampleMissionChecks, SmallSlipsAreCaught) {
  EXPECT_EQ(Verify(text), 0) << "at line " << line;
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
