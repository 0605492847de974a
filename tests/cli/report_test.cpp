// The report functions of tolvane-verify, called directly: the plain verdict
// line and its column, the JSON string escaping of every byte, and the export
// of the ten tables with their field names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json_text.h"
#include "report.h"
#include "statement_reader.h"

using namespace tolvane;
using namespace tolvane::cli;

namespace {

jsontest::Json ParseOrFail(const std::string& text) { return jsontest::Parse(text); }

// A failed run as the verifier leaves it.
void SetError(MissionState& state, int code, int line) {
  state.ErrNo = code;
  state.LineNo = line;
  SetErrorMessage(state);
}

}  // namespace

TEST(PlainReport, VerifiedMissionIsOneOkLine) {
  MissionState state;
  VerifyResult result;
  result.MissionOk = true;
  EXPECT_EQ(PlainReport("missions/dawn.mis", state, result, ".EndMission\r\n"), "missions/dawn.mis: ok");
}

TEST(PlainReport, ErrorLineHasLineColumnMessageWithoutTrailingBlankAndCode) {
  MissionState state;
  SetError(state, 60, 3);
  VerifyResult result;
  result.MissionOk = false;
  result.LocateText = "Blue Section";
  const std::string text = "// dawn patrol\r\n.Aggregate\r\n\t  Blue Section\r\n.EndMission\r\n";
  EXPECT_EQ(PlainReport("dawn.mis", state, result, text),
            "dawn.mis:3:4: error: Expected a Keyword but \".\" not found [60]");
}

TEST(PlainReport, OkVerdictWinsOverALeftoverCode) {
  // A run whose second pass found no trigger keeps code 1 with a true verdict.
  MissionState state;
  SetError(state, 1, 12);
  VerifyResult result;
  result.MissionOk = true;
  result.LastPass = 2;
  EXPECT_EQ(PlainReport("quiet.mis", state, result, ""), "quiet.mis: ok");
}

TEST(PlainReport, ColumnFallsBackToOneWhenTheStatementIsNotOnItsLine) {
  MissionState state;
  VerifyResult result;
  result.MissionOk = false;
  const std::string text = ".Trigger\r\n.Name Gate .EndString\r\n";
  // The line after the last one (a read at the end of the file).
  SetError(state, 62, 3);
  result.LocateText = "";
  EXPECT_EQ(PlainReport("m.mis", state, result, text), "m.mis:3:1: error: Unexpected End Of File reached [62]");
  // No line read at all.
  SetError(state, 74, 0);
  result.LocateText = ".Trigger";
  EXPECT_EQ(PlainReport("m.mis", state, result, text),
            "m.mis:0:1: error: Tolvane can not open a temporary file it needs [74]");
  // A statement text that the line does not hold.
  SetError(state, 3, 2);
  result.LocateText = ".Hidden";
  EXPECT_EQ(PlainReport("m.mis", state, result, text), "m.mis:2:1: error: Missing \".Name\". in statement [3]");
}

TEST(MessageWithoutTrailingBlank, DropsOnlyTheOneTrailingBlank) {
  EXPECT_EQ(MessageWithoutTrailingBlank("Corrupt file "), "Corrupt file");
  EXPECT_EQ(MessageWithoutTrailingBlank("Appears To Be A Good Mission"), "Appears To Be A Good Mission");
  EXPECT_EQ(MessageWithoutTrailingBlank(""), "");
  MissionState state;
  SetError(state, 119, 1);
  EXPECT_EQ(MessageWithoutTrailingBlank(state.ErrMsg),
            "There is no Check in the Trigger. Must have at least one check.  Missing .Check keyword above");
}

TEST(JsonString, EveryByteAloneIsValidJsonAndDecodesToItsOwnCodePoint) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string bytes(1, static_cast<char>(byte));
    const std::string literal = JsonString(bytes);
    const jsontest::Json value = jsontest::Parse(literal);
    ASSERT_TRUE(value.is_string()) << "byte " << byte;
    ASSERT_EQ(jsontest::Text(value).size(), 1u) << "byte " << byte;
    EXPECT_EQ(static_cast<int>(jsontest::Text(value)[0]), byte);
  }
}

