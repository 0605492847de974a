// Tag identifier renumbering over an editor text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "renumber.h"

namespace tolvane {
namespace {

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// Renumbers and applies the edits; the run must succeed.
std::string Renumbered(const std::string& text) {
  const RenumberResult result = Renumber(text);
  EXPECT_EQ(result.ErrNo, 0) << RenumberMessage(result);
  return ApplyRenumberEdits(text, result.Edits);
}

const std::vector<std::string> kFiveNineTwelve = {
    "// Definitions 5, 9, 12; the trigger names 12, 40 (no object) and $9.",
    ".ENTITY", "\t.TagIdentifier 5", ".EndEntity",
    ".ENTITY", ".TagIdentifier 9", ".EndEntity",
    ".AGGREGATE", ".TagIdentifier\t12 ", ".EndAggregate",
    ".Trigger", ".Check", ".PLANEDAMAGED", "\t\t\t.TagIdentifier\t12", ".Amount 5", ".EndCheck",
    ".Check", ".OBJECTDAMAGED", ".TagIdentifier 40", ".TagIdentifier $9", ".EndCheck", ".EndTrigger",
    ".MissionSummary", ".TagIdentifier 12", ".EndMission"};

TEST(Renumber, DefinitionsBecomeConsecutiveAndReferencesFollowThem) {
  std::vector<std::string> expected = kFiveNineTwelve;
  expected[5] = ".TagIdentifier 6";
  expected[8] = ".TagIdentifier 7";            // tab and trailing blank gone
  expected[13] = "\t\t\t.TagIdentifier 7";     // the reference follows 12
  expected[19] = ".TagIdentifier 6";           // a hexadecimal reference too
  const RenumberResult result = Renumber(Join(kFiveNineTwelve));
  ASSERT_EQ(result.ErrNo, 0);
  EXPECT_EQ(result.Edits.size(), 4u);  // lines that keep their text are not edited
  EXPECT_EQ(ApplyRenumberEdits(Join(kFiveNineTwelve), result.Edits), Join(expected));

  // 20, 3, 8: the first keeps its number; a reference to 3 follows it to 21.
  const std::string text = Join({"", ".TagIdentifier 20", ".TagIdentifier 3", ".TagIdentifier 8", ".Trigger",
                                 ".TagIdentifier 3", ".MissionSummary"},
                                "\r\n");
  const RenumberResult second = Renumber(text);
  ASSERT_EQ(second.RenumberCount(), 3);
  EXPECT_EQ(second.RenumberTable[1].OldId, 3);
  EXPECT_EQ(second.RenumberTable[1].NewId, 21);
  EXPECT_EQ(second.RenumberTable[1].LineIndex, 2);
  EXPECT_EQ(ApplyRenumberEdits(text, second.Edits),
            Join({"", ".TagIdentifier 20", ".TagIdentifier 21", ".TagIdentifier 22", ".Trigger",
                  ".TagIdentifier 21", ".MissionSummary"},
                 "\r\n"));
}

TEST(Renumber, RunningTwiceGivesTheTextOfOneRun) {
  const std::string once = Renumbered(Join(kFiveNineTwelve));
  EXPECT_EQ(Renumbered(once), once);
  const RenumberResult again = Renumber(once);
  EXPECT_TRUE(again.Edits.empty());
}

TEST(Renumber, AFailureChangesNothingAndNamesItsLine) {
  std::vector<std::string> many = {"// 501 definitions"};
  for (int i = 0; i < RenumberCapacity + 1; ++i) many.push_back(".TagIdentifier " + std::to_string(100 + i));
  many.push_back(".Trigger");

  struct Case {
    const char* what;
    std::string text;
    int code;
    int line;
  } cases[] = {
      {"a bad reference after good ones",
       Join({"", ".TagIdentifier 5", ".TagIdentifier 9", ".Trigger", ".TagIdentifier 9",
             ".TagIdentifier 9 // the crane", ".MissionSummary"}),
       21, 5},
      {"a comment after a definition", Join({"", ".TagIdentifier 5", ".TagIdentifier 9 crane", ".Trigger"}), 21, 2},
      {"a definition without a number", Join({"", ".TagIdentifier 5", ".TagIdentifier", ".Trigger"}), 21, 2},
      {"a trigger before any definition", Join({"", ".MissionSummary", ".TagIdentifier 5", ".Trigger"}), 123, 1},
      {"the only definition on the first line", Join({".TagIdentifier 5", ".Trigger", ".TagIdentifier 5"}), 123, 1},
      {"no definition and no trigger", Join({"", ".EndMission"}), 123, -1},
      {"more definitions than the table holds", Join(many), 127, RenumberCapacity + 1},
      {"a new number past the 32-bit range",
       Join({"", ".TagIdentifier 2147483646", ".TagIdentifier 1", ".TagIdentifier 2", ".Trigger"}), 21, 3},
  };
  for (const Case& c : cases) {
    const RenumberResult result = Renumber(c.text);
    EXPECT_EQ(result.ErrNo, c.code) << c.what;
    EXPECT_EQ(result.ErrLineIndex, c.line) << c.what;
    EXPECT_TRUE(result.Edits.empty()) << c.what;
  }
  EXPECT_EQ(RenumberMessage(Renumber(cases[0].text)), "Incorrect Numeric Format in Statement  at Line No. 6");
  EXPECT_EQ(RenumberMessage(Renumber(cases[5].text)), "No \".TagIdentifier\" detected during ReNumber ");

  // Definitions without a trigger section after them: nothing to do, no error.
  const RenumberResult quiet = Renumber(Join({"", ".TagIdentifier 5", ".TagIdentifier 9", ".EndMission"}));
  EXPECT_EQ(quiet.ErrNo, 0);
  EXPECT_TRUE(quiet.Edits.empty());
}

}  // namespace
}  // namespace tolvane
