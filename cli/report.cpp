#include "report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tolvane::cli {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  bytes.clear();
  reason.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    reason = std::strerror(errno);
    ::close(fd);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = std::strerror(EISDIR);
    ::close(fd);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      ::close(fd);
      bytes.clear();
      return false;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

std::string LineOfText(std::string_view text, int lineNo) {
  if (lineNo < 1) return std::string();
  std::size_t position = 0;
  for (int number = 1; position < text.size(); ++number) {
    std::size_t end = text.find('\n', position);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (number == lineNo) {
      if (end > position && text[end - 1] == '\r' && end < text.size()) --end;
      return std::string(text.substr(position, end - position));
    }
    position = next;
  }
  return std::string();
}

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindIgnoringCase(std::string_view line, std::string_view statement) {
  if (statement.size() > line.size()) return std::string_view::npos;
  for (std::size_t start = 0; start + statement.size() <= line.size(); ++start) {
    std::size_t i = 0;
    while (i < statement.size() && LowerAscii(line[start + i]) == LowerAscii(statement[i])) ++i;
    if (i == statement.size()) return start;
  }
  return std::string_view::npos;
}

}  // namespace

int StatementColumn(std::string_view line, std::string_view statement) {
  if (statement.empty()) return 1;
  std::size_t at = line.find(statement);
  if (at == std::string_view::npos) at = FindIgnoringCase(line, statement);
  if (at == std::string_view::npos) return 1;
  return static_cast<int>(at) + 1;
}

std::string MessageWithoutTrailingBlank(std::string_view message) {
  if (!message.empty() && message.back() == ' ') message.remove_suffix(1);
  return std::string(message);
}

std::string PlainReport(const std::string& file, const MissionState& state, const VerifyResult& result,
                        std::string_view missionText) {
  if (result.MissionOk) return file + ": ok";
  const int column = StatementColumn(LineOfText(missionText, state.LineNo), result.LocateText);
  return file + ":" + std::to_string(state.LineNo) + ":" + std::to_string(column) +
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

// Length of the valid UTF-8 sequence at position i, 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned minimum = 0;
  unsigned code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; minimum = 0x80; code = lead & 0x1F; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; minimum = 0x800; code = lead & 0x0F; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; minimum = 0x10000; code = lead & 0x07; }
  else return 0;
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
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
  if (!IsValidUtf8(path)) return JsonString(path);
  std::string out;
  out += '"';
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t length = Utf8SequenceLength(path, i);
    if (length == 1) {
      AppendCharacter(out, static_cast<unsigned char>(path[i]));
    } else {
      out.append(path.substr(i, length));
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

  std::string& Key(const char* name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
    return out_;
  }
  template <std::size_t N>
  void Text(const char* name, const ShortText<N>& value) { Key(name) += JsonString(value.view()); }
  void Text(const char* name, std::string_view value) { Key(name) += JsonString(value); }
  void Number(const char* name, long long value) { Key(name) += std::to_string(value); }
  void Bool(const char* name, bool value) { Key(name) += value ? "true" : "false"; }

 private:
  std::string& out_;
  bool first_ = true;
};

void WriteRecord(std::string& out, const AircraftRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("SquadName", r.SquadName);
  o.Text("FlightName", r.FlightName);
  o.Text("Callsign", r.Callsign);
  o.Number("AircraftMark", r.AircraftMark);
  o.Text("Plane1", r.Plane1);
  o.Text("Plane2", r.Plane2);
  o.Text("Plane3", r.Plane3);
  o.Text("Plane4", r.Plane4);
  o.Text("WaySet", r.WaySet);
  o.Text("FlightTag", r.FlightTag);
}

void WriteRecord(std::string& out, const FlightWaypointRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("SquadName", r.SquadName);
  o.Text("FlightName", r.FlightName);
  o.Text("Callsign", r.Callsign);
  o.Text("WaySet", r.WaySet);
  o.Text("WaypointId", r.WaypointId);
}

void WriteRecord(std::string& out, const VehicleRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("ItemType", r.ItemType);
  o.Text("WaySet", r.WaySet);
}

void WriteRecord(std::string& out, const VehicleWaypointRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("WaySet", r.WaySet);
  o.Text("WaypointId", r.WaypointId);
}

void WriteRecord(std::string& out, const DivisionRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("Name", r.Name);
}

void WriteRecord(std::string& out, const StructureRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
}

void WriteRecord(std::string& out, const TriggerRecord& r) {
  JsonObject o(out);
  o.Text("TypeName", r.TypeName);
  o.Text("TriggerName", r.TriggerName);
  o.Text("LinkedTrigger", r.LinkedTrigger);
}

void WriteRecord(std::string& out, const BridgeRecord& r) {
  JsonObject o(out);
  o.Text("BridgeName", r.BridgeName);
  o.Text("TypeName", r.TypeName);
  o.Text("ReferencedBy", r.ReferencedBy);
  o.Text("LineText", r.LineText);
}

void WriteRecord(std::string& out, const TagRecord& r) {
  JsonObject o(out);
  o.Text("TagId", r.TagId);
  o.Text("TypeName", r.TypeName);
  o.Text("Name", r.Name);
  o.Text("FlightName", r.FlightName);
  o.Number("AircraftMark", r.AircraftMark);
  o.Text("Callsign", r.Callsign);
  o.Number("AircraftIndex", r.AircraftIndex);
}

void WriteRecord(std::string& out, const WaySetRecord& r) {
  JsonObject o(out);
  o.Text("SetText", r.SetText);
  o.Number("WaypointCount", r.WaypointCount);
}

// Records 1 to count of a table, in order.
template <typename Table>
void WriteTable(JsonObject& tables, const char* name, const Table& table) {
  std::string& out = tables.Key(name);
  out += '[';
  for (int number = 1; number <= table.count(); ++number) {
    if (number > 1) out += ',';
    WriteRecord(out, table[number]);
  }
  out += ']';
}

}  // namespace

std::string JsonTables(const MissionState& state) {
  std::string out;
  {
    JsonObject tables(out);
    WriteTable(tables, "AircraftTable", state.AircraftTable);
    WriteTable(tables, "FlightWaypointTable", state.FlightWaypointTable);
    WriteTable(tables, "VehicleTable", state.VehicleTable);
    WriteTable(tables, "VehicleWaypointTable", state.VehicleWaypointTable);
    WriteTable(tables, "DivisionTable", state.DivisionTable);
    WriteTable(tables, "StructureTable", state.StructureTable);
    WriteTable(tables, "TriggerTable", state.TriggerTable);
    WriteTable(tables, "BridgeTable", state.BridgeTable);
    WriteTable(tables, "TagTable", state.TagTable);
    WriteTable(tables, "WaySetTable", state.WaySetTable);
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
