#pragma once
// One reader for the check and action blocks of a trigger. A block starts at
// its ".Check" or ".Action" line: the next statement is its keyword line,
// upper-cased and looked up in the block's keyword table, and the keyword's
// validator reads the rest of the block as a chain of steps. Every step
// answers the verdict, so a validator stops at the first step that fails.
// The steps that examine a statement first read the next statement of the
// block; the "InHand" steps examine the statement already read; the match
// steps read nothing.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "mission_file.h"
#include "mission_state.h"
#include "statement_reader.h"

namespace tolvane {

class BlockReader;

using StatementLookup = void (*)(MissionState&, std::string&, bool&);
using MatchLookup = void (*)(MissionState&, bool&);
using EndLookup = void (*)(MissionState&, const std::string&, bool&);

// What sets check blocks and action blocks apart.
struct BlockKind {
  int NoDotCode;      // the keyword line does not begin with "."
  int UnknownCode;    // no keyword of the table matches
  EndLookup EndTest;  // the test of the block's last statement
};

// A row of a block's keyword table: the keyword, whether it is matched by its
// first characters (otherwise the whole line must be it), and its validator.
struct BlockKeyword {
  std::string_view Keyword;
  bool Prefix;
  bool (*Validate)(BlockReader&);
};

class BlockReader {
 public:
  BlockReader(MissionState& state, MissionFile& file, std::string& statement, bool& ok, EndLookup endTest)
      : state(state), file(file), statement(statement), ok(ok), endTest_(endTest) {}

  MissionState& state;
  MissionFile& file;
  std::string& statement;
  bool& ok;

  // Fails the block with the code; answers false.
  bool Fails(int code) {
    Fail(state, ok, code);
    return false;
  }

  // The next statement of the block; a reader failure ends the block with the
  // reader's own code.
  bool Read() {
    ReadStatement(state, file, statement, ok);
    return ok;
  }

  // The statement in hand begins with the keyword (or its other spelling, of
  // the same length): the keyword goes and the rest is trimmed.
  bool KeywordInHand(std::string_view keyword, int code, std::string_view spelling = {});
  bool Keyword(std::string_view keyword, int code, std::string_view spelling = {}) {
    return Read() && KeywordInHand(keyword, code, spelling);
  }

  // A statement lookup on the next statement, or on the one in hand.
  bool Lookup(StatementLookup lookup) { return Read() && InHand(lookup); }
  bool InHand(StatementLookup lookup) {
    lookup(state, statement, ok);
    return ok;
  }
  // A lookup on the work records alone.
  bool Match(MatchLookup match) {
    match(state, ok);
    return ok;
  }

  // The tag in the work record belongs to a flight or a plane (132); answers
  // the flag, and puts the tag's aircraft entry in aircraftIndex when given.
  bool IsAircraft(std::int32_t* aircraftIndex = nullptr);
  // The tag in the work record belongs to a flight (132).
  bool IsFlight();

  // The value in hand as a decimal or a whole number (21 when it is none).
  bool Decimal();
  bool Whole();
  // Inclusive ranges of the value in hand, already known to convert.
  bool DecimalRange(double low, double high, int code) { return InRange(statement, low, high, code); }
  bool WholeRange(std::int64_t low, std::int64_t high, int code);
  bool NotNegative() { return InRange(statement, 0, kNoUpperBound, 55); }
  // The same for a value taken from the keyword line.
  bool InRange(std::string_view value, double low, double high, int code);

  // The last statement of the block: the block's end test on the next statement.
  bool End() {
    if (!Read()) return false;
    endTest_(state, statement, ok);
    return ok;
  }

  static constexpr double kNoUpperBound = std::numeric_limits<double>::infinity();

 private:
  EndLookup endTest_;
};

// Reads one block from its ".Check" or ".Action" line: a fresh work record,
// the keyword line (it must begin with "."; it is upper-cased), then the
// validator of the first row that matches; no row is kind.UnknownCode.
void ReadBlock(MissionState& state, MissionFile& file, std::string& statement, bool& ok, const BlockKind& kind,
               const BlockKeyword* rows, std::size_t rowCount);

template <std::size_t N>
void ReadBlock(MissionState& state, MissionFile& file, std::string& statement, bool& ok, const BlockKind& kind,
               const BlockKeyword (&rows)[N]) {
  ReadBlock(state, file, statement, ok, kind, rows, N);
}

}  // namespace tolvane
