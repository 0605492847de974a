// The report functions of tolvane-verify, called directly: the plain verdict
// line and its column, the JSON string escaping of every byte, and the export
// of the ten tables as the table descriptors read them.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "json_text.h"
#include "record_fields.h"
#include "report.h"
#include "statement_reader.h"
#include "type_names.h"
#include "verify.h"

using namespace tolvane;
using namespace tolvane::cli;

namespace {

// A run as the verifier leaves it.
void SetError(MissionState& state, int code, int line) {
  state.ErrNo = code;
  state.LineNo = line;
  SetErrorMessage(state);
}

}  // namespace

TEST(PlainReport, VerdictLineAndColumn) {
  const std::string text = "// dawn patrol\r\n.Aggregate\r\n\t  Blue Section\r\n.EndMission\r\n";
  const struct {
    int code;
    int line;
    bool ok;
    const char* locate;
    const char* expected;
  } cases[] = {
      // The ok line and a located error are run through tolvane-verify. A run
      // whose second pass found no trigger keeps code 1 with a true verdict.
      {1, 12, true, "", "m.mis: ok"},
      // The column falls back to one: a read past the end, no line read, a
      // statement the line does not hold.
      {62, 5, false, "", "m.mis:5:1: error: Unexpected End Of File reached [62]"},
      {74, 0, false, ".Aggregate", "m.mis:0:1: error: Tolvane can not open a temporary file it needs [74]"},
      {3, 2, false, ".Hidden", "m.mis:2:1: error: Missing \".Name\". in statement [3]"},
  };
  for (const auto& c : cases) {
    MissionState state;
    SetError(state, c.code, c.line);
    VerifyResult result;
    result.MissionOk = c.ok;
    result.LocateText = c.locate;
    EXPECT_EQ(PlainReport("m.mis", state, result, text), c.expected);
  }
  // Only the one trailing blank goes.
  EXPECT_EQ(MessageWithoutTrailingBlank("Corrupt file  "), "Corrupt file ");
  EXPECT_EQ(MessageWithoutTrailingBlank(""), "");
}

TEST(JsonString, EveryByteIsValidJsonAndDecodesToItsOwnCodePoint) {
  // The parser is strict: a control character written raw, or a byte that is
  // not UTF-8, fails it.
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    all = bytes + all;
    const jsontest::Json value = jsontest::Parse(JsonString(bytes));
    ASSERT_TRUE(value.is_string()) << "byte " << byte;
    EXPECT_EQ(jsontest::Text(value), jsontest::FromLatin1(bytes)) << "byte " << byte;
  }
  EXPECT_EQ(jsontest::Text(jsontest::Parse(JsonString(all + all))), jsontest::FromLatin1(all + all));
  EXPECT_EQ(JsonString("a\"b\\c/\t"), "\"a\\\"b\\\\c/\\t\"");
  EXPECT_EQ(JsonString("K\xE4""fer"), "\"K\xC3\xA4""fer\"");  // Latin-1 letters come out as UTF-8
}

// The byte 0xFF, the letter U+00FF and a backslash are run through tolvane-verify.
TEST(JsonPathString, KeepsValidUtf8AndWritesOtherBytesEscaped) {
  EXPECT_EQ(jsontest::Text(jsontest::Parse(JsonPathString("a\\b\xC3"))), U"a\\\\b\\xC3");
  // Control characters are escaped in both kinds of name.
  EXPECT_EQ(JsonPathString("a\nb.mis"), "\"a\\nb.mis\"");
  const jsontest::Json mixed = jsontest::Parse(JsonPathString("\xE2\x82\xAC\x01\"x\""));
  EXPECT_EQ(jsontest::Text(mixed), std::u32string(U"\u20AC\u0001\"x\""));
  jsontest::Parse(JsonPathString("x\xE2\x82"));  // a truncated sequence is not UTF-8
}

