#include "block_reader.h"

#include "reference_lookups.h"
#include "statement_reader.h"

namespace tolvane {

bool BlockReader::KeywordInHand(std::string_view keyword, int code, std::string_view spelling) {
  if (!BeginsWith(statement, keyword) && (spelling.empty() || !BeginsWith(statement, spelling))) return Fails(code);
  RemoveKeyword(statement, keyword);
  TrimBlanks(statement);
  return true;
}

bool BlockReader::IsAircraft(std::int32_t* aircraftIndex) {
  const std::int32_t index = IsAircraftTag(state, state.ReferenceRecord.TagId, ok);
  if (aircraftIndex) *aircraftIndex = index;
  return ok;
}

bool BlockReader::IsFlight() {
  IsFlightTag(state, state.ReferenceRecord.TagId, ok);
  return ok;
}

bool BlockReader::Decimal() {
  CheckFloat(state, statement, ok);
  return ok;
}

bool BlockReader::Whole() {
  CheckInteger(state, statement, ok);
  return ok;
}

bool BlockReader::InRange(std::string_view value, double low, double high, int code) {
  double number = 0;
  ParseFloat(value, number);
  return (number < low || number > high) ? Fails(code) : true;
}

bool BlockReader::WholeRange(std::int64_t low, std::int64_t high, int code) {
  std::int32_t value = 0;
  ParseInteger(statement, value);
  return (value < low || value > high) ? Fails(code) : true;
}

void ReadBlock(MissionState& state, MissionFile& file, std::string& statement, bool& ok, const BlockKind& kind,
               const BlockKeyword* rows, std::size_t rowCount) {
  // 1. Every block starts from an empty work record.
  state.ReferenceRecord = ReferenceRecordType();
  // 2. The keyword line.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  // 3. It must begin with a dot.
  if (!BeginsWith(statement, ".")) {
    Fail(state, ok, kind.NoDotCode);
    return;
  }
  // 4. Block keywords are not case-sensitive; the line stays upper-cased.
  UpperCaseAscii(statement);
  // 5. The first row that matches selects the one validator.
  for (std::size_t i = 0; i < rowCount; ++i) {
    const BlockKeyword& row = rows[i];
    const bool matches = row.Prefix ? BeginsWith(statement, row.Keyword) : statement == row.Keyword;
    if (matches) {
      BlockReader block(state, file, statement, ok, kind.EndTest);
      row.Validate(block);
      return;
    }
  }
  Fail(state, ok, kind.UnknownCode);
}

}  // namespace tolvane
