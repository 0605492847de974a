#pragma once
// The display settings on the Qt side: Tolvane.INI read into the shared
// state, the settings applied to a text area, the sixteen custom colours of a
// colour dialog, and the file written back.

#include <QColor>
#include <QString>

#include <array>
#include <string>

#include "app_state.h"
#include "settings_file.h"

class QPlainTextEdit;

namespace tolvane {

// Colour values keep red in the lowest byte, green in the second, blue in the third.
QColor ColorFromValue(int value);
int ColorValue(const QColor& color);

// Texts of the settings file: UTF-8 when the bytes are valid UTF-8 (so a
// folder name comes back byte for byte), Latin-1 otherwise. Written as UTF-8.
QString SettingsText(const std::string& bytes);
std::string SettingsBytes(const QString& text);

// Reads ProgramFolder/Tolvane.INI into state.Settings. Answers an empty text
// when the file was read, otherwise the reason to show the user; the settings
// then keep what was read before the failure and Loaded stays false. A file
// that ends before its background colour is no failure, but Loaded stays
// false too, so the text area keeps its own look.
QString LoadINIFile(AppState& state);

// Applies the settings to a text area: face and size, bold when the style is
// exactly "Bold" (any other style leaves the area's own style), text and
// background colour. Settings not yet loaded change nothing; a value that is
// not a colour value leaves that colour as it is.
void ApplyDisplaySettings(QPlainTextEdit* editor, const DisplaySettings& settings);

// A colour dialog's sixteen custom colours (white until set).
class CustomColorList {
 public:
  CustomColorList();
  QColor Color(int slot) const;
  void SetColor(int slot, const QColor& color);

  // The file's lines, each "ColorA=RRGGBB" style; lines that are not in
  // that form leave their slot as it was.
  void SetFromLines(const CustomColorLines& lines);
  CustomColorLines Lines() const;

  // The Qt colour dialog keeps one list for the whole program; these copy
  // this window's list in before the dialog opens and out after it closes.
  void LoadIntoColorDialog() const;
  void TakeFromColorDialog();

 private:
  std::array<int, CustomColorCount> values_{};
};

// The sixteen custom colours written in Tolvane.INI after the background
// colour. A missing or unreadable file leaves the list as it is.
void ReadCustomColors(const AppState& state, CustomColorList& colors);

// Rewrites Tolvane.INI from the settings and a window's custom colours, in
// one step. False, with the reason in error, when it could not be written;
// the file is then unchanged.
bool SaveSettingsFile(const AppState& state, const CustomColorList& colors, QString& error);

}  // namespace tolvane
