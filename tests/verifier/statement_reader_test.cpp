#include <gtest/gtest.h>

#include <limits>

#include "statement_reader.h"

namespace tolvane {
namespace {

TEST(ReadStatement, StatementsLinesAndCodes) {
  // Every statement read from the text, with its line and code, one read
  // past the last; LF and CR LF alike.
  struct Read {
    std::string statement;
    int line;
    int code;
  };
  const struct {
    std::string text;
    std::vector<Read> reads;
  } cases[] = {
      // Comments (column one only) and empty lines are skipped and counted;
      // leading blanks go, trailing ones stay; a blank line is an empty statement.
      {"// heading\r\n\r\n\t .Trigger  \r\n\r\n  // not a comment\r\n   \r\n.EndMission",
       {{".Trigger  ", 3, 0}, {"// not a comment", 5, 0}, {"", 6, 0}, {".EndMission", 7, 0}}},
      {".A\n.B\n.EndMission\n", {{".A", 1, 0}, {".B", 2, 0}, {".EndMission", 3, 0}, {"", 4, 62}}},
      // Two leading dots fail; the next good read clears the flag again.
      {"..Trigger\r\n.\r\n.EndMission", {{"..Trigger", 1, 122}, {".", 2, 0}}},
      // Only comments end with 62 at the last line.
      {"// a\r\n\r\n// b\r\n", {{"", 3, 62}}},
      // The last line must be an exact ".EndMission".
      {".EndMission \r\n", {{"", 1, 62}}},
      {"  .EndMission\r\n", {{"", 1, 62}}},
      {".ENDMISSION\r\n", {{"", 1, 62}}},
      {".EndMission\r\n\r\n", {{".EndMission", 1, 0}, {"", 2, 62}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    MissionState state;
    MissionFile file;
    file.OpenBytes(c.text);
    for (const Read& expected : c.reads) {
      std::string statement;
      bool ok = true;  // the final ".EndMission" leaves the flag as it was
      state.ErrNo = 0;
      ReadStatement(state, file, statement, ok);
      EXPECT_EQ(ok, expected.code == 0);
      EXPECT_EQ(state.ErrNo, expected.code);
      EXPECT_EQ(state.LineNo, expected.line);
      if (expected.code == 0 || expected.code == 122) {
        EXPECT_EQ(statement, expected.statement);
      }
    }
  }
}

TEST(NumberChecks, WholeNumbers) {
  MissionState st;
  for (const char* good : {"0", " 12", "-7", "+7", "$1F", "x1f", "X10", "0x10", "0XfF", "2147483647",
                           "-2147483648"}) {
    bool ok = true;
    CheckInteger(st, good, ok);
    EXPECT_TRUE(ok) << good;
  }
  for (const char* bad : {"", " ", "12 ", "1.5", "2147483648", "-2147483649", "$", "0x", "1e3", "\t1", "abc",
                          "12a"}) {
    bool ok = true;
    st.ErrNo = 0;
    CheckInteger(st, bad, ok);
    EXPECT_FALSE(ok) << bad;
    EXPECT_EQ(st.ErrNo, 21) << bad;
  }
}

TEST(NumberChecks, DecimalNumbers) {
  MissionState st;
  // The form alone decides: an exponent beyond a double's range passes too.
  for (const char* good : {"1", " 1.5 ", "-0.25", "+3", "1e5", "2.5E-3", "7.", ".5", "1e-400", "1e999",
                           "-1E+400", "0.0e99999999999999999999"}) {
    bool ok = true;
    CheckFloat(st, good, ok);
    EXPECT_TRUE(ok) << good;
  }
  for (const char* bad : {"", "\t1", "1\t", "1,5", "e5", "1e", "abc", "1.2.3", "- 1", "1e+", "1e999x"}) {
    bool ok = true;
    CheckFloat(st, bad, ok);
    EXPECT_FALSE(ok) << bad;
    EXPECT_EQ(st.ErrNo, 21);
  }
  double v = 0;
  ASSERT_TRUE(ParseFloat(" -12.5e1 ", v));
  EXPECT_DOUBLE_EQ(v, -125.0);
}

TEST(NumberChecks, DecimalsBeyondADoubleKeepTheirSide) {
  // Range tests compare the converted value: a huge value lies above every
  // bound, a huge negative one below, a tiny one at zero.
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1e999", std::numeric_limits<double>::infinity()},
      {"-1e999", -std::numeric_limits<double>::infinity()},
      {"0.00001e400", std::numeric_limits<double>::infinity()},
      {"123456e-400", 0.0},
      {"0.000000000000000000001e-310", 0.0},
      {"-5e-999", 0.0},
  };
  for (const auto& c : cases) {
    double value = 42;
    ASSERT_TRUE(ParseFloat(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  // 400 digits before the separator are huge, 400 zeros after it tiny.
  double value = 0;
  ASSERT_TRUE(ParseFloat(std::string(400, '9'), value));
  EXPECT_EQ(value, std::numeric_limits<double>::infinity());
  ASSERT_TRUE(ParseFloat("0." + std::string(400, '0') + "1", value));
  EXPECT_EQ(value, 0.0);
}

// Markers and separators are tested through missions; here the edges a
// mission rarely reaches.
TEST(SmallChecks, MarkersSeparatorsAndKeywords) {
  MissionState st;
  bool ok = true;
  CheckEndString(st, ".Endstring", ok);
  EXPECT_TRUE(ok);
  CheckEndString(st, ".ENDSTRING", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(st.ErrNo, 4);
  // A failed separator check clears the flag like every other step.
  ok = true;
  EXPECT_FALSE(CheckValueSeparator(st, "", ok));
  EXPECT_FALSE(ok);
  EXPECT_EQ(st.ErrNo, 105);

  std::string statement = " Blue";
  RemoveKeyword(statement, ".Waypoint");  // shorter than the keyword: emptied
  EXPECT_EQ(statement, "");
  EXPECT_EQ(TextValue("Red  .EndString"), "Red ");
  EXPECT_EQ(TextValue("no marker"), "");
}

TEST(Messages, CodesOutsideTheTableGetTheLastMessage) {
  MissionState st;
  st.ErrNo = 137;
  SetErrorMessage(st);
  const std::string last = st.ErrMsg;
  for (int code : {138, -1, 100000}) {
    st.ErrNo = code;
    SetErrorMessage(st);
    EXPECT_EQ(st.ErrMsg, last) << code;
  }
}

}  // namespace
}  // namespace tolvane
