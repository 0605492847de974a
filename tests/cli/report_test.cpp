// The report functions of tolvane-verify, called directly: the plain verdict
// line and its column, the JSON string escaping of every byte, and the export
// of the ten tables with their field names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json_checker.h"
#include "report.h"
#include "statement_reader.h"

using namespace tolvane;
using namespace tolvane::cli;

namespace {

jsoncheck::Value ParseOrFail(const std::string& text) {
  jsoncheck::Value value;
  std::string error;
  EXPECT_TRUE(jsoncheck::Parse(text, value, error)) << error << "\nin: " << text;
  return value;
}

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
    jsoncheck::Value value;
    std::string error;
    ASSERT_TRUE(jsoncheck::Parse(literal, value, error)) << "byte " << byte << ": " << error;
    ASSERT_EQ(value.kind, jsoncheck::Value::Kind::String) << "byte " << byte;
    ASSERT_EQ(value.text.size(), 1u) << "byte " << byte;
    EXPECT_EQ(static_cast<int>(value.text[0]), byte);
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
  const jsoncheck::Value value = ParseOrFail(JsonString(bytes));
  EXPECT_EQ(value.text, jsoncheck::FromLatin1(bytes));
  // Latin-1 letters come out as UTF-8.
  EXPECT_EQ(JsonString("K\xE4""ferberg"), "\"K\xC3\xA4""ferberg\"");
}

