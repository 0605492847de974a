#pragma once
// The document window's Font and Color commands, and the display settings
// applied to its text area when it opens a file. Each command shows its
// dialog; on confirmation the text area changes at once and Tolvane.INI is
// rewritten. The window's SetFont, SetCustomColors, Font1Click,
// FontDialog1Apply and Color1Click hand on to this object.

#include <QColor>
#include <QObject>

#include "app_state.h"
#include "display_settings.h"
#include "user_dialogs.h"

class QFont;
class QPlainTextEdit;
class QWidget;

namespace tolvane {

class FontDialogWithApply;

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
