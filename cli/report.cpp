#include "report.h"

#include <cstdint>
#include <string>

#include "error_location.h"
#include "latin1_text.h"
#include "names.h"
#include "record_fields.h"

namespace tolvane::cli {

std::string MessageWithoutTrailingBlank(std::string_view message) {
  if (!message.empty() && message.back() == ' ') message.remove_suffix(1);
  return std::string(message);
}

std::string PlainReport(const std::string& file, const MissionState& state, const VerifyResult& result,
                        std::string_view missionText) {
  const std::string shown = ShownName(file);
  if (result.MissionOk) return shown + ": ok";
  const int column = StatementColumn(LineOfText(missionText, state.LineNo), result.LocateText);
  return shown + ":" + std::to_string(state.LineNo) + ":" + std::to_string(column) +
         ": error: " + MessageWithoutTrailingBlank(state.ErrMsg) + " [" + std::to_string(state.ErrNo) + "]";
}

namespace {

using Json = nlohmann::ordered_json;

// The members of a record in record order: texts as strings, numbers as numbers.
Json Record(const TableDescriptor& table, const MissionState& state, int number) {
  Json record = Json::object();
  for (int field = 0; field < table.FieldCount; ++field) {
    const FieldDescriptor& descriptor = table.Fields[field];
    const std::string text = table.Text(state, number, field);
    if (descriptor.Kind == FieldKind::Number) {
      record[std::string(descriptor.Name)] = std::stoll(text);
    } else {
      record[std::string(descriptor.Name)] = Latin1ToUtf8(text);
    }
  }
  return record;
}

Json Tables(const MissionState& state) {
  Json tables = Json::object();
  for (int index = 0; index < TableDescriptorCount; ++index) {
    const TableDescriptor& table = TableDescriptors()[index];
    Json records = Json::array();
    const int count = table.Count(state);
    for (int number = 1; number <= count; ++number) records.push_back(Record(table, state, number));
    tables[std::string(table.Name)] = std::move(records);
  }
  return tables;
}

}  // namespace

std::string EscapeControlCharacters(std::string json) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(json.size());
  for (std::size_t i = 0; i < json.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(json[i]);
    unsigned code = 0x100;
    if (byte == 0x7F) {
      code = byte;
    } else if (byte == 0xC2 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) < 0xA0) {
      code = static_cast<unsigned char>(json[++i]);
    }
    if (code == 0x100) {
      out += json[i];
      continue;
    }
    out += "\\u00";
    out += digits[code >> 4];
    out += digits[code & 0xF];
  }
  return out;
}

std::string DumpJson(const nlohmann::ordered_json& value) {
  return EscapeControlCharacters(value.dump());
}

std::string JsonString(std::string_view bytes) { return DumpJson(Json(Latin1ToUtf8(bytes))); }

std::string JsonPathString(std::string_view path) { return DumpJson(Json(JsonNameText(path))); }

std::string JsonTables(const MissionState& state) { return DumpJson(Tables(state)); }

nlohmann::ordered_json JsonReportValue(const std::string& file, const MissionState& state, const VerifyResult& result) {
  Json report = Json::object();
  report["file"] = JsonNameText(file);
  report["ok"] = result.MissionOk;
  report["code"] = state.ErrNo;
  report["line"] = state.LineNo;
  report["message"] = Latin1ToUtf8(state.ErrMsg);
  report["statement"] = Latin1ToUtf8(result.LocateText);
  report["pass"] = result.LastPass;
  report["triggers_found"] = state.TriggersFound;
  report["tables"] = Tables(state);
  return report;
}

std::string JsonReport(const std::string& file, const MissionState& state, const VerifyResult& result) {
  return DumpJson(JsonReportValue(file, state, result));
}

}  // namespace tolvane::cli
