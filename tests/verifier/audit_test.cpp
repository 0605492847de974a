// Cases found by reading the verifier against the mission language step by
// step: the statement left for the editor to select, character counts,
// trimmed and untrimmed values, and which statement a step looks at.

#include <gtest/gtest.h>

#include "mission_builder.h"
#include "reference_lookups.h"
#include "trigger_world.h"
#include "verify.h"

namespace tolvane {
namespace {

using namespace builder;

// A flight of one plane on waypoint set 3 (two waypoints).
std::string SmallWorld() {
  return WaypointBlock("3", "1") + WaypointBlock("3", "2") +
         FlightBlock("10", "Kestrel Wing", "Red Section", {{"Gannet", "11", "3", "Red One"}});
}

// The statement in error is what the editor searches for on the error line,
// so it must be text that stands on that line.
void ExpectStatementOnLine(const std::string& text, const VerifyResult& result, const MissionState& state) {
  ASSERT_GT(state.LineNo, 0);
  std::size_t start = 0;
  for (int line = 1; line < state.LineNo; ++line) start = text.find('\n', start) + 1;
  const std::string line = text.substr(start, text.find('\r', start) - start);
  ASSERT_FALSE(result.LocateText.empty()) << "line " << state.LineNo << ": " << line;
  EXPECT_NE(line.find(result.LocateText), std::string::npos)
      << "line " << state.LineNo << " is \"" << line << "\", statement is \"" << result.LocateText << "\"";
}

TEST(StatementInError, TriggerLinkStepLeavesTheStatementItRead) {
  // The link step re-reads the triggers after the first reading has ended;
  // its failures must leave their own statement, not the summary line.
  const std::string squadWithoutMarker =
      SmallWorld() +
      TriggerBlock("Alpha", CheckAndAction({".CHANGEFLIGHTWAYPOINT", ".Squad Kestrel Wing",
                                            ".Flight Red Section .EndString", ".Waypoint 2"})) +
      MissionEnd();
  MissionState state;
  VerifyResult result = VerifyMissionBytes(state, squadWithoutMarker);
  EXPECT_FALSE(result.MissionOk);
  EXPECT_EQ(state.ErrNo, 4);
  EXPECT_EQ(result.LastPass, 1);
  ExpectStatementOnLine(squadWithoutMarker, result, state);

  const std::string callWithoutSeparator =
      SmallWorld() + TriggerBlock("Alpha", CheckAndAction({".TRIGGERATRIGGER", ".TriggerName.Bravo .EndString"})) +
      TriggerBlock("Bravo", {".Check", ".TIME 5", ".EndCheck"}) + MissionEnd();
  MissionState second;
  result = VerifyMissionBytes(second, callWithoutSeparator);
  EXPECT_EQ(second.ErrNo, 105);
  ExpectStatementOnLine(callWithoutSeparator, result, second);
}

TEST(StatementInError, NameWithoutEndMarkerKeepsItsText) {
  // Without ".End" nothing is cut from the statement before the marker test,
  // so the name is still there to be found on its line.
  MissionState state;
  testworld::Fill(state);
  bool ok = true;
  std::string statement = ".Squad Kestrel Wing";
  ReadSquadName(state, statement, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 4);
  EXPECT_EQ(statement, "Kestrel Wing");

  // With a wrong marker the tail alone is left, as before.
  ok = true;
  state.ErrNo = 0;
  statement = ".Squad Kestrel Wing .EndName";
  ReadSquadName(state, statement, ok);
  EXPECT_EQ(state.ErrNo, 4);
  EXPECT_EQ(statement, ".EndName");

  // The same through a whole mission: the error line shows the statement.
  const std::string text = SmallWorld() +
                           TriggerBlock("Alpha", {".Check", ".FLIGHTREACHED", ".Squad Kestrel Wing",
                                                  ".Flight Red Section .EndString", ".Waypoint 2", ".EndCheck"}) +
                           MissionEnd();
  MissionState whole;
  const VerifyResult result = VerifyMissionBytes(whole, text);
  EXPECT_EQ(whole.ErrNo, 4);
  EXPECT_EQ(result.LastPass, 2);
  ExpectStatementOnLine(text, result, whole);
}

}  // namespace
}  // namespace tolvane
