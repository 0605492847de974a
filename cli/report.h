#pragma once
// What tolvane-verify prints for one verified mission: the plain one-line
// verdict, the JSON object with the error state and every collected table,
// and the small helpers both need. No Qt; the tests call these directly.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "mission_state.h"
#include "verify.h"

namespace tolvane::cli {

// ErrMsg without its trailing blank.
std::string MessageWithoutTrailingBlank(std::string_view message);

// The plain verdict of one file, without line end:
//   "FILE: ok"  or  "FILE:LINE:COL: error: MESSAGE [CODE]"
// A name with control characters or bytes that are not UTF-8 is quoted (ShownName).
// missionText is the file's contents, used to find the column.
std::string PlainReport(const std::string& file, const MissionState& state, const VerifyResult& result,
                        std::string_view missionText);

// Every JSON the command line writes goes through this: the value on one
// line, strings in UTF-8, and the control characters that JSON lets stand
// raw (127 and U+0080 to U+009F) escaped too, so no report can reach a
// terminal as a control code.
std::string DumpJson(const nlohmann::ordered_json& value);
// That last step alone, on JSON text.
std::string EscapeControlCharacters(std::string json);

// A JSON string literal, quotes included, of 8-bit text: every byte stands
// for the character of the same number (128 to 255 become U+0080 to U+00FF).
// Quote, backslash and every control character (0 to 31, 127, 128 to 159)
// are escaped, so the result is valid JSON for any bytes.
std::string JsonString(std::string_view bytes);

// A JSON string literal of a file name: its JsonNameText (valid UTF-8 as it
// is, a backslash doubled, other bytes as \xHH), control characters escaped.
std::string JsonPathString(std::string_view path);

// The ten tables as one JSON object keyed by table name; each table is a list
// of records keyed by field name, texts as strings, flags and integers as numbers.
std::string JsonTables(const MissionState& state);

// One JSON object on one line (no line end) with the keys file, ok, code,
// line, message, statement, pass, triggers_found and tables.
nlohmann::ordered_json JsonReportValue(const std::string& file, const MissionState& state, const VerifyResult& result);
std::string JsonReport(const std::string& file, const MissionState& state, const VerifyResult& result);

}  // namespace tolvane::cli
