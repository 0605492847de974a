#pragma once
// Tolvane.INI: reading it (from a file or from bytes) into a plain record and
// writing a record back as bytes. No Qt here, so the reader can be driven by
// anything that makes bytes.
//
// The file is read by line position and section markers, not as name=value
// pairs:
//   1  [MISSION FOLDER]          7  text colour (decimal)
//   2  missions folder path      8  font style text
//   3  empty line                9  empty line
//   4  [FONT]                   10  [COLOR]
//   5  font name                11  background colour (decimal)
//   6  font size (decimal)      12-27  sixteen custom colours "ColorA=RRGGBB"
//   last: an empty line
// Lines end with CR LF when written; LF alone is accepted when read.

#include <array>
#include <cstdint>
#include <string>

#include "file_reader.h"

namespace tolvane {

struct SettingsFileContents {
  std::string MissionFolder;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::int32_t FontColor = 0;  // colour value: red in the lowest byte, then green, then blue
  std::string FontStyle;
  std::int32_t EditorColor = 0;
};

constexpr int CustomColorCount = 16;
using CustomColorLines = std::array<std::string, CustomColorCount>;

struct SettingsReadResult {
  bool Ok = true;
  std::string Error;  // the reason, for the user, when not Ok
  int ErrorLine = 0;  // 1-based line that failed, 0 when none
  // True when the file ended before its background colour line, so the
  // colours (and perhaps the font) were not in it and read as 0.
  bool EndedEarly = false;
  // True when line 1 is "[MISSION FOLDER]" and line 2 names a folder: not
  // empty and free of control characters. An empty or binary file, or one
  // that is not a settings file, holds no usable missions folder; the front
  // ends warn and take the missions folder as empty.
  bool MissionFolderUsable = false;
};

// Reads the folder and the display settings. Lines past the end read as empty
// texts and as 0, without error; a missing "[FONT]" or "[COLOR]" ends its scan
// at the end of the file. A line that should hold a number and does not stops
// the reading there: the fields read before it keep their new values, the
// rest keep the values they had in `out`.
SettingsReadResult LoadINIFile(const std::string& bytes, SettingsFileContents& out);

// The sixteen lines that follow the background colour after "[COLOR]", each
// as written (empty where the file ends early).
CustomColorLines ReadCustomColorLines(const std::string& bytes);

// "ColorA" .. "ColorP" followed by "=" and six hexadecimal digits of a colour
// value, upper case.
std::string FormatCustomColorLine(int slot, std::uint32_t colorValue);
// Reads one custom-colour line: its slot (0 for A .. 15 for P) and value.
// False for anything else.
bool ParseCustomColorLine(const std::string& line, int& slot, std::uint32_t& colorValue);

// The whole file, CR LF line ends, ending with one empty line.
std::string SaveSettings(const SettingsFileContents& settings, const CustomColorLines& customColors);

// The file is a few hundred bytes; of a larger one only this much is read,
// which holds every line the reader uses, even lines far longer than any
// folder or font name.
constexpr std::uint64_t MaxSettingsFileBytes = std::uint64_t(1) << 20;

struct SettingsFileResult {
  ReadResult File;              // reading the file: Missing, NotOrdinary, ... with the system's reason
  SettingsReadResult Settings;  // reading its lines, when the file was read
  bool Ok() const { return File.Ok() && Settings.Ok; }
};

// Reads the settings file at path: the folder and display settings into out,
// as LoadINIFile does, and the sixteen custom-colour lines into colors when
// it is given. Only the first MaxSettingsFileBytes bytes are read. A file that
// is missing, no ordinary file or unreadable leaves out and colors as they
// were, and File says why.
SettingsFileResult ReadSettingsFile(const std::string& path, SettingsFileContents& out, CustomColorLines* colors);

// A colour value names a colour when it lies in 0 .. 0xFFFFFF.
inline bool IsColorValue(std::int64_t value) { return value >= 0 && value <= 0xFFFFFF; }

}  // namespace tolvane
