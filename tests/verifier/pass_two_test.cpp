// The trigger section: its driver, the statements between blocks and the
// trigger header, over the tables pass one fills from a mission; and whole
// missions through both passes.

#include <gtest/gtest.h>

#include <algorithm>

#include "harbour_mission.h"
#include "pass_two.h"

namespace tolvane {
namespace {

class PassTwoTest : public ::testing::Test {
 protected:
  void SetUp() override { harbour::FillTables(state); }

  // Runs pass two over the lines; answers ErrNo.
  int Run(const std::vector<std::string>& lines) {
    MissionFile file;
    file.OpenBytes(builder::Lines(lines));
    ok = true;
    statement = "left over";
    state.ErrNo = 55;
    PassTwo(state, file, ok, statement);
    return state.ErrNo;
  }

  MissionState state;
  bool ok = true;
  std::string statement;
};

// A valid trigger: header, one check, one action.
std::vector<std::string> Trigger(const std::string& name = "Harbour Alarm") {
  return {".Trigger", ".Name " + name + " .EndString", ".Check", ".TIME 30", ".EndCheck",
          ".Action",  ".ENDSIM",                        ".EndAction", ".EndTrigger"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const std::vector<std::string> kObjects = {".AGGREGATE", ".Type Flight", ".EndAggregate"};
const std::vector<std::string> kEnd = {".MissionSummary", "Harbour patrol.", ".EndMission"};

TEST_F(PassTwoTest, WhereTheSectionEnds) {
  EXPECT_EQ(Run(Join({kObjects, Trigger(), Trigger("Convoy Lost"), kEnd})), 0);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(state.TriggersFound);
  EXPECT_EQ(statement, ".MissionSummary");
  EXPECT_EQ(state.LineNo, 22);
  const struct {
    std::vector<std::string> lines;
    int code;
  } cases[] = {
      // A summary line that is the last line of the file ends the section.
      {Join({kObjects, Trigger(), {".MissionSummary"}}), 0},
      // Without a summary the section runs to the final line.
      {Join({Trigger(), {".EndMission"}}), 0},
      // Lines after the summary are never read.
      {Join({Trigger(), kEnd, {"", "stray text"}}), 0},
      // No trigger before the summary.
      {Join({kObjects, kEnd}), 1},
      {Join({kObjects, {".MissionSummary"}, Trigger(), {".EndMission"}}), 1},
      // Reader failures before the first trigger are an end of file; inside
      // the section the reader's own code stands.
      {{".AGGREGATE", "..Type Flight", ".Trigger"}, 62},
      {{".AGGREGATE", ".EndAggregate"}, 62},
      {Join({Trigger(), {"..Trigger", ".EndMission"}}), 122},
      {Trigger(), 62},
      // Check and action lines are prefixes; each block goes to its own dispatcher.
      {{".Trigger", ".Name Harbour Alarm .EndString", ".Checkpoint one", ".TIME 30", ".EndCheck", ".Actions follow",
        ".ENDSIM", ".EndAction", ".EndTrigger", ".EndMission"}, 0},
      {{".Trigger", ".Name Harbour Alarm .EndString", ".Check", ".ENDSIM", ".EndCheck", ".EndTrigger", ".EndMission"},
       125},
      {{".Trigger", ".Name Harbour Alarm .EndString", ".Action", ".TIME 30", ".EndAction", ".EndTrigger", ".EndMission"},
       124},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.size());
    EXPECT_EQ(Run(c.lines), c.code);
    EXPECT_EQ(ok, c.code < 2);
  }
}

TEST_F(PassTwoTest, ConnectivesAndOtherStatementsBetweenBlocks) {
  // A single "OR" and a lower-case "or" are verified in whole missions below.
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{"AND", "OR", "AND"}, 0}, {{".HIDDEN"}, 0}, {{"The .Hidden marker"}, 60}, {{".Note .Hidden here"}, 0},
      {{".EndTriggerX"}, 0}, {{"AND "}, 60}, {{"   "}, 60}, {{"// not in column one", "AND"}, 0},
      {{"  // not in column one"}, 60}, {{".Trigger "}, 137}, {{".Waypoint 3"}, 137},
  };
  for (const auto& [between, code] : cases) {
    std::vector<std::string> lines = {".Trigger", ".Name Harbour Alarm .EndString", ".Check", ".TIME 30", ".EndCheck"};
    lines.insert(lines.end(), between.begin(), between.end());
    lines.insert(lines.end(), {".Check", ".RANDOM 50", ".EndCheck", ".Action", ".ENDSIM", ".EndAction",
                               ".EndTrigger", ".EndMission"});
    EXPECT_EQ(Run(lines), code) << between[0];
  }
  EXPECT_EQ(state.LineNo, 6);
  EXPECT_EQ(statement, ".Waypoint 3");
}

TEST_F(PassTwoTest, TriggerHeader) {
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{".MISSIONOBJECTIVE", ".Name Harbour Alarm .EndString"}, 0},
      {{".MISSIONOBJECTIVE 1", ".Hidden", ".Name Convoy Lost .Endstring"}, 0},
      {{".Name\tHarbour Alarm\t.EndString"}, 0},
      // The hidden marker is skipped only after an objective line.
      {{".Hidden", ".Name Harbour Alarm .EndString"}, 3},
      {{".MissionObjective", ".Name Harbour Alarm .EndString"}, 3},
      {{".Objective .MISSIONOBJECTIVE", ".Name Harbour Alarm .EndString"}, 2},
      {{".name Harbour Alarm .EndString"}, 3},
      {{".Name Harbour Alarms .EndString"}, 76},
      {{".Name Harbour Alarm"}, 76},
      // The tail is tested as it stands: a blank after the marker fails.
      {{".Name Harbour Alarm .EndString "}, 4},
  };
  for (const auto& [header, code] : cases) {
    std::vector<std::string> lines = header;
    lines.insert(lines.begin(), ".Trigger");
    lines.insert(lines.end(), {".Check", ".TIME 1", ".EndCheck", ".EndTrigger", ".EndMission"});
    EXPECT_EQ(Run(lines), code) << header.back();
  }
  EXPECT_EQ(state.LineNo, 2);
  // Reading past the end inside the header.
  EXPECT_EQ(Run({".Trigger", ".MISSIONOBJECTIVE"}), 62);
}

