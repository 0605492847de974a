#include "display_settings.h"

#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
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

// The whole file, or the reason it could not be read.
bool ReadWholeFile(const QString& path, std::string& bytes, QString& error) {
  QFile file(path);
  if (!file.exists()) {
    error = QString("Cannot open %1: the file does not exist.").arg(path);
    return false;
  }
  // A pipe would keep the start waiting for a writer.
  const QFileInfo info(path);
  if (!info.isFile() && !info.isDir()) {
    error = QString("Cannot open %1: not an ordinary file").arg(path);
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    error = QString("Cannot open %1: %2").arg(path, file.errorString());
    return false;
  }
  // The file is a few hundred bytes; anything far larger is not read whole.
  const qint64 MaximumSettingsBytes = 1 << 20;
  QByteArray data = file.read(MaximumSettingsBytes);
  if (file.error() != QFileDevice::NoError) {
    error = QString("Cannot read %1: %2").arg(path, file.errorString());
    return false;
  }
  bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
  return true;
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
  std::string bytes;
  QString error;
  if (!ReadWholeFile(IniPath(state), bytes, error)) return error;
  SettingsFileContents contents = ToFile(state.Settings);
  SettingsReadResult result = LoadINIFile(bytes, contents);
  FromFile(contents, state.Settings);
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
  std::string bytes;
  QString error;
  if (!ReadWholeFile(IniPath(state), bytes, error)) return;
  colors.SetFromLines(ReadCustomColorLines(bytes));
}

bool SaveSettingsFile(const AppState& state, const CustomColorList& colors, QString& error) {
  std::string bytes = SaveSettings(ToFile(state.Settings), colors.Lines());
  return WriteFileAtomically(IniPath(state), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), error);
}

}  // namespace tolvane
