// Tolvane.INI: the byte reader and writer, and the display settings they
// feed (text area look, custom colours, the Font and Color commands).

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

#include "display_commands.h"
#include "display_settings.h"
#include "font_dialog.h"
#include "scripted_dialogs.h"
#include "settings_file.h"
#include "editor_test_support.h"

using namespace tolvane;

namespace {

std::string Crlf(const std::string& lfText) {
  std::string out;
  for (char c : lfText) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

CustomColorLines SixteenColors() {
  CustomColorLines lines;
  for (int slot = 0; slot < CustomColorCount; ++slot) lines[slot] = FormatCustomColorLine(slot, 0xFFFFFF);
  return lines;
}

const std::string SampleFile = Crlf(
    "[MISSION FOLDER]\n"
    "/home/pilot/Skyrend Missions/ \n"
    "\n"
    "[FONT]\n"
    "Courier New\n"
    "10\n"
    "16777215\n"
    "Bold\n"
    "\n"
    "[COLOR]\n"
    "8388608\n"
    "ColorA=0000FF\n"
    "ColorB=00FF00\n"
    "ColorC=FF0000\n"
    "ColorD=FFFFFF\nColorE=FFFFFF\nColorF=FFFFFF\nColorG=FFFFFF\nColorH=FFFFFF\n"
    "ColorI=FFFFFF\nColorJ=FFFFFF\nColorK=FFFFFF\nColorL=FFFFFF\nColorM=FFFFFF\n"
    "ColorN=FFFFFF\nColorO=FFFFFF\nColorP=123456\n"
    "\n");

void WriteFile(const QString& path, const std::string& bytes) {
  QVERIFY(WriteBytes(path, QByteArray::fromStdString(bytes)));
}

std::string ReadFile(const QString& path) { return ReadBytes(path).toStdString(); }

}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void writesTheExactLayoutEndingWithOneEmptyLine();
  void findsTheSectionsAndReadsPastTheEnd();
  void numberLinesAreReadOrReported();
  void formatsAndParsesCustomColorLines();
  void keepsTheFolderLineByteForByte();
  void appliesTheSettingsToATextArea();
  void whiteTextIsWrittenAndReadBack();
  void fontChoicesAreAppliedAndRemembered();
  void backgroundCommandTakesTheAreasLookFirst();
  void customColorsLoadByLetterAndSaveInOrder();
  void aFailedWriteIsReportedAndTheFileKept();
};

void SettingsFileTest::writesTheExactLayoutEndingWithOneEmptyLine() {
  SettingsFileContents settings;
  settings.MissionFolder = "/data/missions";
  settings.FontName = "Arial";
  settings.FontSize = 12;
  settings.FontColor = 16777215;
  settings.FontStyle = "Bold";
  settings.EditorColor = 0;
  std::string bytes = SaveSettings(settings, SixteenColors());

  std::string expected =
      "[MISSION FOLDER]\r\n/data/missions\r\n\r\n[FONT]\r\nArial\r\n12\r\n16777215\r\nBold\r\n\r\n[COLOR]\r\n0\r\n";
  for (int slot = 0; slot < 16; ++slot) expected += std::string("Color") + char('A' + slot) + "=FFFFFF\r\n";
  expected += "\r\n";
  QCOMPARE(bytes, expected);

  // What was written reads back to the same values.
  SettingsFileContents back;
  QVERIFY(LoadINIFile(bytes, back).Ok);
  QCOMPARE(back.MissionFolder, settings.MissionFolder);
  QCOMPARE(back.FontColor, 16777215);
  QCOMPARE(back.EditorColor, 0);
  QCOMPARE(ReadCustomColorLines(bytes), SixteenColors());
}