TEST(JsonString, ControlCharactersAreEscapedNeverWrittenRaw) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool control = byte < 0x20 || (byte >= 0x7F && byte < 0xA0);
    if (!control) continue;
    const std::string literal = JsonString(std::string(1, static_cast<char>(byte)));
    ASSERT_GE(literal.size(), 4u);
    EXPECT_EQ(literal[1], '\\') << "byte " << byte;
    for (char c : literal) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << "byte " << byte;
  }
  EXPECT_EQ(JsonString("\t\r\n"), "\"\\t\\r\\n\"");
  EXPECT_EQ(JsonString(std::string(1, '\0')), "\"\\u0000\"");
  EXPECT_EQ(JsonString("\x7f"), "\"\\u007f\"");
  EXPECT_EQ(JsonString("a\"b\\c/"), "\"a\\\"b\\\\c/\"");
}

TEST(JsonString, AllBytesInOneTextRoundTrip) {
  std::string bytes;
  for (int round = 0; round < 2; ++round)
    for (int byte = 255; byte >= 0; --byte) bytes += static_cast<char>(byte);
  const jsontest::Json value = ParseOrFail(JsonString(bytes));
  EXPECT_EQ(jsontest::Text(value), jsontest::FromLatin1(bytes));
  // Latin-1 letters come out as UTF-8.
  EXPECT_EQ(JsonString("K\xE4""ferberg"), "\"K\xC3\xA4""ferberg\"");
}

TEST(JsonPathString, KeepsValidUtf8AndWritesOtherBytesEscaped) {
  EXPECT_EQ(JsonPathString("k\xC3\xBCste.mis"), "\"k\xC3\xBCste.mis\"");
  // A byte that is not part of UTF-8 is written \xHH, a backslash doubled.
  EXPECT_EQ(jsontest::Text(ParseOrFail(JsonPathString("k\xFCste.mis"))), U"k\\xFCste.mis");
  EXPECT_EQ(jsontest::Text(ParseOrFail(JsonPathString("a\\b\xC3"))), U"a\\\\b\\xC3");
  // Control characters are escaped in both kinds of name.
  EXPECT_EQ(JsonPathString("a\nb.mis"), "\"a\\nb.mis\"");
  const jsontest::Json mixed = ParseOrFail(JsonPathString("\xE2\x82\xAC\x01\"x\""));
  EXPECT_EQ(jsontest::Text(mixed), std::u32string(U"\u20AC\u0001\"x\""));
  // A truncated sequence is not UTF-8.
  ParseOrFail(JsonPathString("x\xE2\x82"));
}

namespace {

// One record in every table, with texts that need escaping.
void FillOneOfEach(MissionState& state) {
  AircraftRecord flight;
  flight.TagId = "1";
  flight.TypeName = "Flight";
  flight.SquadName = "No. 5 \"Kite\" Sqn";
  flight.FlightName = "Blue";
  flight.AircraftMark = 1;
  flight.Plane1 = "2";
  flight.Plane2 = "3";
  flight.WaySet = "4";
  flight.FlightTag = "1";
  state.AircraftTable.append(flight);
  FlightWaypointRecord waypoint;
  waypoint.TagId = "1";
  waypoint.TypeName = "Flight";
  waypoint.WaySet = "4";
  waypoint.WaypointId = "2";
  state.FlightWaypointTable.append(waypoint);
  VehicleRecord vehicle;
  vehicle.TagId = "30";
  vehicle.TypeName = "Stra\xDF""enwalze";
  vehicle.ItemType = "[Vehicle]";
  state.VehicleTable.append(vehicle);
  VehicleWaypointRecord vehicleWaypoint;
  vehicleWaypoint.TagId = "30";
  vehicleWaypoint.TypeName = "[Vehicle WayPt]";
  vehicleWaypoint.WaySet = "\t5";
  vehicleWaypoint.WaypointId = "1";
  state.VehicleWaypointTable.append(vehicleWaypoint);
  DivisionRecord division;
  division.TagId = "x7";
  division.TypeName = "Division";
  division.Name = "Back\\slash Group";
  state.DivisionTable.append(division);
  StructureRecord structure;
  structure.TagId = "40";
  structure.TypeName = "Hangar";
  state.StructureTable.append(structure);
  TriggerRecord trigger;
  trigger.TypeName = "[Trigger]";
  trigger.TriggerName = "Gate";
  trigger.LinkedTrigger = "After Gate";
  state.TriggerTable.append(trigger);
  BridgeRecord bridge;
  bridge.BridgeName = "Mill Bridge";
  bridge.TypeName = "[Bridge]";
  bridge.ReferencedBy = ".BridgeName Mill Bridge .";
  bridge.LineText = "77";
  state.BridgeTable.append(bridge);
  TagRecord tag;
  tag.TagId = "1";
  tag.Name = "No. 5 \"Kite\" Sqn";
  tag.FlightName = "Blue";
  tag.AircraftMark = 1;
  tag.AircraftIndex = 1;
  state.TagTable.append(tag);
  WaySetRecord waySet;
  waySet.SetText = "4";
  waySet.WaypointCount = 3;
  state.WaySetTable.append(waySet);
}

using Fields = std::vector<std::string>;

}  // namespace

