#include "statement_reader.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace tolvane {

namespace {

// Whether the run is to stop here: asked every StopCheckLines lines, and
// for good once it has stopped.
bool StopHere(MissionState& state) {
  if (state.Stopped) return true;
  if (state.LineNo % MissionState::StopCheckLines != 0 || !state.StopRequested) return false;
  state.Stopped = state.StopRequested->load(std::memory_order_relaxed);
  return state.Stopped;
}

}  // namespace

void ReadStatement(MissionState& state, MissionFile& file, std::string_view& statement, bool& ok) {
  // 1. Read lines until one is not empty or the file ends; comments count as empty.
  do {
    if (!file.NextLine(statement)) {
      Fail(state, ok, 103);
      return;
    }
    ++state.LineNo;
    if (StopHere(state)) {
      ok = false;
      statement = std::string_view();
      return;
    }
    if (BeginsWith(statement, "//")) statement = std::string_view();
  } while (!file.AtEnd() && statement.empty());

  if (file.AtEnd()) {
    // 2. Only an exact ".EndMission" may be the last statement of the file.
    if (statement == ".EndMission") return;
    // 3. Anything else at the end, the empty line included.
    Fail(state, ok, 62);
    return;
  }

  // 4. Leading blanks go; two leading dots are an error.
  std::size_t first = 0;
  while (first < statement.size() && IsBlank(statement[first])) ++first;
  statement.remove_prefix(first);
  if (!CheckLeadingDots(statement)) {
    Fail(state, ok, 122);
    return;
  }
  ok = true;
}

void ReadStatement(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  if (!file.IsOpen()) {
    // Nothing was read: the buffer keeps what it held.
    Fail(state, ok, 103);
    return;
  }
  std::string_view view;
  ReadStatement(state, file, view, ok);
  AssignStatement(statement, view);
}

void UpperCaseAscii(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

void TrimBlanks(std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  text = text.substr(first, last - first);
}

void StripLeadingBlanks(std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  text.erase(0, first);
}

bool CheckLeadingDots(std::string_view text) { return !BeginsWith(text, ".."); }

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// For a well-formed decimal text that does not fit a double: true when its
// value is huge, false when it is tiny. Its first significant digit stands at
// the power of ten given by the digits before the separator and the exponent.
bool DecimalMagnitudeAboveOne(std::string_view number) {
  std::size_t i = 0;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
  long long power = 0;  // power of ten of the first significant digit
  bool seen = false;
  long long position = 0;  // digits before the separator, counted from the first significant one
  bool fraction = false;
  long long leadingFractionZeros = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') { fraction = true; continue; }
    if (!seen && number[i] == '0') {
      if (fraction) ++leadingFractionZeros;
      continue;
    }
    if (!seen) seen = true;
    if (!fraction) ++position;
  }
  power = position > 0 ? position - 1 : -(leadingFractionZeros + 1);
  long long exponent = 0;
  if (i < number.size()) {
    ++i;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    for (; i < number.size(); ++i) {
      if (exponent < 1000000000LL) exponent = exponent * 10 + (number[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return power + exponent >= 0;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseFloat(std::string_view value, double& result) {
  // The form decides: blanks, sign, digits with an optional separator and
  // fraction, an optional exponent, blanks. No range is set.
  std::size_t i = 0;
  const std::size_t n = value.size();
  while (i < n && value[i] == ' ') ++i;
  const std::size_t start = i;
  if (i < n && (value[i] == '+' || value[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(value[i])) { ++i; ++digits; }
  if (i < n && value[i] == '.') {
    ++i;
    while (i < n && IsDigit(value[i])) { ++i; ++digits; }
  }
  if (digits == 0) return false;
  if (i < n && (value[i] == 'e' || value[i] == 'E')) {
    ++i;
    if (i < n && (value[i] == '+' || value[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < n && IsDigit(value[i])) { ++i; ++exponentDigits; }
    if (exponentDigits == 0) return false;
  }
  const std::size_t end = i;
  while (i < n && value[i] == ' ') ++i;
  if (i != n) return false;

  // The text is well formed; convert it with '.' as the separator whatever
  // the user's locale says.
  std::string_view number = value.substr(start, end - start);
  if (!number.empty() && number[0] == '+') number.remove_prefix(1);
  double converted = 0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), converted);
  if (error == std::errc::result_out_of_range) {
    // Beyond what a double holds: infinitely large or zero, with its sign,
    // so a range test still sees which side the value lies on.
    const bool negative = !number.empty() && number[0] == '-';
    converted = DecimalMagnitudeAboveOne(number) ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) converted = -converted;
  }
  result = converted;
  return true;
}

bool ParseInteger(std::string_view value, std::int32_t& result) {
  std::size_t i = 0;
  const std::size_t n = value.size();
  while (i < n && value[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (value[i] == '+' || value[i] == '-')) {
    negative = value[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < n && (value[i] == '$' || value[i] == 'x' || value[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return false;
  const long long limit = negative ? 2147483648LL : 2147483647LL;
  long long magnitude = 0;
  for (; i < n; ++i) {
    const int digit = base == 16 ? HexDigit(value[i]) : (IsDigit(value[i]) ? value[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  result = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

void CheckFloat(MissionState& state, std::string_view value, bool& ok) {
  double ignored = 0;
  if (!ParseFloat(value, ignored)) Fail(state, ok, 21);
}

void CheckInteger(MissionState& state, std::string_view value, bool& ok) {
  std::int32_t ignored = 0;
  if (!ParseInteger(value, ignored)) Fail(state, ok, 21);
}

void CheckEndString(MissionState& state, std::string_view text, bool& ok) {
  if (text != ".EndString" && text != ".Endstring") Fail(state, ok, 4);
}

bool CheckLeadingDot(MissionState& state, std::string_view statement, bool& ok) {
  if (BeginsWith(statement, ".")) return true;
  Fail(state, ok, 115);
  return false;
}

bool CheckValueSeparator(MissionState& state, std::string_view rest, bool& ok) {
  if (!rest.empty() && IsBlank(rest[0])) return true;
  Fail(state, ok, 105);
  return false;
}

bool TakeKeyword(MissionState& state, std::string& statement, std::string_view keyword, bool& ok) {
  RemoveKeyword(statement, keyword);
  return CheckValueSeparator(state, statement, ok);
}

bool ReadKeywordStatement(MissionState& state, MissionFile& file, std::string& statement, std::string_view keyword,
                          int code, bool& ok) {
  ReadStatement(state, file, statement, ok);
  if (!ok) return false;
  if (BeginsWith(statement, keyword)) return true;
  Fail(state, ok, code);
  return false;
}

bool ReadPastHiddenMarker(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  ReadStatement(state, file, statement, ok);
  if (ok && (Contains(statement, ".Hidden") || Contains(statement, ".HIDDEN"))) ReadStatement(state, file, statement, ok);
  return ok;
}

std::string TextValue(std::string_view text) {
  const std::size_t marker = text.find(".End");
  if (marker == std::string_view::npos || marker < 1) return std::string();
  return std::string(text.substr(0, marker - 1));
}

std::string EndMarkerTail(std::string_view text) {
  const std::size_t marker = text.find(".End");
  if (marker == std::string_view::npos) return std::string();
  return std::string(text.substr(marker));
}

std::string IntToText(std::int64_t value) { return std::to_string(value); }

}  // namespace tolvane
