#pragma once
// One fuzzing round of the settings-file reader: reads the bytes, writes what
// was read and reads that again. Aborts when a read fails without a reason or
// the second read differs. Shared by the fuzzer and the test that replays its
// regression inputs.

#include <cstdlib>
#include <string>

#include "settings_file.h"

namespace tolvane {

inline void SettingsFileFuzzOne(const std::string& bytes) {
  SettingsFileContents first;
  SettingsReadResult result = LoadINIFile(bytes, first);
  if (!result.Ok && (result.Error.empty() || result.ErrorLine < 1)) std::abort();
  CustomColorLines colors = ReadCustomColorLines(bytes);
  std::string written = SaveSettings(first, colors);
  if (!result.Ok) return;
  SettingsFileContents second;
  if (!LoadINIFile(written, second).Ok) std::abort();
  if (second.MissionFolder != first.MissionFolder || second.FontName != first.FontName ||
      second.FontSize != first.FontSize || second.FontColor != first.FontColor ||
      second.FontStyle != first.FontStyle || second.EditorColor != first.EditorColor)
    std::abort();
}

}  // namespace tolvane
