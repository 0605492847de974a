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
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::string("<missing>");
  QByteArray data = file.readAll();
  return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void fontDialogOffersTheEffects();
  void readsEveryFieldOfAWrittenFile();
  void writesTheExactLayoutEndingWithOneEmptyLine();
  void findsTheSectionsWhereverTheyStand();
  void readsPastTheEndAsEmptyAndZero();
  void cutAfterEveryLineReadsWhatIsThere();
  void longLinesAreReadWholeAndShownShort();
  void reportsALineThatShouldBeANumber();
  void readsNumbersAfterBlanksAndSkipsTheRest();
  void formatsAndParsesCustomColorLines();
  void readsTheSixteenCustomColorLines();

  void keepsTheFolderLineByteForByte();
  void reportsAMissingFileAndKeepsDefaults();
  void appliesTheSettingsToATextArea();
  void boldOnlyWhenSpelledExactly();
  void leavesTheTextAreaAloneUntilLoaded();
  void whiteTextIsWrittenAndReadBack();
  void onlyAPlainBoldChoiceChangesTheStyle();
  void backgroundCommandTakesTheAreasLookFirst();
  void customColorsLoadByLetterAndSaveInOrder();
  void customColorsWithoutAFileAreNoError();
  void aFailedWriteIsReportedAndTheFileKept();
  void fontDialogOffersSizesEightToTwelve();
};

void SettingsFileTest::readsEveryFieldOfAWrittenFile() {
  SettingsFileContents read;
  SettingsReadResult result = LoadINIFile(SampleFile, read);
  QVERIFY(result.Ok);
  QCOMPARE(read.MissionFolder, std::string("/home/pilot/Skyrend Missions/ "));
  QCOMPARE(read.FontName, std::string("Courier New"));
  QCOMPARE(read.FontSize, 10);
  QCOMPARE(read.FontColor, 16777215);
  QCOMPARE(read.FontStyle, std::string("Bold"));
  QCOMPARE(read.EditorColor, 8388608);
}

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

void SettingsFileTest::findsTheSectionsWhereverTheyStand() {
  // "[FONT]" already on line 3, LF line ends.
  SettingsFileContents read;
  QVERIFY(LoadINIFile("[MISSION FOLDER]\n/m\n[FONT]\nTimes\n9\n255\nItalic\n[COLOR]\n65280\n", read).Ok);
  QCOMPARE(read.FontName, std::string("Times"));
  QCOMPARE(read.FontSize, 9);
  QCOMPARE(read.FontColor, 255);
  QCOMPARE(read.FontStyle, std::string("Italic"));
  QCOMPARE(read.EditorColor, 65280);

  // Extra lines before "[FONT]" and between the style and "[COLOR]" are skipped.
  SettingsFileContents extra;
  QVERIFY(LoadINIFile(Crlf("[MISSION FOLDER]\n/m\n\nnote\n[COLORS]\n [FONT]\n[FONT]\nTimes\n11\n1\nBold\n"
                           "\n[FONT]\nanother note\n[COLOR]\n42\n"),
                      extra)
              .Ok);
  QCOMPARE(extra.FontName, std::string("Times"));
  QCOMPARE(extra.FontSize, 11);
  QCOMPARE(extra.FontStyle, std::string("Bold"));
  QCOMPARE(extra.EditorColor, 42);
}

void SettingsFileTest::readsPastTheEndAsEmptyAndZero() {
  SettingsFileContents read;
  read.FontSize = 99;
  read.EditorColor = 99;
  QVERIFY(LoadINIFile("[MISSION FOLDER]\r\n/only/folder", read).Ok);
  QCOMPARE(read.MissionFolder, std::string("/only/folder"));
  QCOMPARE(read.FontName, std::string());
  QCOMPARE(read.FontSize, 0);
  QCOMPARE(read.EditorColor, 0);

  // No "[COLOR]": the scan ends at the end of the file.
  SettingsFileContents noColor;
  QVERIFY(LoadINIFile("h\nf\n\n[FONT]\nA\n8\n0\nBold\n\nx\n", noColor).Ok);
  QCOMPARE(noColor.FontSize, 8);
  QCOMPARE(noColor.EditorColor, 0);

  SettingsFileContents empty;
  QVERIFY(LoadINIFile("", empty).Ok);
  QCOMPARE(ReadCustomColorLines(""), CustomColorLines{});
}

