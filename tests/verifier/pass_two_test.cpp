// The trigger section: its driver, the statements between blocks and the
// trigger header, over hand-filled tables; and a few whole missions through
// both passes.

#include <gtest/gtest.h>

#include <algorithm>

#include "harbour_mission.h"
#include "pass_two.h"
#include "trigger_world.h"

namespace tolvane {
namespace {

class PassTwoTest : public ::testing::Test {
 protected:
  void SetUp() override { testworld::Fill(state); }

  // Runs pass two over the lines; answers ErrNo.
  int Run(const std::vector<std::string>& lines) {
    MissionFile file;
    file.OpenBytes(testworld::Lines(lines));
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

TEST_F(PassTwoTest, ValidSectionsAndWhereTheyEnd) {
  EXPECT_EQ(Run(Join({kObjects, Trigger(), Trigger("Convoy Lost"), kEnd})), 0);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(state.TriggersFound);
  EXPECT_EQ(state.ErrMsg, "Appears To Be A Good Mission");
  EXPECT_EQ(statement, ".MissionSummary");
  EXPECT_EQ(state.LineNo, 22);
  // A summary line that is the last line of the file ends the section.
  EXPECT_EQ(Run(Join({kObjects, Trigger(), {".MissionSummary"}})), 0);
  EXPECT_TRUE(ok);
  // Without a summary the section runs to the final line.
  EXPECT_EQ(Run(Join({Trigger(), {".EndMission"}})), 0);
  EXPECT_TRUE(ok);
  // Lines after the summary are never read.
  EXPECT_EQ(Run(Join({Trigger(), kEnd, {"", "stray text"}})), 0);
}

TEST_F(PassTwoTest, NoTriggerBeforeTheSummary) {
  EXPECT_EQ(Run(Join({kObjects, kEnd})), 1);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(state.TriggersFound);
  EXPECT_EQ(Run(Join({kObjects, {".MissionSummary"}, Trigger(), {".EndMission"}})), 1);
  EXPECT_TRUE(ok);
  EXPECT_EQ(state.ErrMsg, "There are NO Triggers in this mission ");
}

TEST_F(PassTwoTest, ReaderFailuresBeforeTheFirstTriggerAreAnEndOfFile) {
  EXPECT_EQ(Run({".AGGREGATE", "..Type Flight", ".Trigger"}), 62);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Run({".AGGREGATE", ".EndAggregate"}), 62);
  EXPECT_EQ(state.LineNo, 2);
  // Inside the section the reader's own code stands.
  EXPECT_EQ(Run(Join({Trigger(), {"..Trigger", ".EndMission"}})), 122);
  EXPECT_EQ(Run(Trigger()), 62);
}

TEST_F(PassTwoTest, ConnectivesAndOtherStatementsBetweenBlocks) {
  auto with = [](std::vector<std::string> between) {
    std::vector<std::string> lines = {".Trigger", ".Name Harbour Alarm .EndString", ".Check", ".TIME 30", ".EndCheck"};
    lines.insert(lines.end(), between.begin(), between.end());
    lines.insert(lines.end(), {".Check", ".RANDOM 50", ".EndCheck", ".Action", ".ENDSIM", ".EndAction",
                               ".EndTrigger", ".EndMission"});
    return lines;
  };
  EXPECT_EQ(Run(with({"AND"})), 0);
  EXPECT_EQ(Run(with({"OR"})), 0);
  EXPECT_EQ(Run(with({"AND", "OR", "AND"})), 0);
  EXPECT_EQ(Run(with({".HIDDEN"})), 0);
  EXPECT_EQ(Run(with({"The .Hidden marker"})), 60);
  EXPECT_EQ(Run(with({".Note .Hidden here"})), 0);
  EXPECT_EQ(Run(with({".EndTriggerX"})), 0);
  EXPECT_EQ(Run(with({"and"})), 60);
  EXPECT_EQ(Run(with({"Or"})), 60);
  EXPECT_EQ(Run(with({"AND "})), 60);
  EXPECT_EQ(Run(with({"   "})), 60);
  EXPECT_EQ(Run(with({"// not in column one", "AND"})), 0);
  EXPECT_EQ(Run(with({"  // not in column one"})), 60);
  EXPECT_EQ(Run(with({".Trigger "})), 137);
  EXPECT_EQ(Run(with({".Waypoint 3"})), 137);
  EXPECT_EQ(state.LineNo, 6);
  EXPECT_EQ(statement, ".Waypoint 3");
}

TEST_F(PassTwoTest, CheckAndActionLinesArePrefixes) {
  EXPECT_EQ(Run({".Trigger", ".Name Harbour Alarm .EndString", ".Checkpoint one", ".TIME 30", ".EndCheck",
                 ".Actions follow", ".ENDSIM", ".EndAction", ".EndTrigger", ".EndMission"}),
            0);
  // Each block goes to its own dispatcher.
  EXPECT_EQ(Run({".Trigger", ".Name Harbour Alarm .EndString", ".Check", ".ENDSIM", ".EndCheck", ".EndTrigger",
                 ".EndMission"}),
            125);
  EXPECT_EQ(Run({".Trigger", ".Name Harbour Alarm .EndString", ".Action", ".TIME 30", ".EndAction", ".EndTrigger",
                 ".EndMission"}),
            124);
}

TEST_F(PassTwoTest, TriggerHeader) {
  auto header = [](std::vector<std::string> lines) {
    lines.insert(lines.begin(), ".Trigger");
    lines.insert(lines.end(), {".Check", ".TIME 1", ".EndCheck", ".EndTrigger", ".EndMission"});
    return lines;
  };
  EXPECT_EQ(Run(header({".MISSIONOBJECTIVE", ".Name Harbour Alarm .EndString"})), 0);
  EXPECT_EQ(Run(header({".MISSIONOBJECTIVE", ".HIDDEN", ".Name Harbour Alarm .EndString"})), 0);
  EXPECT_EQ(Run(header({".MISSIONOBJECTIVE 1", ".Hidden", ".Name Convoy Lost .Endstring"})), 0);
  EXPECT_EQ(Run(header({".Name\tHarbour Alarm\t.EndString"})), 0);
  // The hidden marker is skipped only after an objective line.
  EXPECT_EQ(Run(header({".Hidden", ".Name Harbour Alarm .EndString"})), 3);
  EXPECT_EQ(Run(header({".MissionObjective", ".Name Harbour Alarm .EndString"})), 3);
  EXPECT_EQ(Run(header({".Objective .MISSIONOBJECTIVE", ".Name Harbour Alarm .EndString"})), 2);
  EXPECT_EQ(Run(header({".name Harbour Alarm .EndString"})), 3);
  EXPECT_EQ(Run(header({".Name Harbour Alarms .EndString"})), 76);
  EXPECT_EQ(Run(header({".Name harbour alarm .EndString"})), 76);
  EXPECT_EQ(Run(header({".Name Harbour Alarm"})), 76);
  // The tail is tested as it stands: a blank after the marker fails.
  EXPECT_EQ(Run(header({".Name Harbour Alarm .EndString "})), 4);
  EXPECT_EQ(Run(header({".Name Harbour Alarm .EndStr"})), 4);
  EXPECT_EQ(state.LineNo, 2);
  // Reading past the end inside the header.
  EXPECT_EQ(Run({".Trigger", ".MISSIONOBJECTIVE"}), 62);
}

TEST_F(PassTwoTest, TriggerNamesAreComparedAtThirtyCharacters) {
  state.TriggerTable[1].TriggerName = "Harbour Alarm At The Eastern Quay";
  ASSERT_EQ(state.TriggerTable[1].TriggerName, "Harbour Alarm At The Eastern Q");
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