void SettingsFileTest::findsTheSectionsAndReadsPastTheEnd() {
  // "[FONT]" already on line 3, LF line ends.
  SettingsFileContents read;
  QVERIFY(LoadINIFile("[MISSION FOLDER]\n/m\n[FONT]\nTimes\n9\n255\nItalic\n[COLOR]\n65280\n", read).Ok);
  QCOMPARE(read.FontName, std::string("Times"));
  QCOMPARE(read.FontStyle, std::string("Italic"));
  QCOMPARE(read.EditorColor, 65280);

  // Extra lines before "[FONT]" and between the style and "[COLOR]" are skipped.
  SettingsFileContents extra;
  QVERIFY(LoadINIFile(Crlf("[MISSION FOLDER]\n/m\n\nnote\n[COLORS]\n [FONT]\n[FONT]\nTimes\n11\n1\nBold\n"
                           "\n[FONT]\nanother note\n[COLOR]\n42\n"),
                      extra)
              .Ok);
  QCOMPARE(extra.FontSize, 11);
  QCOMPARE(extra.FontStyle, std::string("Bold"));
  QCOMPARE(extra.EditorColor, 42);

  // No "[COLOR]": the scan ends at the end of the file.
  SettingsFileContents noColor;
  noColor.EditorColor = 99;
  QVERIFY(LoadINIFile("h\nf\n\n[FONT]\nA\n8\n0\nBold\n\nx\n", noColor).Ok);
  QCOMPARE(noColor.FontSize, 8);
  QCOMPARE(noColor.EditorColor, 0);
}

void SettingsFileTest::numberLinesAreReadOrReported() {
  struct Case {
    std::string line;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"  11", true, 11},          {"\t9 points", true, 9},   {"-5", true, -5},  {"+7", true, 7},
      {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},    {"12abc", false, 0},       {"", false, 0},    {"   ", false, 0},
      {"-", false, 0},             {"0x10", false, 0},        {"1e3", false, 0},
      {std::string(100000, '7'), false, 0},
  };
  for (const Case& c : cases) {
    SettingsFileContents read;
    read.FontColor = 7;
    SettingsReadResult result = LoadINIFile("h\n/m\n[FONT]\nA\n" + c.line + "\n0\nB\n", read);
    const std::string shown = c.line.substr(0, 20);
    QVERIFY2(result.Ok == c.ok, shown.c_str());
    if (c.ok) {
      QCOMPARE(read.FontSize, c.value);
      continue;
    }
    // The message names the line and shows only the beginning of a long one;
    // fields before the bad line have their values, those after keep theirs.
    QCOMPARE(result.ErrorLine, 5);
    QVERIFY(QString::fromStdString(result.Error).contains("line 5"));
    QVERIFY(result.Error.size() < 200);
    const std::string quoted = c.line.size() > 40 ? c.line.substr(0, 40) + "..." : c.line;
    QVERIFY2(result.Error.find("\"" + quoted + "\"") != std::string::npos, result.Error.c_str());
    QCOMPARE(read.MissionFolder, std::string("/m"));
    QCOMPARE(read.FontColor, 7);
  }

  SettingsFileContents background;
  SettingsReadResult result = LoadINIFile(Crlf("h\n/m\n\n[FONT]\nA\n8\n0\nBold\n\n[COLOR]\n#FFFFFF\n"), background);
  QVERIFY(!result.Ok);
  QCOMPARE(result.ErrorLine, 11);
  QCOMPARE(background.FontStyle, std::string("Bold"));
}

void SettingsFileTest::formatsAndParsesCustomColorLines() {
  QCOMPARE(FormatCustomColorLine(15, 0xABCDEF), std::string("ColorP=ABCDEF"));
  int slot = -1;
  std::uint32_t value = 0;
  QVERIFY(ParseCustomColorLine("ColorK=00ff80", slot, value));
  QCOMPARE(slot, 10);
  QCOMPARE(value, 0x00FF80u);
  for (const char* bad : {"ColorQ=000000", "Colora=000000", "ColorA=00000", "ColorA=0000000", "ColorA:000000",
                          "colorA=000000", "ColorA=00G000", "", "ColorA=", "ColorA=-12345"}) {
    QVERIFY2(!ParseCustomColorLine(bad, slot, value), bad);
  }
}