void SettingsFileTest::cutAfterEveryLineReadsWhatIsThere() {
  // The sample cut after each of its lines in turn: never an error, every
  // field read so far has its value, the rest are empty and 0, and the cut
  // is noticed exactly when the background colour line is missing.
  std::size_t end = 0;
  for (int lines = 0; lines <= 28; ++lines) {
    const std::string cut = SampleFile.substr(0, end);
    SettingsFileContents read;
    read.FontSize = 77;
    SettingsReadResult result = LoadINIFile(cut, read);
    const QByteArray where = QByteArray::number(lines);
    QVERIFY2(result.Ok, where);
    QCOMPARE(result.EndedEarly, lines < 11);
    QCOMPARE(read.MissionFolder, lines >= 2 ? std::string("/home/pilot/Skyrend Missions/ ") : std::string());
    QCOMPARE(read.FontName, lines >= 5 ? std::string("Courier New") : std::string());
    QCOMPARE(read.FontSize, lines >= 6 ? 10 : 0);
    QCOMPARE(read.FontColor, lines >= 7 ? 16777215 : 0);
    QCOMPARE(read.FontStyle, lines >= 8 ? std::string("Bold") : std::string());
    QCOMPARE(read.EditorColor, lines >= 11 ? 8388608 : 0);
    const CustomColorLines colors = ReadCustomColorLines(cut);
    for (int slot = 0; slot < CustomColorCount; ++slot)
      QCOMPARE(colors[slot].empty(), lines < 12 + slot);
    end = SampleFile.find('\n', end) + 1;
  }
}

void SettingsFileTest::longLinesAreReadWholeAndShownShort() {
  const std::string longText(100000, 'k');
  SettingsFileContents read;
  QVERIFY(LoadINIFile("h\n/" + longText + "\n[FONT]\n" + longText + "\n" + std::string(100000, ' ') + "9\n0\n" +
                          longText + "\n[COLOR]\n5\n",
                      read)
              .Ok);
  QCOMPARE(read.MissionFolder.size(), std::size_t(100001));
  QCOMPARE(read.FontName, longText);
  QCOMPARE(read.FontSize, 9);
  QCOMPARE(read.FontStyle, longText);
  QCOMPARE(read.EditorColor, 5);

  // A number line of 100,000 digits is no number; the message shows only
  // its beginning.
  SettingsFileContents bad;
  SettingsReadResult result = LoadINIFile("h\nf\n[FONT]\nA\n" + std::string(100000, '7') + "\n", bad);
  QVERIFY(!result.Ok);
  QCOMPARE(result.ErrorLine, 5);
  QVERIFY(result.Error.size() < 200);
  QVERIFY(result.Error.find("\"" + std::string(40, '7') + "...\"") != std::string::npos);
}

void SettingsFileTest::reportsALineThatShouldBeANumber() {
  SettingsFileContents read;
  read.FontColor = 7;
  SettingsReadResult result = LoadINIFile(Crlf("[MISSION FOLDER]\n/m\n\n[FONT]\nArial\ntwelve\n0\nBold\n"), read);
  QVERIFY(!result.Ok);
  QCOMPARE(result.ErrorLine, 6);
  QVERIFY(QString::fromStdString(result.Error).contains("line 6"));
  QVERIFY(QString::fromStdString(result.Error).contains("\"twelve\""));
  // Fields before the bad line have their values; those after keep theirs.
  QCOMPARE(read.MissionFolder, std::string("/m"));
  QCOMPARE(read.FontName, std::string("Arial"));
  QCOMPARE(read.FontColor, 7);

  SettingsFileContents background;
  result = LoadINIFile(Crlf("h\n/m\n\n[FONT]\nA\n8\n0\nBold\n\n[COLOR]\n#FFFFFF\n"), background);
  QVERIFY(!result.Ok);
  QCOMPARE(result.ErrorLine, 11);
  QCOMPARE(background.FontStyle, std::string("Bold"));
}

void SettingsFileTest::readsNumbersAfterBlanksAndSkipsTheRest() {
  struct Case {
    const char* line;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"  11", true, 11},          {"\t9 points", true, 9},   {"-5", true, -5},  {"+7", true, 7},
      {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},    {"12abc", false, 0},       {"", false, 0},    {"   ", false, 0},
      {"-", false, 0},             {"0x10", false, 0},        {"1e3", false, 0},
  };
  for (const Case& c : cases) {
    SettingsFileContents read;
    SettingsReadResult result = LoadINIFile(std::string("h\nf\n[FONT]\nA\n") + c.line + "\n0\nB\n", read);
    QVERIFY2(result.Ok == c.ok, c.line);
    if (c.ok) QCOMPARE(read.FontSize, c.value);
  }
}