TEST_F(PassTwoTest, TriggerNamesAreComparedAtThirtyCharacters) {
  state.TriggerTable[1].TriggerName = "Harbour Alarm At The Eastern Quay";
  EXPECT_EQ(Run(Join({Trigger("Harbour Alarm At The Eastern Quarter"), {".EndMission"}})), 0);
  EXPECT_EQ(Run(Join({Trigger("Harbour Alarm At The Eastern"), {".EndMission"}})), 76);
}

// Whole missions through both passes.
TEST(PassTwoMissions, ConnectivesAndTheHiddenMarker) {
  using harbour::HarbourMission;
  using harbour::VerifyText;
  // Two checks joined by "OR", an objective line and a hidden marker.
  const std::string text = harbour::HarbourObjects() +
                           builder::Lines({".Trigger", ".MISSIONOBJECTIVE", ".HIDDEN",
                                           ".Name Harbour Alarm .EndString", ".Check", ".TIME 30", ".EndCheck", "OR",
                                           ".Check", ".PLANEREACHED", ".TagIdentifier 102", ".Waypoint 2",
                                           ".EndCheck", ".Action", ".ENDSIM", ".EndAction", ".EndTrigger"}) +
                           harbour::ConvoyLostTrigger() + builder::MissionEnd();
  harbour::Verdict v = VerifyText(text);
  EXPECT_TRUE(v.ok) << v.code << " " << v.statement << " at " << v.line;
  EXPECT_EQ(v.code, 0);

  // A lower-case connective is caught in pass two, at its line.
  v = VerifyText(HarbourMission({".Check", ".TIME 30", ".EndCheck", "or", ".Check", ".RANDOM 5", ".EndCheck"}));
  EXPECT_EQ(v.code, 60);
  EXPECT_EQ(v.pass, 2);
  EXPECT_EQ(v.statement, "or");
}

TEST(PassTwoMissions, AnErrorInTheSecondTriggerIsFoundAtItsLine) {
  const std::string objects = harbour::HarbourObjects();
  const int objectLines = static_cast<int>(std::count(objects.begin(), objects.end(), '\n'));
  const std::string text = objects + builder::TriggerBlock("Harbour Alarm", harbour::CheckBody(".TIME 5|.EndCheck")) +
                           builder::TriggerBlock("Convoy Lost", harbour::CheckBody(".RANDOM 500|.EndCheck")) +
                           builder::MissionEnd();
  const harbour::Verdict v = harbour::VerifyText(text);
  EXPECT_EQ(v.code, 47);
  // The first trigger takes nine lines; the second's keyword line is its fourth.
  EXPECT_EQ(v.line, objectLines + 9 + 4);
  EXPECT_EQ(v.statement, ".RANDOM 500");
}

}  // namespace
}  // namespace tolvane
