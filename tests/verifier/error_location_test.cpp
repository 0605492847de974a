// Where an error stands: the line the verifier counted and the column of the
// statement it left behind.

#include <gtest/gtest.h>

#include <string>

#include "error_location.h"

namespace tolvane {
namespace {

TEST(StatementColumn, FindsTheStatementOrFallsBackToOne) {
  const struct {
    const char* line;
    const char* statement;
    int column;
  } cases[] = {
      {"   .Check", ".Check", 4},
      {"\t\t.Check", ".Check", 3},
      // A value the validator left behind is found where it stands in the line.
      {".PositionX 12x5", "12x5", 12},
      {"AND AND", "AND", 1},  // the first occurrence counts
      // An upper-cased keyword line is found in its mixed-case line, an exact
      // match preferred.
      {"  .FlightReachedX", ".FLIGHTREACHEDX", 3},
      {".time 5 .TIME 5", ".TIME 5", 9},
      {"  .Check", "", 1},
      {"  .Check", ".Action", 1},
      {".Ch", ".Check", 1},
      {"", ".Check", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(StatementColumn(c.line, c.statement), c.column) << c.line;
}

TEST(LineOfText, SplitsLikeTheVerifierReadsLines) {
  const std::string text = "one\r\ntwo\nthree\r\n\r\nfive";
  const char* expected[] = {"", "one", "two", "three", "", "five", ""};
  for (int line = 0; line <= 6; ++line) EXPECT_EQ(LineOfText(text, line), expected[line]) << line;
  EXPECT_EQ(LineOfText(text, -7), "");
  // A carriage return without its line feed stays part of the line.
  EXPECT_EQ(LineOfText("a\rb\r", 1), "a\rb\r");
}

}  // namespace
}  // namespace tolvane