void SettingsFileTest::formatsAndParsesCustomColorLines() {
  QCOMPARE(FormatCustomColorLine(0, 0x0000FF), std::string("ColorA=0000FF"));
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

void SettingsFileTest::readsTheSixteenCustomColorLines() {
  CustomColorLines lines = ReadCustomColorLines(SampleFile);
  QCOMPARE(lines[0], std::string("ColorA=0000FF"));
  QCOMPARE(lines[15], std::string("ColorP=123456"));

  // Fewer lines give empty entries; the scan starts at line 1.
  CustomColorLines few = ReadCustomColorLines("[COLOR]\n0\nColorA=010203\nColorB=040506");
  QCOMPARE(few[0], std::string("ColorA=010203"));
  QCOMPARE(few[1], std::string("ColorB=040506"));
  QCOMPARE(few[2], std::string());
}


// The Qt side.

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

void SettingsFileTest::reportsAMissingFileAndKeepsDefaults() {
  QTemporaryDir dir;
  AppState state;
  state.ProgramFolder = dir.path();
  QString error = LoadINIFile(state);
  QVERIFY(error.contains("Tolvane.INI"));
  QVERIFY(!state.Settings.Loaded);
  QCOMPARE(state.Settings.MissionFolder, QString());
  QCOMPARE(state.Settings.FontSize, 0);

  // A folder where the file should be cannot be read either.
  QVERIFY(QDir(dir.path()).mkdir("Tolvane.INI"));
  QVERIFY(!LoadINIFile(state).isEmpty());
  QVERIFY(!state.Settings.Loaded);
}

void SettingsFileTest::appliesTheSettingsToATextArea() {
  DisplaySettings settings;
  settings.Loaded = true;
  settings.FontName = "Monospace";
  settings.FontSize = 11;
  settings.FontColor = 0x0000FF;    // red
  settings.EditorColor = 0xFF0000;  // blue
  settings.FontStyle = "Bold";
  QPlainTextEdit editor;
  ApplyDisplaySettings(&editor, settings);
  QCOMPARE(editor.font().family(), QString("Monospace"));
  QCOMPARE(editor.font().pointSize(), 11);
  QVERIFY(editor.font().bold());
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(255, 0, 0));
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(0, 0, 255));

  // A value that is no colour value leaves that colour alone.
  settings.FontColor = -2147483624;
  settings.EditorColor = 0x1000000;
  ApplyDisplaySettings(&editor, settings);
  QCOMPARE(editor.palette().color(QPalette::Text), QColor(255, 0, 0));
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(0, 0, 255));
}

void SettingsFileTest::boldOnlyWhenSpelledExactly() {
  DisplaySettings settings;
  settings.Loaded = true;
  settings.FontSize = 10;
  for (const char* style : {"bold", "BOLD", "Bold ", "Regular", ""}) {
    settings.FontStyle = style;
    QPlainTextEdit editor;
    QFont plain = editor.font();
    plain.setBold(false);
    editor.setFont(plain);
    ApplyDisplaySettings(&editor, settings);
    QVERIFY2(!editor.font().bold(), style);
  }
  // Not "Bold": a text area that is bold already stays bold.
  QPlainTextEdit boldEditor;
  QFont bold = boldEditor.font();
  bold.setBold(true);
  boldEditor.setFont(bold);
  settings.FontStyle = "Regular";
  ApplyDisplaySettings(&boldEditor, settings);
  QVERIFY(boldEditor.font().bold());
}

void SettingsFileTest::leavesTheTextAreaAloneUntilLoaded() {
  QPlainTextEdit editor;
  QPalette palette = editor.palette();
  palette.setColor(QPalette::Base, QColor(255, 255, 225));
  editor.setPalette(palette);
  QFont before = editor.font();
  DisplaySettings defaults;  // never read: all 0, black on black if applied
  ApplyDisplaySettings(&editor, defaults);
  QCOMPARE(editor.palette().color(QPalette::Base), QColor(255, 255, 225));
  QCOMPARE(editor.font(), before);
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
  QVERIFY(written.size() >= 4 && written.compare(written.size() - 4, 4, "\r\n\r\n") == 0);
  QVERIFY(written.compare(written.size() - 6, 6, "\r\n\r\n\r\n") != 0);

  AppState again;
  again.ProgramFolder = dir.path();
  QCOMPARE(LoadINIFile(again), QString());
  QCOMPARE(again.Settings.FontColor, 16777215);
  QPlainTextEdit other;
  ApplyDisplaySettings(&other, again.Settings);
  QCOMPARE(other.palette().color(QPalette::Text), QColor(255, 255, 255));
}

