#pragma once
// The one reader of mission text and the small checks that every collector,
// lookup and validator shares. Statements are byte strings; a blank is the
// space character, a tab is character 9.

#include <cstdint>
#include <string>
#include <string_view>

#include "mission_file.h"
#include "mission_state.h"

namespace tolvane {

// Next statement of the file: comment lines ("//" in column 1) and empty lines
// are skipped, every physical line counts in LineNo, leading blanks and tabs
// are removed. Only a final ".EndMission" may stand at the end of the file (62);
// a statement that begins with ".." gives 122; a failed read gives 103.
// The statement is a view into the file's bytes, valid while they are; no
// line is copied. A failed read (103) leaves the view as it was.
void ReadStatement(MissionState& state, MissionFile& file, std::string_view& statement, bool& ok);
// The same statement copied into the buffer (one copy per statement, none
// per skipped line).
void ReadStatement(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

// Puts a statement read as a view into the statement buffer.
inline void AssignStatement(std::string& statement, std::string_view view) {
  if (view.empty()) {
    statement.clear();
  } else {
    statement.assign(view.data(), view.size());
  }
}

// Sets ErrMsg from ErrNo; a code outside 0 to 137 leaves ErrMsg as it is.
void SetErrorMessage(MissionState& state);
// The message of a code, or nullptr outside 0 to 137.
const char* MessageText(int code);

void UpperCaseAscii(std::string& text);
void TrimBlanks(std::string& text);
void StripLeadingBlanks(std::string& text);
bool CheckLeadingDots(std::string_view text);

// Decimal number: leading and trailing blanks, sign, digits with '.', exponent.
// The form alone decides; a value beyond a double's range passes.
void CheckFloat(MissionState& state, std::string_view value, bool& ok);
// Whole number: leading blanks, sign, decimal digits or $, x, X, 0x, 0X hex; 32-bit signed.
void CheckInteger(MissionState& state, std::string_view value, bool& ok);
// The tail of a text statement must be exactly ".EndString" or ".Endstring" (4).
void CheckEndString(MissionState& state, std::string_view text, bool& ok);
// False (flag cleared, 115) when the statement does not begin with ".".
bool CheckLeadingDot(MissionState& state, std::string_view statement, bool& ok);
// False (flag cleared, 105) when the rest after a keyword does not begin with
// a blank or tab.
bool CheckValueSeparator(MissionState& state, std::string_view rest, bool& ok);

// The conversions behind CheckFloat and CheckInteger. ParseFloat gives a
// value beyond a double's range as infinity or zero, with its sign.
bool ParseFloat(std::string_view value, double& result);
bool ParseInteger(std::string_view value, std::int32_t& result);

// Small text tests used throughout the verifier.
inline bool BeginsWith(std::string_view text, std::string_view keyword) {
  return text.size() >= keyword.size() && SameText(text.substr(0, keyword.size()), keyword);
}
inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// Removes the first n characters (all of them when the text is shorter).
inline void DeleteFront(std::string& text, std::size_t n) {
  text.erase(0, n < text.size() ? n : text.size());
}

// Takes the keyword off the front of the statement (as many characters as the
// keyword has; the caller has matched it) and checks the separator that must
// follow it; the rest stays in the buffer untrimmed. False (flag cleared, 105)
// when no blank or tab follows the keyword. The keyword is still taken off.
bool TakeKeyword(MissionState& state, std::string& statement, std::string_view keyword, bool& ok);
// Takes the keyword off the front of the statement without looking at what
// follows, for the steps that test no separator.
inline void RemoveKeyword(std::string& statement, std::string_view keyword) { DeleteFront(statement, keyword.size()); }

// Reads the next statement, which must begin with the keyword; code when it
// does not (flag cleared). Answers the flag.
bool ReadKeywordStatement(MissionState& state, MissionFile& file, std::string& statement, std::string_view keyword,
                          int code, bool& ok);
// After a trigger's mission-objective line: reads the next statement, and
// once more when that one is a hidden marker (".Hidden" or ".HIDDEN"
// anywhere in it). Answers the flag.
bool ReadPastHiddenMarker(MissionState& state, MissionFile& file, std::string& statement, bool& ok);

// The text value of a statement: the characters up to two before the first
// ".End" (the blank in front of the marker is dropped); empty without ".End".
std::string TextValue(std::string_view text);
// The tail from the first ".End" to the end; empty without ".End".
std::string EndMarkerTail(std::string_view text);

std::string IntToText(std::int64_t value);

}  // namespace tolvane