void SettingsFileTest::keepsTheFolderLineByteForByte() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const std::string folders[] = {"  /home/pilot/My Missions/  ", "/home/pilot/Einsätze/", "C:\\Missions\\",
                                 "/latin1/\xe9t\xe9/"};
  for (const std::string& folder : folders) {
    WriteFile(dir.filePath("Tolvane.INI"), "[MISSION FOLDER]\r\n" + folder + "\r\n\r\n[FONT]\r\nArial\r\n10\r\n0\r\nBold\r\n\r\n[COLOR]\r\n0\r\n");
    AppState state;
    state.ProgramFolder = dir.path();
    QCOMPARE(LoadINIFile(state), QString());
    QVERIFY(state.Settings.Loaded);
    ScriptedDialogs dialogs;
    QPlainTextEdit editor;
    DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
    QVERIFY(commands.SaveSettings());
    std::string written = ReadFile(dir.filePath("Tolvane.INI"));
    std::string expectedLine = folder;
    if (folder == "/latin1/\xe9t\xe9/") expectedLine = "/latin1/\xc3\xa9t\xc3\xa9/";  // stored as UTF-8
    QVERIFY2(written.rfind("[MISSION FOLDER]\r\n" + expectedLine + "\r\n\r\n[FONT]", 0) == 0, folder.c_str());
    QVERIFY(dialogs.texts.isEmpty());
  }
}

void SettingsFileTest::appliesTheSettingsToATextArea() {
  // Never read: all 0, black on black if applied; the text area is left alone.
  QPlainTextEdit untouched;
  const QFont before = untouched.font();
  const QPalette palette = untouched.palette();
  ApplyDisplaySettings(&untouched, DisplaySettings{});
  QCOMPARE(untouched.font(), before);
  QCOMPARE(untouched.palette(), palette);

  DisplaySettings settings;
  settings.Loaded = true;
  settings.FontName = "Monospace";
  settings.FontSize = 11;
  settings.FontColor = 0x0000FF;    // red: the lowest byte
  settings.EditorColor = 0xFF0000;  // blue
  QPlainTextEdit editor;
  ApplyDisplaySettings(&editor, settings);
  QCOMPARE(editor.font().family(), QString("Monospace"));
  QCOMPARE(editor.font().pointSize(), 11);
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(255, 0, 0));
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(0, 0, 255));
  // A value that is no colour value leaves that colour alone.
  settings.FontColor = -2147483624;
  settings.EditorColor = 0x1000000;
  ApplyDisplaySettings(&editor, settings);
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(255, 0, 0));
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(0, 0, 255));

  // Bold only when spelled exactly; otherwise the area's own weight stays.
  for (bool boldBefore : {false, true}) {
    for (const char* style : {"Bold", "bold", "BOLD", "Bold ", "Regular", ""}) {
      settings.FontStyle = style;
      QPlainTextEdit area;
      QFont font = area.font();
      font.setBold(boldBefore);
      area.setFont(font);
      ApplyDisplaySettings(&area, settings);
      QVERIFY2(area.font().bold() == (boldBefore || settings.FontStyle == "Bold"), style);
    }
  }
}

void SettingsFileTest::whiteTextIsWrittenAndReadBack() {
  QTemporaryDir dir;
  WriteFile(dir.filePath("Tolvane.INI"), SampleFile);
  AppState state;
  state.ProgramFolder = dir.path();
  QCOMPARE(LoadINIFile(state), QString());
  state.Settings.FontColor = 0;

  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
  QFont font = editor.font();
  font.setPointSize(10);
  commands.ApplyChosenFont(font, QColor(Qt::white));
  QCOMPARE(state.Settings.FontColor, 16777215);
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(Qt::white));

  std::string written = ReadFile(dir.filePath("Tolvane.INI"));
  QVERIFY(written.find("\r\n10\r\n16777215\r\nBold\r\n") != std::string::npos);

  AppState again;
  again.ProgramFolder = dir.path();
  QCOMPARE(LoadINIFile(again), QString());
  QCOMPARE(again.Settings.FontColor, 16777215);
  QPlainTextEdit other;
  ApplyDisplaySettings(&other, again.Settings);
  QCOMPARE(other.palette().color(QPalette::Text), QColor(255, 255, 255));
}

