// Where an error stands: the line the verifier counted and the column of the
// statement it left behind.

#include <gtest/gtest.h>

#include <string>

#include "error_location.h"

namespace tolvane {
namespace {

TEST(StatementColumn, FindsTheStatementAfterBlanksAndTabs) {
  EXPECT_EQ(StatementColumn(".Check", ".Check"), 1);
  EXPECT_EQ(StatementColumn("   .Check", ".Check"), 4);
  EXPECT_EQ(StatementColumn("\t\t.Check", ".Check"), 3);
  // A value the validator left behind is found where it stands in the line.
  EXPECT_EQ(StatementColumn(".PositionX 12x5", "12x5"), 12);
  // The first occurrence counts.
  EXPECT_EQ(StatementColumn("AND AND", "AND"), 1);
}

TEST(StatementColumn, UpperCasedKeywordLineIsFoundInItsMixedCaseLine) {
  EXPECT_EQ(StatementColumn("  .FlightReachedX", ".FLIGHTREACHEDX"), 3);
  // The exact match is preferred to one that only differs in case.
  EXPECT_EQ(StatementColumn(".time 5 .TIME 5", ".TIME 5"), 9);
}

TEST(StatementColumn, EmptyMissingOrLongerStatementGivesOne) {
  EXPECT_EQ(StatementColumn("  .Check", ""), 1);
  EXPECT_EQ(StatementColumn("  .Check", ".Action"), 1);
  EXPECT_EQ(StatementColumn(".Ch", ".Check"), 1);
  EXPECT_EQ(StatementColumn("", ".Check"), 1);
}

TEST(LineOfText, SplitsLikeTheVerifierReadsLines) {
  const std::string text = "one\r\ntwo\nthree\r\n\r\nfive";
  EXPECT_EQ(LineOfText(text, 1), "one");
  EXPECT_EQ(LineOfText(text, 2), "two");
  EXPECT_EQ(LineOfText(text, 3), "three");
  EXPECT_EQ(LineOfText(text, 4), "");
  EXPECT_EQ(LineOfText(text, 5), "five");
  EXPECT_EQ(LineOfText(text, 6), "");
  EXPECT_EQ(LineOfText(text, 0), "");
  EXPECT_EQ(LineOfText(text, -7), "");
  // A carriage return without its line feed stays part of the line.
  EXPECT_EQ(LineOfText("a\rb\r", 1), "a\rb\r");
  EXPECT_EQ(LineOfText("", 1), "");
}

}  // namespace
}  // namespace tolvane
