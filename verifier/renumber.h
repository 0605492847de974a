#pragma once
// Tag identifier renumbering over the editor's whole text. The definitions
// (".TagIdentifier" lines before the first ".Trigger" or ".MissionSummary"
// line) are numbered consecutively from the first one, and every
// ".TagIdentifier" line of the trigger section that names one of them is
// rewritten to follow its object.
//
// The text is 8-bit; lines are separated by "\n" (a "\r" in front of the
// "\n" belongs to the line end). Nothing is changed here: the result lists the
// lines to replace, and is empty whenever any value the command reads fails.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

constexpr int RenumberCapacity = 500;

struct RenumberEntry {
  std::int32_t OldId = 0, NewId = 0, LineIndex = 0;
};

// One line to replace: its 0-based index and its whole new text (without
// the line end).
struct RenumberEdit {
  std::int32_t LineIndex = 0;
  std::string Text;
};

struct RenumberResult {
  // The definitions in text order (RenumberCount entries, at most
  // RenumberCapacity). NewId is set once the numbering step was reached.
  std::vector<RenumberEntry> RenumberTable;
  // The lines that change, in ascending line order; empty after a failure.
  std::vector<RenumberEdit> Edits;
  // 0 when the command succeeded or had nothing to do; otherwise 21 (a value
  // that is not a whole number, or a new number past the 32-bit range),
  // 123 (a trigger or the summary before any definition, or no definition at
  // all) or 127 (more than RenumberCapacity definitions).
  std::int32_t ErrNo = 0;
  // 0-based line of the failure; -1 when the failure has no line.
  std::int32_t ErrLineIndex = -1;

  int RenumberCount() const { return static_cast<int>(RenumberTable.size()); }
};

RenumberResult Renumber(std::string_view text);

// What the user is told of a failed run: the code's message, with
// " at Line No. " and the 1-based line number where there is one. Empty when
// the run did not fail.
std::string RenumberMessage(const RenumberResult& result);

// The text with the edits applied; every line end stays as it was. The edits
// must be in ascending line order.
std::string ApplyRenumberEdits(std::string_view text, const std::vector<RenumberEdit>& edits);

}  // namespace tolvane
