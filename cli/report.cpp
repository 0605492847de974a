#include "report.h"

#include <cstdint>

#include "error_location.h"
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

const char kHexDigits[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, unsigned code) {
  out += "\\u00";
  out += kHexDigits[(code >> 4) & 0xF];
  out += kHexDigits[code & 0xF];
}

// One character of the range 0 to 255, escaped where JSON needs or where it
// is a control character.
void AppendCharacter(std::string& out, unsigned code) {
  switch (code) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (code < 0x20 || (code >= 0x7F && code < 0xA0)) {
    AppendUnicodeEscape(out, code);
  } else if (code < 0x80) {
    out += static_cast<char>(code);
  } else {
    // U+00A0 to U+00FF in UTF-8.
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  out += '"';
  for (char c : bytes) AppendCharacter(out, static_cast<unsigned char>(c));
  out += '"';
  return out;
}

std::string JsonPathString(std::string_view path) {
  // The name's text is valid UTF-8; its control characters are escaped.
  const std::string text = JsonNameText(path);
  std::string out;
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (length == 1) {
      AppendCharacter(out, lead);
    } else if (length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      AppendUnicodeEscape(out, static_cast<unsigned char>(text[i + 1]));
    } else {
      out.append(text, i, length);
    }
    i += length;
  }
  out += '"';
  return out;
}

namespace {

// Writes the members of one JSON object, commas and all.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
  ~JsonObject() { out_ += '}'; }
  JsonObject(const JsonObject&) = delete;
  JsonObject& operator=(const JsonObject&) = delete;

  std::string& Key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
    return out_;
  }
  void Text(const char* name, std::string_view value) { Key(name) += JsonString(value); }
  void Number(const char* name, long long value) { Key(name) += std::to_string(value); }
  void Bool(const char* name, bool value) { Key(name) += value ? "true" : "false"; }

 private:
  std::string& out_;
  bool first_ = true;
};

// Records 1 to count of a table, in order, each an object of its fields in
// record order: texts as strings, numbers as numbers.
void WriteTable(JsonObject& tables, const TableDescriptor& table, const MissionState& state) {
  std::string& out = tables.Key(table.Name);
  out += '[';
  const int count = table.Count(state);
  for (int number = 1; number <= count; ++number) {
    if (number > 1) out += ',';
    JsonObject record(out);
    for (int field = 0; field < table.FieldCount; ++field) {
      const FieldDescriptor& descriptor = table.Fields[field];
      const std::string text = table.Text(state, number, field);
      record.Key(descriptor.Name) += descriptor.Kind == FieldKind::Number ? text : JsonString(text);
    }
  }
  out += ']';
}

}  // namespace

std::string JsonTables(const MissionState& state) {
  std::string out;
  {
    JsonObject tables(out);
    for (int table = 0; table < TableDescriptorCount; ++table) WriteTable(tables, TableDescriptors()[table], state);
  }
  return out;
}

std::string JsonReport(const std::string& file, const MissionState& state, const VerifyResult& result) {
  std::string out;
  {
    JsonObject report(out);
    report.Key("file") += JsonPathString(file);
    report.Bool("ok", result.MissionOk);
    report.Number("code", state.ErrNo);
    report.Number("line", state.LineNo);
    report.Text("message", state.ErrMsg);
    report.Text("statement", result.LocateText);
    report.Number("pass", result.LastPass);
    report.Bool("triggers_found", state.TriggersFound);
    report.Key("tables") += JsonTables(state);
  }
  return out;
}

}  // namespace tolvane::cli
