#include "display_settings.h"

#include <QColorDialog>
#include <QFile>
#include <QFontInfo>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStringDecoder>

#include "mission_text_io.h"

namespace tolvane {

QColor ColorFromValue(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ColorValue(const QColor& color) {
  QColor rgb = color.toRgb();
  return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QString SettingsText(const std::string& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder.hasError()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return text;
}

std::string SettingsBytes(const QString& text) {
  QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

namespace {

QString IniPath(const AppState& state) { return state.ProgramFile("Tolvane.INI"); }

// Reads Tolvane.INI; an empty text, or why the file could not be read.
QString ReadIniFile(const AppState& state, SettingsFileContents& contents, SettingsReadResult& lines,
                    CustomColorLines* colors) {
  const QString path = IniPath(state);
  const SettingsFileResult read = ReadSettingsFile(QFile::encodeName(path).toStdString(), contents, colors);
  if (!read.File.Ok()) return QString("Cannot open %1: %2").arg(path, QString::fromLocal8Bit(read.File.Reason.c_str()));
  lines = read.Settings;
  return QString();
}

SettingsFileContents ToFile(const DisplaySettings& settings) {
  SettingsFileContents contents;
  contents.MissionFolder = SettingsBytes(settings.MissionFolder);
  contents.FontName = SettingsBytes(settings.FontName);
  contents.FontSize = settings.FontSize;
  contents.FontColor = settings.FontColor;
  contents.FontStyle = SettingsBytes(settings.FontStyle);
  contents.EditorColor = settings.EditorColor;
  return contents;
}

void FromFile(const SettingsFileContents& contents, DisplaySettings& settings) {
  settings.MissionFolder = SettingsText(contents.MissionFolder);
  settings.FontName = SettingsText(contents.FontName);
  settings.FontSize = contents.FontSize;
  settings.FontColor = contents.FontColor;
  settings.FontStyle = SettingsText(contents.FontStyle);
  settings.EditorColor = contents.EditorColor;
}

}  // namespace

QString LoadINIFile(AppState& state) {
  SettingsFileContents contents = ToFile(state.Settings);
  SettingsReadResult result;
  const QString error = ReadIniFile(state, contents, result, nullptr);
  if (!error.isEmpty()) return error;
  FromFile(contents, state.Settings);
  state.Settings.MissionFolderUsable = result.MissionFolderUsable;
  if (!result.Ok) return QString::fromStdString(result.Error);
  // A file cut short holds no colours: black on black would hide the text,
  // so the editor keeps its own look until a Font or Color command.
  if (result.EndedEarly) return QString();
  state.Settings.Loaded = true;
  return QString();
}

void ApplyDisplaySettings(QPlainTextEdit* editor, const DisplaySettings& settings) {
  if (!editor || !settings.Loaded) return;
  QFont font = editor->font();
  if (!settings.FontName.isEmpty()) font.setFamily(settings.FontName);
  if (settings.FontSize > 0) font.setPointSize(settings.FontSize);
  if (settings.FontStyle == "Bold") font.setBold(true);
  editor->setFont(font);

  QPalette palette = editor->palette();
  if (IsColorValue(settings.FontColor)) palette.setColor(QPalette::Text, ColorFromValue(settings.FontColor));
  if (IsColorValue(settings.EditorColor)) palette.setColor(QPalette::Base, ColorFromValue(settings.EditorColor));
  editor->setPalette(palette);
  editor->viewport()->update();
}

CustomColorList::CustomColorList() { values_.fill(0xFFFFFF); }

QColor CustomColorList::Color(int slot) const {
  if (slot < 0 || slot >= CustomColorCount) return QColor();
  return ColorFromValue(values_[slot]);
}

void CustomColorList::SetColor(int slot, const QColor& color) {
  if (slot < 0 || slot >= CustomColorCount || !color.isValid()) return;
  values_[slot] = ColorValue(color);
}

void CustomColorList::SetFromLines(const CustomColorLines& lines) {
  for (const std::string& line : lines) {
    int slot = 0;
    std::uint32_t value = 0;
    if (ParseCustomColorLine(line, slot, value)) values_[slot] = static_cast<int>(value);
  }
}

CustomColorLines CustomColorList::Lines() const {
  CustomColorLines lines;
  for (int slot = 0; slot < CustomColorCount; ++slot)
    lines[slot] = FormatCustomColorLine(slot, static_cast<std::uint32_t>(values_[slot]));
  return lines;
}

void CustomColorList::LoadIntoColorDialog() const {
  for (int slot = 0; slot < CustomColorCount; ++slot) QColorDialog::setCustomColor(slot, Color(slot));
}

void CustomColorList::TakeFromColorDialog() {
  for (int slot = 0; slot < CustomColorCount; ++slot) SetColor(slot, QColorDialog::customColor(slot));
}

void ReadCustomColors(const AppState& state, CustomColorList& colors) {
  SettingsFileContents ignored;
  SettingsReadResult lines;
  CustomColorLines custom;
  if (ReadIniFile(state, ignored, lines, &custom).isEmpty()) colors.SetFromLines(custom);
}

bool SaveSettingsFile(const AppState& state, const CustomColorList& colors, QString& error) {
  std::string bytes = SaveSettings(ToFile(state.Settings), colors.Lines());
  return WriteFileAtomically(IniPath(state), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), error);
}

}  // namespace tolvane