TEST(JsonTables, EveryTableAndFieldAsTheDescriptorsReadIt) {
  MissionState state;
  EXPECT_EQ(jsontest::Parse(JsonTables(state)).size(), 10u);
  // A sample mission fills every table.
  TypeNameList typeNames;
  LoadTypeNames(typeNames, std::string(TOLVANE_SOURCE_DIR) + "/program/ObjectNames.Txt");
  std::ifstream in(std::string(TOLVANE_SOURCE_DIR) + "/examples/channel_sweep.mis", std::ios::binary);
  const std::string mission((std::istreambuf_iterator<char>(in)), {});
  const MissionFolderEnvironment environment(typeNames, std::string(TOLVANE_SOURCE_DIR) + "/examples");
  ASSERT_TRUE(VerifyMissionBytes(state, environment, mission).MissionOk) << state.ErrMsg;

  const jsontest::Json tables = jsontest::Parse(JsonTables(state));
  std::vector<std::string> names;
  for (int t = 0; t < TableDescriptorCount; ++t) {
    const TableDescriptor& descriptor = TableDescriptors()[t];
    const std::string name(descriptor.Name);
    names.push_back(name);
    ASSERT_EQ(tables[name].size(), static_cast<std::size_t>(descriptor.Count(state))) << name;
    ASSERT_GT(descriptor.Count(state), 0) << name;
    for (int r = 1; r <= descriptor.Count(state); ++r) {
      const jsontest::Json& record = tables[name][r - 1];
      std::vector<std::string> fields;
      for (int f = 0; f < descriptor.FieldCount; ++f) {
        const std::string field(descriptor.Fields[f].Name);
        fields.push_back(field);
        const std::string text = descriptor.Text(state, r, f);
        if (descriptor.Fields[f].Kind == FieldKind::Number) {
          EXPECT_EQ(record[field].dump(), text) << name << "." << field;
        } else {
          EXPECT_EQ(jsontest::Text(record[field]), jsontest::FromLatin1(text)) << name << "." << field;
        }
      }
      EXPECT_EQ(jsontest::Keys(record), fields) << name;
    }
  }
  EXPECT_EQ(jsontest::Keys(tables), names);
}

TEST(JsonTables, FullTablesExportEveryRecordInOrder) {
  MissionState state;
  for (int n = 1; n <= AircraftTableType::capacity; ++n) {
    AircraftRecord record;
    record.TagId = std::to_string(n);
    record.Callsign = std::string(1, static_cast<char>(n % 256));
    ASSERT_TRUE(state.AircraftTable.append(record));
  }
  const jsontest::Json tables = jsontest::Parse(JsonTables(state));
  const jsontest::Json& aircraft = tables["AircraftTable"];
  ASSERT_EQ(aircraft.size(), 500u);
  EXPECT_EQ(jsontest::Text(aircraft[499]["TagId"]), U"500");
  EXPECT_EQ(jsontest::Text(aircraft[254]["Callsign"]), std::u32string(1, static_cast<char32_t>(255)));
}

TEST(JsonReport, OneLineOfValidJsonWhateverTheState) {
  MissionState state;
  state.ErrNo = -2147483647 - 1;
  state.LineNo = 2147483647;
  state.ErrMsg = std::string("\0\x1f\xff ", 4);
  VerifyResult result;
  result.LocateText = ".Name Gate .EndString \x93quoted\x94";
  const std::string json = JsonReport(std::string("\xff\n", 2), state, result);
  EXPECT_EQ(json.find('\n'), std::string::npos);
  const jsontest::Json report = jsontest::Parse(json);
  EXPECT_EQ(report["code"].dump(), "-2147483648");
  EXPECT_EQ(report["line"].dump(), "2147483647");
  // The message exactly as the verifier set it, trailing blank included.
  EXPECT_EQ(jsontest::Text(report["message"]), std::u32string(U"\u0000\u001f\u00ff ", 4));
  EXPECT_EQ(jsontest::Text(report["statement"]), jsontest::FromLatin1(result.LocateText));

  // Whatever the verifier makes of arbitrary bytes, the report stays valid JSON.
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    bytes += ".Trigger\r\n.Name ";
    bytes += static_cast<char>(byte);
    bytes += " .EndString\r\n";
  }
  bytes += std::string("\xff\xfe\x00\r\n.EndMission", 15);
  MissionState run;
  const VerifyResult verified = VerifyMissionBytes(run, EmptyEnvironment(), bytes);
  const jsontest::Json fromBytes = jsontest::Parse(JsonReport("bytes.mis", run, verified));
  EXPECT_EQ(jsontest::Text(fromBytes["statement"]), jsontest::FromLatin1(verified.LocateText));
  EXPECT_EQ(fromBytes["tables"]["TriggerTable"].size(), static_cast<std::size_t>(run.TriggerTable.count()));
}
