#include "settings_file.h"

#include <cstddef>
#include <limits>

namespace tolvane {

namespace {

// Reads the bytes line by line like a text file: a line ends at LF, a CR
// right before it is dropped, a last line without a line end is a line.
// Reading at the end gives an empty line.
class LineReader {
 public:
  explicit LineReader(const std::string& bytes) : bytes_(bytes) {}

  bool AtEnd() const { return position_ >= bytes_.size(); }
  int LineNumber() const { return lineNumber_; }

  std::string ReadLine() {
    ++lineNumber_;
    if (AtEnd()) return std::string();
    std::size_t end = bytes_.find('\n', position_);
    std::size_t next = end == std::string::npos ? bytes_.size() : end + 1;
    if (end == std::string::npos) end = bytes_.size();
    std::size_t length = end - position_;
    if (length > 0 && bytes_[position_ + length - 1] == '\r') --length;
    std::string line = bytes_.substr(position_, length);
    position_ = next;
    return line;
  }

 private:
  const std::string& bytes_;
  std::size_t position_ = 0;
  int lineNumber_ = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A folder line: some text, and no control character in it.
bool IsFolderText(const std::string& line) {
  if (line.empty()) return false;
  for (char c : line) {
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 32 || code == 127) return false;
  }
  return true;
}

// A decimal integer after leading blanks, optionally signed, ended by the
// end of the line or a blank; whatever follows the blank is skipped.
bool ParseLineInteger(const std::string& line, std::int32_t& value) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
    negative = line[i] == '-';
    ++i;
  }
  std::size_t digitsStart = i;
  std::int64_t magnitude = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
    magnitude = magnitude * 10 + (line[i] - '0');
    if (magnitude > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return false;
    ++i;
  }
  if (i == digitsStart) return false;
  if (i < line.size() && !IsBlank(line[i])) return false;
  std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<std::int32_t>::max()) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

// Shows a line in an error message: at most 40 characters, control
// characters as '?'.
std::string Quoted(const std::string& line) {
  std::string shown;
  for (std::size_t i = 0; i < line.size() && i < 40; ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    shown += (c < 32 || c == 127) ? '?' : static_cast<char>(c);
  }
  if (line.size() > 40) shown += "...";
  return "\"" + shown + "\"";
}

// Reads an integer line into `field`. Past the end of the file the value is 0.
bool ReadInteger(LineReader& reader, std::int32_t& field, const char* what, SettingsReadResult& result) {
  if (reader.AtEnd()) {
    reader.ReadLine();
    field = 0;
    return true;
  }
  std::string line = reader.ReadLine();
  std::int32_t value = 0;
  if (!ParseLineInteger(line, value)) {
    result.Ok = false;
    result.ErrorLine = reader.LineNumber();
    result.Error = "Invalid numeric input in Tolvane.INI, line " + std::to_string(reader.LineNumber()) +
                   " (" + what + "): " + Quoted(line) + " is not a whole number.";
    return false;
  }
  field = value;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

SettingsReadResult LoadINIFile(const std::string& bytes, SettingsFileContents& out) {
  SettingsReadResult result;
  LineReader reader(bytes);

  // Line 1 is the folder heading; line 2 the folder; line 3 starts the scan.
  const std::string heading = reader.ReadLine();
  out.MissionFolder = reader.ReadLine();
  result.MissionFolderUsable = heading == "[MISSION FOLDER]" && IsFolderText(out.MissionFolder);
  std::string work = reader.ReadLine();

  while (!reader.AtEnd() && work != "[FONT]") work = reader.ReadLine();

  out.FontName = reader.ReadLine();
  if (!ReadInteger(reader, out.FontSize, "font size", result)) return result;
  if (!ReadInteger(reader, out.FontColor, "text colour", result)) return result;
  out.FontStyle = reader.ReadLine();

  // The work line still holds "[FONT]" in a well-formed file, so the scan
  // starts with the line after the font style.
  while (!reader.AtEnd() && work != "[COLOR]") work = reader.ReadLine();

  result.EndedEarly = reader.AtEnd();
  ReadInteger(reader, out.EditorColor, "background colour", result);
  return result;
}

CustomColorLines ReadCustomColorLines(const std::string& bytes) {
  LineReader reader(bytes);
  std::string work = reader.ReadLine();
  while (!reader.AtEnd() && work != "[COLOR]") work = reader.ReadLine();
  reader.ReadLine();  // the background colour
  CustomColorLines lines;
  for (std::string& line : lines) line = reader.ReadLine();
  return lines;
}

std::string FormatCustomColorLine(int slot, std::uint32_t colorValue) {
  static const char digits[] = "0123456789ABCDEF";
  std::string line = "Color";
  line += static_cast<char>('A' + (slot < 0 ? 0 : slot > 15 ? 15 : slot));
  line += '=';
  for (int shift = 20; shift >= 0; shift -= 4) line += digits[(colorValue >> shift) & 0xF];
  return line;
}

bool ParseCustomColorLine(const std::string& line, int& slot, std::uint32_t& colorValue) {
  // "ColorX=" and exactly six hexadecimal digits.
  if (line.size() != 13 || line.compare(0, 5, "Color") != 0 || line[6] != '=') return false;
  if (line[5] < 'A' || line[5] > 'P') return false;
  std::uint32_t value = 0;
  for (std::size_t i = 7; i < 13; ++i) {
    int digit = HexDigit(line[i]);
    if (digit < 0) return false;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  slot = line[5] - 'A';
  colorValue = value;
  return true;
}

std::string SaveSettings(const SettingsFileContents& settings, const CustomColorLines& customColors) {
  std::string text;
  auto writeLine = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  writeLine("[MISSION FOLDER]");
  writeLine(settings.MissionFolder);
  writeLine("");
  writeLine("[FONT]");
  writeLine(settings.FontName);
  writeLine(std::to_string(settings.FontSize));
  writeLine(std::to_string(settings.FontColor));
  writeLine(settings.FontStyle);
  writeLine("");
  writeLine("[COLOR]");
  writeLine(std::to_string(settings.EditorColor));
  for (const std::string& line : customColors) writeLine(line);
  writeLine("");
  return text;
}

SettingsFileResult ReadSettingsFile(const std::string& path, SettingsFileContents& out, CustomColorLines* colors) {
  SettingsFileResult result;
  std::string bytes;
  result.File = ReadFileStart(path, bytes, MaxSettingsFileBytes);
  if (!result.File.Ok()) return result;
  result.Settings = LoadINIFile(bytes, out);
  if (colors) *colors = ReadCustomColorLines(bytes);
  return result;
}

}  // namespace tolvane
