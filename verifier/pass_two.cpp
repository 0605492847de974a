#include "pass_two.h"

#include "action_validators.h"
#include "check_validators.h"
#include "statement_reader.h"

namespace tolvane {

void PassTwo(MissionState& state, MissionFile& file, bool& MissionOk, std::string& LocateText) {
  // 1. A fresh reading: no trigger seen yet, no error, no line read.
  state.TriggersFound = false;
  LocateText.clear();
  state.ErrNo = 0;
  state.LineNo = 0;
  file.Rewind();

  // 4. Everything before the first trigger is read over without a check; any
  // reader failure there is an unexpected end of the file.
  // The lines are looked at where they stand in the file; the buffer gets
  // the statement the reading stopped at.
  std::string_view line;
  while (!file.AtEnd() && line != ".MissionSummary") {
    ReadStatement(state, file, line, MissionOk);
    if (!MissionOk) {
      AssignStatement(LocateText, line);
      Fail(state, MissionOk, 62);
      SetErrorMessage(state);
      return;
    }
    if (line == ".Trigger") {
      state.TriggersFound = true;
      break;
    }
  }
  AssignStatement(LocateText, line);

  // 5. No trigger before the summary or the end: reported with code 1, and
  // the verdict stays as it was (this is no failure).
  if (!state.TriggersFound) {
    state.ErrNo = 1;
    SetErrorMessage(state);
    return;
  }

  // 6. The trigger section, one statement at a time, up to the summary.
  while (!file.AtEnd() && LocateText != ".MissionSummary") {
    HandleTriggerStatement(state, file, LocateText, MissionOk);
    if (!MissionOk) {
      SetErrorMessage(state);
      return;
    }
    ReadStatement(state, file, LocateText, MissionOk);
    if (!MissionOk) {
      // A summary line that is the last line of the file ends the section
      // like any other summary line.
      if (LocateText == ".MissionSummary") {
        MissionOk = true;
        state.ErrNo = 0;
        continue;
      }
      SetErrorMessage(state);
      return;
    }
  }

  // 7. Every trigger is valid.
  SetErrorMessage(state);
  MissionOk = true;
}

void HandleTriggerStatement(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  const bool connective = statement == "AND" || statement == "OR";
  // 1. Only dot statements and the two connectives, in capitals, belong here.
  if (!BeginsWith(statement, ".") && !connective) {
    Fail(state, ok, 60);
    return;
  }
  // 2. A connective stands anywhere in the section.
  if (connective) return;
  // 3. The next trigger's header.
  if (statement == ".Trigger") {
    state.TriggersFound = true;
    ValidateTriggerHeader(state, file, statement, ok);
    return;
  }
  // 4. A hidden marker has no effect.
  if (Contains(statement, ".Hidden") || Contains(statement, ".HIDDEN")) return;
  // 5. and 6. The rest of a ".Check" or ".Action" line is ignored; the
  // keyword is the next statement.
  if (BeginsWith(statement, ".Check")) {
    DispatchCheck(state, file, statement, ok);
    return;
  }
  if (BeginsWith(statement, ".Action")) {
    DispatchAction(state, file, statement, ok);
    return;
  }
  // 7. The end of a trigger block.
  if (BeginsWith(statement, ".EndTrigger")) return;
  // 8. Anything else is out of place in a trigger.
  Fail(state, ok, 137);
}

void ValidateTriggerHeader(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. The header's own work record.
  TriggerRecord header;

  // 2. The line after ".Trigger".
  ReadStatement(state, file, statement, ok);
  if (!ok) return;

  // 3. An optional mission-objective line, optionally followed by the
  // hidden marker.
  if (Contains(statement, ".MISSIONOBJECTIVE")) {
    if (!BeginsWith(statement, ".MISSIONOBJECTIVE")) {
      Fail(state, ok, 2);
      return;
    }
    if (!ReadPastHiddenMarker(state, file, statement, ok)) return;
  }

  // 4. The name line.
  if (!BeginsWith(statement, ".Name")) {
    Fail(state, ok, 3);
    return;
  }

  // 5. The trigger's name, kept to 30 characters; no separator is tested.
  std::string name = statement;
  RemoveKeyword(name, ".Name");
  name = TextValue(name);
  TrimBlanks(name);
  header.TriggerName = name;

  // 6. The name must be one that pass one collected.
  Fail(state, ok, 76);
  for (const TriggerRecord& trigger : state.TriggerTable) {
    if (trigger.TriggerName == header.TriggerName) {
      ok = true;
      state.ErrNo = 0;
      break;
    }
  }
  if (!ok) return;

  // 7. The name line ends with the end marker and nothing after it.
  statement = EndMarkerTail(statement);
  CheckEndString(state, statement, ok);
}

}  // namespace tolvane