void SettingsFileTest::fontChoicesAreAppliedAndRemembered() {
  EditorWorld world;
  TEditForm* form = world.Open(world.Mission("look.mis", ".EndMission\r\n"));
  const DisplaySettings& settings = world.frame->State().Settings;
  const QString styleBefore = settings.FontStyle;
  FontDialogWithApply* dialog = form->Display().FontDialog1();
  auto box = [&](const QString& caption) -> QCheckBox* {
    for (QCheckBox* candidate : dialog->findChildren<QCheckBox*>())
      if (candidate->text() == caption) return candidate;
    return nullptr;
  };
  QCheckBox* underline = box("&Underline");
  QCheckBox* strikeOut = box("Stri&keout");
  QVERIFY(underline);
  QVERIFY(strikeOut);

  // Sizes outside the list are brought into it, the style kept.
  QFont big("Monospace", 20);
  big.setItalic(true);
  dialog->setCurrentFont(big);
  QCOMPARE(dialog->currentFont().pointSize(), 12);
  QVERIFY(dialog->currentFont().italic());
  QFont small("Monospace", 6);
  small.setBold(true);
  dialog->setCurrentFont(small);
  QCOMPARE(dialog->currentFont().pointSize(), 8);
  QVERIFY(dialog->currentFont().bold());

  // The dialog opens on the effects the font has.
  QFont effects = form->Editor->font();
  effects.setUnderline(true);
  dialog->setCurrentFont(effects);
  QVERIFY(underline->isChecked());
  QVERIFY(!strikeOut->isChecked());

  // Bold with an effect is no plain bold: the text area takes it all, the
  // remembered style stays. Apply leaves the dialog open.
  dialog->BoldBox()->setChecked(true);
  strikeOut->setChecked(true);
  dialog->ApplyButton()->click();
  QVERIFY(form->Editor->font().underline());
  QVERIFY(form->Editor->font().strikeOut());
  QCOMPARE(settings.FontStyle, styleBefore);
  QVERIFY(!dialog->result());

  // Bold with italic is no plain bold either.
  underline->setChecked(false);
  strikeOut->setChecked(false);
  QFont italic = dialog->currentFont();
  italic.setItalic(true);
  italic.setBold(true);
  dialog->setCurrentFont(italic);
  dialog->ApplyButton()->click();
  QVERIFY(form->Editor->font().italic());
  QCOMPARE(settings.FontStyle, styleBefore);

  // A plain bold choice is remembered as "Bold", with its size and colour,
  // and written to the settings file at once.
  QFont plainBold("Monospace", 12);
  plainBold.setBold(true);
  dialog->setCurrentFont(plainBold);
  dialog->setColor(QColor(0, 128, 0));
  dialog->ApplyButton()->click();
  QVERIFY(!form->Editor->font().underline());
  QCOMPARE(settings.FontStyle, QString("Bold"));
  QCOMPARE(settings.FontSize, 12);
  QCOMPARE(settings.FontColor, 0x008000);
  QVERIFY(ReadFile(world.dir.filePath("Tolvane.INI")).find("\r\n12\r\n32768\r\nBold\r\n") != std::string::npos);
}

void SettingsFileTest::backgroundCommandTakesTheAreasLookFirst() {
  // Started without a settings file: the first command writes the text
  // area's own look, not zeros, and keeps an empty missions folder.
  QTemporaryDir dir;
  AppState state;
  state.ProgramFolder = dir.path();
  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  QFont font("Monospace", 10);
  editor.setFont(font);
  QPalette palette = editor.palette();
  palette.setColor(QPalette::Text, QColor(0, 0, 128));
  editor.setPalette(palette);
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);

  commands.ApplyChosenBackground(QColor(255, 255, 0));
  QVERIFY(state.Settings.Loaded);
  QCOMPARE(state.Settings.EditorColor, 0x00FFFF);
  QCOMPARE(state.Settings.FontColor, 0x800000);
  QCOMPARE(state.Settings.FontSize, 10);
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(255, 255, 0));
  QCOMPARE(commands.ColorDialogColor(), QColor(255, 255, 0));

  AppState again;
  again.ProgramFolder = dir.path();
  QCOMPARE(LoadINIFile(again), QString());
  QCOMPARE(again.Settings.MissionFolder, QString());
  QCOMPARE(again.Settings.EditorColor, 0x00FFFF);
  QCOMPARE(again.Settings.FontName, state.Settings.FontName);
}

