#pragma once
// The display settings on the Qt side: Tolvane.INI read into the shared
// state, the settings applied to a document's text area, the sixteen custom
// colours of a document's colour dialog, and the document window's Font and
// Color commands, which write the file through at once.
//
// A document window owns one DisplaySettingsCommands and calls it from its
// SetFont, SetCustomColors, Font1Click, FontDialog1Apply and Color1Click.

#include <QColor>
#include <QObject>
#include <QString>

#include <array>
#include <string>

#include "app_state.h"
#include "settings_file.h"
#include "user_dialogs.h"

class QPlainTextEdit;
class QWidget;

namespace tolvane {

class FontDialogWithApply;

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

class DisplaySettingsCommands : public QObject {
  Q_OBJECT

 public:
  DisplaySettingsCommands(QWidget* window, QPlainTextEdit* editor, AppState& state, UserDialogs& dialogs);

  // SetFont: applies the settings to the text area and puts the font and
  // colour dialogs on the area's current look.
  void SetFont();
  // SetCustomColors: the custom colours from Tolvane.INI. A missing or
  // unreadable file leaves the list as it is and is no error.
  void SetCustomColors();

  // The window's commands. Each shows its dialog; on confirmation the text
  // area changes at once and Tolvane.INI is rewritten.
  void Font1Click();
  void FontDialog1Apply();
  void Color1Click();

  // What the dialogs do once the user has chosen.
  void ApplyChosenFont(const QFont& font, const QColor& textColor);
  void ApplyChosenBackground(const QColor& background);

  // Rewrites Tolvane.INI from the settings and this window's custom colours.
  // A failed write is reported with its own text; the file is then unchanged.
  bool SaveSettings();

  CustomColorList& CustomColors() { return customColors_; }
  FontDialogWithApply* FontDialog1();
  QColor ColorDialogColor() const { return colorDialogColor_; }

 private:
  // Before the first command changes settings that never came from the
  // file, they take the text area's present look, so nothing written is a
  // meaningless 0.
  void TakeLookIfNotLoaded();

  QWidget* window_;
  QPlainTextEdit* editor_;
  AppState& state_;
  UserDialogs& dialogs_;
  FontDialogWithApply* fontDialog_ = nullptr;
  QColor colorDialogColor_;
  CustomColorList customColors_;
};

}  // namespace tolvane