void SettingsFileTest::onlyAPlainBoldChoiceChangesTheStyle() {
  QTemporaryDir dir;
  AppState state;
  state.ProgramFolder = dir.path();
  state.Settings.Loaded = true;
  state.Settings.FontStyle = "Regular";
  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);

  QFont font("Monospace", 9);
  font.setBold(true);
  font.setItalic(true);
  commands.ApplyChosenFont(font, QColor(Qt::black));
  QCOMPARE(state.Settings.FontStyle, QString("Regular"));
  QCOMPARE(state.Settings.FontName, QString("Monospace"));
  QCOMPARE(state.Settings.FontSize, 9);
  QVERIFY(editor.font().italic());

  font.setItalic(false);
  font.setBold(false);
  commands.ApplyChosenFont(font, QColor(Qt::black));
  QCOMPARE(state.Settings.FontStyle, QString("Regular"));

  font.setBold(true);
  commands.ApplyChosenFont(font, QColor(Qt::black));
  QCOMPARE(state.Settings.FontStyle, QString("Bold"));

  // The dialog's Apply does the same from the dialog's current choice.
  commands.FontDialog1()->setCurrentFont(QFont("Monospace", 12));
  commands.FontDialog1()->setColor(QColor(0, 128, 0));
  emit commands.FontDialog1()->Apply();
  QCOMPARE(state.Settings.FontSize, 12);
  QCOMPARE(state.Settings.FontColor, 0x008000);
  QVERIFY(ReadFile(dir.filePath("Tolvane.INI")).find("\r\n12\r\n32768\r\n") != std::string::npos);
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
}

void SettingsFileTest::customColorsWithoutAFileAreNoError() {
  QTemporaryDir dir;
  AppState state;
  state.ProgramFolder = dir.path();
  ScriptedDialogs dialogs;
  QPlainTextEdit editor;
  DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
  commands.CustomColors().SetColor(4, QColor(9, 9, 9));
  commands.SetCustomColors();
  QCOMPARE(commands.CustomColors().Color(4), QColor(9, 9, 9));
  QCOMPARE(commands.CustomColors().Color(5), QColor(Qt::white));
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

void SettingsFileTest::fontDialogOffersSizesEightToTwelve() {
  FontDialogWithApply dialog;
  QCOMPARE(dialog.SizeBox()->count(), 5);
  QCOMPARE(dialog.SizeBox()->itemText(0), QString("8"));
  QCOMPARE(dialog.SizeBox()->itemText(4), QString("12"));
  QVERIFY(!dialog.FaceBox()->isEditable());  // installed fonts only

  QFont big("Monospace", 20);
  big.setItalic(true);
  dialog.setCurrentFont(big);
  QCOMPARE(dialog.currentFont().pointSize(), 12);
  QVERIFY(dialog.currentFont().italic());
  QVERIFY(!dialog.currentFont().bold());
  QFont small("Monospace", 6);
  small.setBold(true);
  dialog.setCurrentFont(small);
  QCOMPARE(dialog.currentFont().pointSize(), 8);
  QVERIFY(dialog.currentFont().bold());
  QVERIFY(!dialog.currentFont().italic());

  dialog.setColor(QColor(1, 2, 3));
  QCOMPARE(dialog.color(), QColor(1, 2, 3));
  QSignalSpy applied(&dialog, &FontDialogWithApply::Apply);
  dialog.ApplyButton()->click();
  QCOMPARE(applied.count(), 1);
  QVERIFY(!dialog.result());  // Apply leaves the dialog open, not accepted
}

void SettingsFileTest::fontDialogOffersTheEffects() {
  EditorWorld world;
  TEditForm* form = world.Open(world.Mission("look.mis", ".EndMission\r\n"));
  const QString styleBefore = world.frame->State().Settings.FontStyle;
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

  // The dialog opens on the effects the font has.
  QFont effects = form->Editor->font();
  effects.setUnderline(true);
  dialog->setCurrentFont(effects);
  QVERIFY(underline->isChecked());
  QVERIFY(!strikeOut->isChecked());

  // Bold with an effect is no plain bold: the text area takes it all, the
  // remembered style stays.
  dialog->BoldBox()->setChecked(true);
  strikeOut->setChecked(true);
  dialog->ApplyButton()->click();
  QVERIFY(form->Editor->font().underline());
  QVERIFY(form->Editor->font().strikeOut());
  QCOMPARE(world.frame->State().Settings.FontStyle, styleBefore);

  // Without the effects a bold choice is remembered as "Bold".
  underline->setChecked(false);
  strikeOut->setChecked(false);
  dialog->ApplyButton()->click();
  QVERIFY(!form->Editor->font().underline());
  QCOMPARE(world.frame->State().Settings.FontStyle, QString("Bold"));
}

QTEST_MAIN(SettingsFileTest)

#include "settings_file_test.moc"