TEST(JsonTables, TenTablesInOrderWithTheRecordFieldNames) {
  MissionState state;
  FillOneOfEach(state);
  const jsontest::Json tables = ParseOrFail(JsonTables(state));
  ASSERT_TRUE(tables.is_object());
  EXPECT_EQ(jsontest::Keys(tables), (Fields{"AircraftTable", "FlightWaypointTable", "VehicleTable", "VehicleWaypointTable",
                                   "DivisionTable", "StructureTable", "TriggerTable", "BridgeTable", "TagTable",
                                   "WaySetTable"}));
  const std::vector<std::pair<std::string, Fields>> expected = {
      {"AircraftTable",
       {"TagId", "TypeName", "SquadName", "FlightName", "Callsign", "AircraftMark", "Plane1", "Plane2", "Plane3",
        "Plane4", "WaySet", "FlightTag"}},
      {"FlightWaypointTable", {"TagId", "TypeName", "SquadName", "FlightName", "Callsign", "WaySet", "WaypointId"}},
      {"VehicleTable", {"TagId", "TypeName", "ItemType", "WaySet"}},
      {"VehicleWaypointTable", {"TagId", "TypeName", "WaySet", "WaypointId"}},
      {"DivisionTable", {"TagId", "TypeName", "Name"}},
      {"StructureTable", {"TagId", "TypeName"}},
      {"TriggerTable", {"TypeName", "TriggerName", "LinkedTrigger"}},
      {"BridgeTable", {"BridgeName", "TypeName", "ReferencedBy", "LineText"}},
      {"TagTable", {"TagId", "TypeName", "Name", "FlightName", "AircraftMark", "Callsign", "AircraftIndex"}},
      {"WaySetTable", {"SetText", "WaypointCount"}},
  };
  for (const auto& [name, fields] : expected) {
    const jsontest::Json& table = tables[name];
    ASSERT_TRUE(table.is_array()) << name;
    ASSERT_EQ(table.size(), 1u) << name;
    EXPECT_EQ(jsontest::Keys(table[0]), fields) << name;
  }
}

TEST(JsonTables, TextsAsStoredFlagsAndIntegersAsNumbers) {
  MissionState state;
  FillOneOfEach(state);
  const jsontest::Json tables = ParseOrFail(JsonTables(state));
  const jsontest::Json& flight = tables["AircraftTable"][0];
  EXPECT_EQ(jsontest::Text(flight["SquadName"]), U"No. 5 \"Kite\" Sqn");
  EXPECT_TRUE(flight["Plane3"].is_string());
  EXPECT_EQ(jsontest::Text(flight["Plane3"]), U"");
  EXPECT_TRUE(flight["AircraftMark"].is_number());
  EXPECT_EQ(flight["AircraftMark"].dump(), "1");
  EXPECT_EQ(jsontest::Text(tables["VehicleTable"][0]["TypeName"]), jsontest::FromLatin1("Stra\xDF""enwalze"));
  EXPECT_EQ(jsontest::Text(tables["VehicleWaypointTable"][0]["WaySet"]), U"\t5");
  EXPECT_EQ(jsontest::Text(tables["DivisionTable"][0]["Name"]), U"Back\\slash Group");
  const jsontest::Json& tag = tables["TagTable"][0];
  EXPECT_TRUE(tag["AircraftIndex"].is_number());
  EXPECT_EQ(tag["AircraftIndex"].dump(), "1");
  EXPECT_EQ(jsontest::Text(tag["TypeName"]), U"");
  EXPECT_EQ(tables["WaySetTable"][0]["WaypointCount"].dump(), "3");
  EXPECT_EQ(jsontest::Text(tables["BridgeTable"][0]["LineText"]), U"77");
}

TEST(JsonTables, EmptyTablesAreEmptyLists) {
  MissionState state;
  const std::string json = JsonTables(state);
  const jsontest::Json tables = ParseOrFail(json);
  ASSERT_EQ(tables.size(), 10u);
  for (const auto& member : tables.items()) {
    EXPECT_TRUE(member.value().is_array()) << member.key();
    EXPECT_TRUE(member.value().empty()) << member.key();
  }
}

