#include <gtest/gtest.h>

#include <limits>

#include "statement_reader.h"

namespace tolvane {
namespace {

struct Reader {
  MissionState state;
  MissionFile file;
  explicit Reader(std::string text) { file.OpenBytes(std::move(text)); }
  // Reads one statement; answers the verdict.
  bool Read(std::string& statement) {
    bool ok = false;
    ReadStatement(state, file, statement, ok);
    return ok;
  }
};

TEST(ReadStatement, SkipsCommentsAndEmptyLinesAndCountsEveryLine) {
  Reader r("// heading\r\n\r\n.Trigger\r\n\r\n// note\r\n  .Check\r\n.EndMission");
  std::string s;
  EXPECT_TRUE(r.Read(s));
  EXPECT_EQ(s, ".Trigger");
  EXPECT_EQ(r.state.LineNo, 3);
  EXPECT_TRUE(r.Read(s));
  EXPECT_EQ(s, ".Check");
  EXPECT_EQ(r.state.LineNo, 6);
  r.Read(s);
  EXPECT_EQ(s, ".EndMission");
  EXPECT_EQ(r.state.ErrNo, 0);
  EXPECT_EQ(r.state.LineNo, 7);
}

TEST(ReadStatement, AcceptsLfAndCrLfAlike) {
  Reader lf(".A\n.B\n.EndMission\n");
  Reader crlf(".A\r\n.B\r\n.EndMission\r\n");
  std::string a, b;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(lf.Read(a));
    EXPECT_TRUE(crlf.Read(b));
    EXPECT_EQ(a, b);
  }
  EXPECT_EQ(lf.state.LineNo, crlf.state.LineNo);
}

TEST(ReadStatement, CommentOnlyInColumnOne) {
  Reader r("  // not a comment\r\n.EndMission\r\n");
  std::string s;
  EXPECT_TRUE(r.Read(s));
  EXPECT_EQ(s, "// not a comment");
}

TEST(ReadStatement, BlankLineIsAnEmptyStatement) {
  Reader r("   \r\n.EndMission\r\n");
  std::string s = "x";
  EXPECT_TRUE(r.Read(s));
  EXPECT_EQ(s, "");
  EXPECT_EQ(r.state.LineNo, 1);
}

TEST(ReadStatement, TrailingBlanksStay) {
  Reader r("\t .Trigger  \r\n.EndMission");
  std::string s;
  r.Read(s);
  EXPECT_EQ(s, ".Trigger  ");
}

TEST(ReadStatement, EndMissionRules) {
  {
    Reader r(".EndMission");  // no final line end
    std::string s;
    bool ok = true;
    ReadStatement(r.state, r.file, s, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(r.state.ErrNo, 0);
  }
  for (const char* bad : {".EndMission \r\n", "  .EndMission\r\n", ".ENDMISSION\r\n"}) {
    Reader r(bad);
    std::string s;
    EXPECT_FALSE(r.Read(s)) << bad;
    EXPECT_EQ(r.state.ErrNo, 62) << bad;
  }
  {
    Reader r(".EndMission\r\n\r\n");
    std::string s;
    EXPECT_TRUE(r.Read(s));
    EXPECT_EQ(s, ".EndMission");
    EXPECT_FALSE(r.Read(s));
    EXPECT_EQ(r.state.ErrNo, 62);
  }
}

TEST(ReadStatement, OnlyCommentsEndsWith62AtLastLine) {
  Reader r("// a\r\n\r\n// b\r\n");
  std::string s;
  EXPECT_FALSE(r.Read(s));
  EXPECT_EQ(r.state.ErrNo, 62);
  EXPECT_EQ(r.state.LineNo, 3);
}

TEST(ReadStatement, ReadingPastTheEndCountsALine) {
  Reader r(".EndMission\r\n");
  std::string s;
  r.Read(s);
  EXPECT_FALSE(r.Read(s));
  EXPECT_EQ(r.state.LineNo, 2);
  EXPECT_EQ(r.state.ErrNo, 62);
}

TEST(ReadStatement, TwoLeadingDots) {
  Reader r("..Trigger\r\n.\r\n.EndMission");
  std::string s;
  EXPECT_FALSE(r.Read(s));
  EXPECT_EQ(r.state.ErrNo, 122);
  EXPECT_TRUE(r.Read(s));  // a good read sets the flag again
  EXPECT_EQ(s, ".");
}

TEST(TextRoutines, TrimAndUpperCase) {
  std::string t = " \t \t";
  TrimBlanks(t);
  EXPECT_EQ(t, "");
  t = "\tEast Bridge  ";
  TrimBlanks(t);
  EXPECT_EQ(t, "East Bridge");
  t = "  \tkeep ";
  StripLeadingBlanks(t);
  EXPECT_EQ(t, "keep ");
  t = ".trigger \xe9z";
  UpperCaseAscii(t);
  EXPECT_EQ(t, ".TRIGGER \xe9Z");
  EXPECT_FALSE(CheckLeadingDots("..x"));
  EXPECT_TRUE(CheckLeadingDots(".x"));
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

TEST(SmallChecks, EndStringSeparatorAndDot) {
  MissionState st;
  bool ok = true;
  CheckEndString(st, ".EndString", ok);
  CheckEndString(st, ".Endstring", ok);
  EXPECT_TRUE(ok);
  for (const char* bad : {".EndString ", ".ENDSTRING", ".EndStrin", ""}) {
    ok = true;
    CheckEndString(st, bad, ok);
    EXPECT_FALSE(ok) << bad;
    EXPECT_EQ(st.ErrNo, 4);
  }
  // The separator and dot checks fail like every other step: the code is
  // set and the flag cleared; a pass leaves both alone.
  st.ErrNo = 0;
  ok = true;
  EXPECT_TRUE(CheckValueSeparator(st, " 5", ok));
  EXPECT_TRUE(CheckValueSeparator(st, "\t5", ok));
  EXPECT_TRUE(CheckLeadingDot(st, ".A", ok));
  EXPECT_TRUE(ok);
  EXPECT_EQ(st.ErrNo, 0);
  for (const char* rest : {"5", ""}) {
    ok = true;
    EXPECT_FALSE(CheckValueSeparator(st, rest, ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(st.ErrNo, 105);
  }
  ok = true;
  EXPECT_FALSE(CheckLeadingDot(st, "A", ok));
  EXPECT_FALSE(ok);
  EXPECT_EQ(st.ErrNo, 115);
}

TEST(SmallChecks, TakeKeywordTakesTheKeywordAndTestsTheSeparator) {
  MissionState st;
  bool ok = true;
  std::string statement = ".Name\tDusk Patrol .EndString";
  EXPECT_TRUE(TakeKeyword(st, statement, ".Name", ok));
  EXPECT_EQ(statement, "\tDusk Patrol .EndString");  // untrimmed
  EXPECT_TRUE(ok);
  statement = ".NameDusk";
  EXPECT_FALSE(TakeKeyword(st, statement, ".Name", ok));
  EXPECT_FALSE(ok);
  EXPECT_EQ(st.ErrNo, 105);
  EXPECT_EQ(statement, "Dusk");  // taken off all the same
  statement = ".ID";
  ok = true;
  EXPECT_FALSE(TakeKeyword(st, statement, ".ID", ok));
  EXPECT_EQ(statement, "");
  statement = ".Squad Blue";
  RemoveKeyword(statement, ".Squad");
  EXPECT_EQ(statement, " Blue");
  RemoveKeyword(statement, ".Waypoint");  // shorter than the keyword: emptied
  EXPECT_EQ(statement, "");
}

TEST(SmallChecks, TextValueAndTail) {
  EXPECT_EQ(TextValue("Red Squadron .EndString"), "Red Squadron");
  EXPECT_EQ(TextValue("Red  .EndString"), "Red ");
  EXPECT_EQ(TextValue("no marker"), "");
  EXPECT_EQ(TextValue(".EndString"), "");
  EXPECT_EQ(EndMarkerTail("A .EndString "), ".EndString ");
  EXPECT_EQ(EndMarkerTail("A"), "");
}

TEST(Messages, TableAndBounds) {
  MissionState st;
  st.ErrNo = 0;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg, "Appears To Be A Good Mission");
  st.ErrNo = 13;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg, "Expected \".Waypoint\" in statement ");
  st.ErrNo = 45;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg, "Expected \".Waypoint\" in statement ");
  st.ErrNo = 137;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg.substr(0, 19), "Missing KeyWord in ");
  st.ErrNo = 138;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg.substr(0, 19), "Missing KeyWord in ");
  st.ErrNo = -1;
  SetErrorMessage(st);
  EXPECT_EQ(st.ErrMsg.substr(0, 19), "Missing KeyWord in ");
  for (int code = 1; code <= 137; ++code) {
    const std::string text = MessageText(code);
    EXPECT_EQ(text.back(), ' ') << code;
  }
}

}  // namespace
}  // namespace tolvane