TEST(JsonPathString, KeepsValidUtf8AndWritesOtherBytesEscaped) {
  EXPECT_EQ(JsonPathString("k\xC3\xBCste.mis"), "\"k\xC3\xBCste.mis\"");
  // A byte that is not part of UTF-8 is written \xHH, a backslash doubled.
  EXPECT_EQ(ParseOrFail(JsonPathString("k\xFCste.mis")).text, U"k\\xFCste.mis");
  EXPECT_EQ(ParseOrFail(JsonPathString("a\\b\xC3")).text, U"a\\\\b\\xC3");
  // Control characters are escaped in both kinds of name.
  EXPECT_EQ(JsonPathString("a\nb.mis"), "\"a\\nb.mis\"");
  const jsoncheck::Value mixed = ParseOrFail(JsonPathString("\xE2\x82\xAC\x01\"x\""));
  EXPECT_EQ(mixed.text, std::u32string(U"\u20AC\u0001\"x\""));
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
  const jsoncheck::Value tables = ParseOrFail(JsonTables(state));
  ASSERT_EQ(tables.kind, jsoncheck::Value::Kind::Object);
  EXPECT_EQ(tables.Keys(), (Fields{"AircraftTable", "FlightWaypointTable", "VehicleTable", "VehicleWaypointTable",
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
    const jsoncheck::Value& table = tables[name];
    ASSERT_EQ(table.kind, jsoncheck::Value::Kind::Array) << name;
    ASSERT_EQ(table.items.size(), 1u) << name;
    EXPECT_EQ(table.items[0].Keys(), fields) << name;
  }
}

TEST(JsonTables, TextsAsStoredFlagsAndIntegersAsNumbers) {
  MissionState state;
  FillOneOfEach(state);
  const jsoncheck::Value tables = ParseOrFail(JsonTables(state));
  const jsoncheck::Value& flight = tables["AircraftTable"].items[0];
  EXPECT_EQ(flight["SquadName"].text, U"No. 5 \"Kite\" Sqn");
  EXPECT_EQ(flight["Plane3"].kind, jsoncheck::Value::Kind::String);
  EXPECT_EQ(flight["Plane3"].text, U"");
  EXPECT_EQ(flight["AircraftMark"].kind, jsoncheck::Value::Kind::Number);
  EXPECT_EQ(flight["AircraftMark"].numberText, "1");
  EXPECT_EQ(tables["VehicleTable"].items[0]["TypeName"].text, jsoncheck::FromLatin1("Stra\xDF""enwalze"));
  EXPECT_EQ(tables["VehicleWaypointTable"].items[0]["WaySet"].text, U"\t5");
  EXPECT_EQ(tables["DivisionTable"].items[0]["Name"].text, U"Back\\slash Group");
  const jsoncheck::Value& tag = tables["TagTable"].items[0];
  EXPECT_EQ(tag["AircraftIndex"].kind, jsoncheck::Value::Kind::Number);
  EXPECT_EQ(tag["AircraftIndex"].numberText, "1");
  EXPECT_EQ(tag["TypeName"].text, U"");
  EXPECT_EQ(tables["WaySetTable"].items[0]["WaypointCount"].numberText, "3");
  EXPECT_EQ(tables["BridgeTable"].items[0]["LineText"].text, U"77");
}

TEST(JsonTables, EmptyTablesAreEmptyLists) {
  MissionState state;
  const std::string json = JsonTables(state);
  const jsoncheck::Value tables = ParseOrFail(json);
  ASSERT_EQ(tables.members.size(), 10u);
  for (const auto& member : tables.members) {
    EXPECT_EQ(member.second.kind, jsoncheck::Value::Kind::Array) << member.first;
    EXPECT_TRUE(member.second.items.empty()) << member.first;
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
  const jsoncheck::Value tables = ParseOrFail(JsonTables(state));
  const auto& aircraft = tables["AircraftTable"].items;
  ASSERT_EQ(aircraft.size(), 500u);
  EXPECT_EQ(aircraft[0]["TagId"].text, U"1");
  EXPECT_EQ(aircraft[499]["TagId"].text, U"500");
  EXPECT_EQ(aircraft[254]["Callsign"].text, std::u32string(1, static_cast<char32_t>(255)));
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
  const jsoncheck::Value report = ParseOrFail(json);
  EXPECT_EQ(report.Keys(), (Fields{"file", "ok", "code", "line", "message", "statement", "pass", "triggers_found",
                                   "tables"}));
  EXPECT_EQ(report["file"].text, U"dir/gate.mis");
  EXPECT_EQ(report["ok"].kind, jsoncheck::Value::Kind::Bool);
  EXPECT_FALSE(report["ok"].boolean);
  EXPECT_EQ(report["code"].numberText, "4");
  EXPECT_EQ(report["line"].numberText, "17");
  // The message exactly as the verifier set it, trailing blank included.
  EXPECT_EQ(report["message"].text, U"Expected \".EndString\" in statement ");
  EXPECT_EQ(report["statement"].text, jsoncheck::FromLatin1(result.LocateText));
  EXPECT_EQ(report["pass"].numberText, "2");
  EXPECT_TRUE(report["triggers_found"].boolean);
  EXPECT_EQ(report["tables"]["TriggerTable"].items.size(), 1u);
}

TEST(JsonReport, VerifiedMissionReportsCodeZeroAndTheGoodMessage) {
  MissionState state;
  SetError(state, 0, 9);
  VerifyResult result;
  result.MissionOk = true;
  result.LastPass = 1;
  const jsoncheck::Value report = ParseOrFail(JsonReport("a.mis", state, result));
  EXPECT_TRUE(report["ok"].boolean);
  EXPECT_EQ(report["code"].numberText, "0");
  EXPECT_EQ(report["message"].text, U"Appears To Be A Good Mission");
  EXPECT_EQ(report["pass"].numberText, "1");
  EXPECT_FALSE(report["triggers_found"].boolean);
}

TEST(JsonReport, NegativeAndLargeNumbersStayValid) {
  MissionState state;
  state.ErrNo = -2147483647 - 1;
  state.LineNo = 2147483647;
  state.ErrMsg = std::string("\0\x1f\xff", 3);
  VerifyResult result;
  const jsoncheck::Value report = ParseOrFail(JsonReport(std::string("\xff\n", 2), state, result));
  EXPECT_EQ(report["code"].numberText, "-2147483648");
  EXPECT_EQ(report["line"].numberText, "2147483647");
  EXPECT_EQ(report["message"].text, std::u32string(U"\u0000\u001f\u00ff", 3));
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
  const jsoncheck::Value report = ParseOrFail(JsonReport("bytes.mis", state, result));
  EXPECT_EQ(report["statement"].text, jsoncheck::FromLatin1(result.LocateText));
  EXPECT_EQ(report["tables"]["TriggerTable"].items.size(), static_cast<std::size_t>(state.TriggerTable.count()));
}
