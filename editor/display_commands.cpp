#include "display_commands.h"

#include <QColorDialog>
#include <QFontInfo>
#include <QPalette>
#include <QPlainTextEdit>

#include "font_dialog.h"

namespace tolvane {

DisplaySettingsCommands::DisplaySettingsCommands(QWidget* window, QPlainTextEdit* editor, AppState& state,
                                                 UserDialogs& dialogs)
    : QObject(window), window_(window), editor_(editor), state_(state), dialogs_(dialogs) {
  if (editor_) colorDialogColor_ = editor_->palette().color(QPalette::Base);
}

FontDialogWithApply* DisplaySettingsCommands::FontDialog1() {
  if (!fontDialog_) {
    fontDialog_ = new FontDialogWithApply(window_);
    connect(fontDialog_, &FontDialogWithApply::Apply, this, &DisplaySettingsCommands::FontDialog1Apply);
  }
  return fontDialog_;
}

void DisplaySettingsCommands::SetFont() {
  if (!editor_) return;
  ApplyDisplaySettings(editor_, state_.Settings);
  FontDialog1()->setCurrentFont(editor_->font());
  FontDialog1()->setColor(editor_->palette().color(QPalette::Text));
  colorDialogColor_ = editor_->palette().color(QPalette::Base);
}

void DisplaySettingsCommands::SetCustomColors() { ReadCustomColors(state_, customColors_); }

void DisplaySettingsCommands::Font1Click() {
  if (!editor_) return;
  FontDialogWithApply* dialog = FontDialog1();
  dialog->setCurrentFont(editor_->font());
  dialog->setColor(editor_->palette().color(QPalette::Text));
  if (dialog->exec() == QDialog::Accepted) ApplyChosenFont(dialog->currentFont(), dialog->color());
}

void DisplaySettingsCommands::FontDialog1Apply() {
  if (!fontDialog_) return;
  ApplyChosenFont(fontDialog_->currentFont(), fontDialog_->color());
}

void DisplaySettingsCommands::Color1Click() {
  if (!editor_) return;
  QColorDialog dialog(colorDialogColor_, window_);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  customColors_.LoadIntoColorDialog();
  int result = dialog.exec();
  customColors_.TakeFromColorDialog();
  if (result == QDialog::Accepted) ApplyChosenBackground(dialog.currentColor());
}

void DisplaySettingsCommands::TakeLookIfNotLoaded() {
  DisplaySettings& settings = state_.Settings;
  if (settings.Loaded || !editor_) return;
  QFont font = editor_->font();
  settings.FontName = font.family();
  settings.FontSize = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
  if (font.bold() && !font.italic()) settings.FontStyle = "Bold";
  settings.FontColor = ColorValue(editor_->palette().color(QPalette::Text));
  settings.EditorColor = ColorValue(editor_->palette().color(QPalette::Base));
  settings.Loaded = true;
}

void DisplaySettingsCommands::ApplyChosenFont(const QFont& font, const QColor& textColor) {
  if (!editor_) return;
  TakeLookIfNotLoaded();
  DisplaySettings& settings = state_.Settings;
  editor_->setFont(font);
  settings.FontName = font.family();
  settings.FontSize = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
  // Only a plain bold choice is remembered as a style; any other keeps the old one.
  if (font.bold() && !font.italic() && !font.underline() && !font.strikeOut()) settings.FontStyle = "Bold";
  if (textColor.isValid()) {
    settings.FontColor = ColorValue(textColor);
    QPalette palette = editor_->palette();
    palette.setColor(QPalette::Text, ColorFromValue(settings.FontColor));
    editor_->setPalette(palette);
  }
  editor_->viewport()->update();
  SaveSettings();
}

void DisplaySettingsCommands::ApplyChosenBackground(const QColor& background) {
  if (!editor_ || !background.isValid()) return;
  TakeLookIfNotLoaded();
  state_.Settings.EditorColor = ColorValue(background);
  QPalette palette = editor_->palette();
  palette.setColor(QPalette::Base, ColorFromValue(state_.Settings.EditorColor));
  editor_->setPalette(palette);
  colorDialogColor_ = ColorFromValue(state_.Settings.EditorColor);
  editor_->viewport()->update();
  SaveSettings();
}

bool DisplaySettingsCommands::SaveSettings() {
  QString error;
  const bool ok = SaveSettingsFile(state_, customColors_, error);
  if (!ok) dialogs_.Inform(window_, error);
  return ok;
}

}  // namespace tolvane