TEST(JsonTables, FullTablesExportEveryRecordInOrder) {
  MissionState state;
  for (int n = 1; n <= AircraftTableType::capacity; ++n) {
    AircraftRecord record;
    record.TagId = std::to_string(n);
    record.Callsign = std::string(1, static_cast<char>(n % 256));
    ASSERT_TRUE(state.AircraftTable.append(record));
  }
  const jsontest::Json tables = ParseOrFail(JsonTables(state));
  const auto& aircraft = tables["AircraftTable"];
  ASSERT_EQ(aircraft.size(), 500u);
  EXPECT_EQ(jsontest::Text(aircraft[0]["TagId"]), U"1");
  EXPECT_EQ(jsontest::Text(aircraft[499]["TagId"]), U"500");
  EXPECT_EQ(jsontest::Text(aircraft[254]["Callsign"]), std::u32string(1, static_cast<char32_t>(255)));
}

TEST(JsonReport, OneLineObjectWithTheVerdictErrorStateAndTables) {
  MissionState state;
  FillOneOfEach(state);
  SetError(state, 4, 17);
  state.TriggersFound = true;
  VerifyResult result;
  result.MissionOk = false;
  result.LastPass = 2;
  result.LocateText = ".Name Gate .EndString \x93quoted\x94";
  const std::string json = JsonReport("dir/gate.mis", state, result);
  EXPECT_EQ(json.find('\n'), std::string::npos);
  const jsontest::Json report = ParseOrFail(json);
  EXPECT_EQ(jsontest::Keys(report), (Fields{"file", "ok", "code", "line", "message", "statement", "pass", "triggers_found",
                                   "tables"}));
  EXPECT_EQ(jsontest::Text(report["file"]), U"dir/gate.mis");
  EXPECT_TRUE(report["ok"].is_boolean());
  EXPECT_FALSE(report["ok"].get<bool>());
  EXPECT_EQ(report["code"].dump(), "4");
  EXPECT_EQ(report["line"].dump(), "17");
  // The message exactly as the verifier set it, trailing blank included.
  EXPECT_EQ(jsontest::Text(report["message"]), U"Expected \".EndString\" in statement ");
  EXPECT_EQ(jsontest::Text(report["statement"]), jsontest::FromLatin1(result.LocateText));
  EXPECT_EQ(report["pass"].dump(), "2");
  EXPECT_TRUE(report["triggers_found"].get<bool>());
  EXPECT_EQ(report["tables"]["TriggerTable"].size(), 1u);
}

TEST(JsonReport, VerifiedMissionReportsCodeZeroAndTheGoodMessage) {
  MissionState state;
  SetError(state, 0, 9);
  VerifyResult result;
  result.MissionOk = true;
  result.LastPass = 1;
  const jsontest::Json report = ParseOrFail(JsonReport("a.mis", state, result));
  EXPECT_TRUE(report["ok"].get<bool>());
  EXPECT_EQ(report["code"].dump(), "0");
  EXPECT_EQ(jsontest::Text(report["message"]), U"Appears To Be A Good Mission");
  EXPECT_EQ(report["pass"].dump(), "1");
  EXPECT_FALSE(report["triggers_found"].get<bool>());
}

TEST(JsonReport, NegativeAndLargeNumbersStayValid) {
  MissionState state;
  state.ErrNo = -2147483647 - 1;
  state.LineNo = 2147483647;
  state.ErrMsg = std::string("\0\x1f\xff", 3);
  VerifyResult result;
  const jsontest::Json report = ParseOrFail(JsonReport(std::string("\xff\n", 2), state, result));
  EXPECT_EQ(report["code"].dump(), "-2147483648");
  EXPECT_EQ(report["line"].dump(), "2147483647");
  EXPECT_EQ(jsontest::Text(report["message"]), std::u32string(U"\u0000\u001f\u00ff", 3));
}

TEST(JsonReport, AnyMissionBytesGiveValidJson) {
  // Whatever the verifier makes of arbitrary bytes, the report stays valid JSON.
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    bytes += ".Trigger\r\n.Name ";
    bytes += static_cast<char>(byte);
    bytes += " .EndString\r\n";
  }
  bytes += std::string("\xff\xfe\x00\r\n.EndMission", 15);
  MissionState state;
  const VerifyResult result = VerifyMissionBytes(state, EmptyEnvironment(), bytes);
  const jsontest::Json report = ParseOrFail(JsonReport("bytes.mis", state, result));
  EXPECT_EQ(jsontest::Text(report["statement"]), jsontest::FromLatin1(result.LocateText));
  EXPECT_EQ(report["tables"]["TriggerTable"].size(), static_cast<std::size_t>(state.TriggerTable.count()));
}