void SettingsFileTest::customColorsLoadByLetterAndSaveInOrder() {
  QTemporaryDir dir;
  std::string file = SampleFile;
  // Swap the order of the first two lines: the letter decides the slot.
  file.replace(file.find("ColorA=0000FF\r\nColorB=00FF00"), 28, "ColorB=00FF00\r\nColorA=0000FF");
  WriteFile(dir.filePath("Tolvane.INI"), file);
  AppState state;
  state.ProgramFolder = dir.path();
  QCOMPARE(LoadINIFile(state), QString());
  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
  commands.SetCustomColors();
  QCOMPARE(commands.CustomColors().Color(0), QColor(255, 0, 0));  // red is the lowest byte
  QCOMPARE(commands.CustomColors().Color(1), QColor(0, 255, 0));
  QCOMPARE(commands.CustomColors().Color(2), QColor(0, 0, 255));
  QCOMPARE(commands.CustomColors().Color(15), QColor(0x56, 0x34, 0x12));

  // Through Qt's colour dialog and back.
  commands.CustomColors().LoadIntoColorDialog();
  QCOMPARE(QColorDialog::customColor(2), QColor(0, 0, 255));
  QColorDialog::setCustomColor(3, QColor(1, 2, 3));
  commands.CustomColors().TakeFromColorDialog();

  QVERIFY(commands.SaveSettings());
  CustomColorLines lines = ReadCustomColorLines(ReadFile(dir.filePath("Tolvane.INI")));
  QCOMPARE(lines[0], std::string("ColorA=0000FF"));
  QCOMPARE(lines[1], std::string("ColorB=00FF00"));
  QCOMPARE(lines[3], std::string("ColorD=030201"));
  QCOMPARE(lines[15], std::string("ColorP=123456"));

  // Without a settings file there is nothing to load and nothing to report.
  QTemporaryDir empty;
  AppState fresh;
  fresh.ProgramFolder = empty.path();
  DisplaySettingsCommands freshCommands(&editor, &editor, fresh, dialogs);
  freshCommands.CustomColors().SetColor(4, QColor(9, 9, 9));
  freshCommands.SetCustomColors();
  QCOMPARE(freshCommands.CustomColors().Color(4), QColor(9, 9, 9));
  QCOMPARE(freshCommands.CustomColors().Color(5), QColor(Qt::white));
  QVERIFY(dialogs.texts.isEmpty());
}

void SettingsFileTest::aFailedWriteIsReportedAndTheFileKept() {
  QTemporaryDir dir;
  AppState state;
  state.ProgramFolder = dir.filePath("no-such-folder");
  state.Settings.Loaded = true;
  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
  commands.ApplyChosenBackground(QColor(10, 20, 30));
  QCOMPARE(dialogs.informed().size(), 1);
  QVERIFY(dialogs.informed().first().contains("Tolvane.INI"));
  QCOMPARE(state.Settings.EditorColor, ColorValue(QColor(10, 20, 30)));  // kept in memory

  // A folder standing where the file should be: nothing is replaced.
  state.ProgramFolder = dir.path();
  QVERIFY(QDir(dir.path()).mkdir("Tolvane.INI"));
  QVERIFY(!commands.SaveSettings());
  QVERIFY(QFileInfo(dir.filePath("Tolvane.INI")).isDir());
  QCOMPARE(dialogs.informed().size(), 2);
}

QTEST_MAIN(SettingsFileTest)

#include "settings_file_test.moc"
