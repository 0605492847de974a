// What the Qt layer does with Tolvane.INI: the text area look it applies,
// the Font and Color commands, custom colours, and what is written back.

#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "display_commands.h"
#include "display_settings.h"
#include "font_dialog.h"
#include "scripted_dialogs.h"
#include "settings_file.h"
#include "editor_test_support.h"

using namespace tolvane;

namespace {

const std::string SampleFile =
    "[MISSION FOLDER]\r\n/home/pilot/Skyrend Missions/ \r\n\r\n"
    "[FONT]\r\nCourier New\r\n10\r\n16777215\r\nBold\r\n\r\n"
    "[COLOR]\r\n8388608\r\nColorA=0000FF\r\nColorB=00FF00\r\nColorC=FF0000\r\n"
    "ColorD=FFFFFF\r\nColorE=FFFFFF\r\nColorF=FFFFFF\r\nColorG=FFFFFF\r\nColorH=FFFFFF\r\n"
    "ColorI=FFFFFF\r\nColorJ=FFFFFF\r\nColorK=FFFFFF\r\nColorL=FFFFFF\r\nColorM=FFFFFF\r\n"
    "ColorN=FFFFFF\r\nColorO=FFFFFF\r\nColorP=123456\r\n\r\n";

void WriteFile(const QString& path, const std::string& bytes) {
  QVERIFY(WriteBytes(path, QByteArray::fromStdString(bytes)));
}

std::string ReadFile(const QString& path) { return ReadBytes(path).toStdString(); }

}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT

 private slots:
  void writesTheFolderLineBackByteForByte();
  void appliesTheSettingsToATextArea();
  void fontChoicesAreAppliedAndRemembered();
  void backgroundCommandTakesTheAreasLookFirst();
  void customColorsLoadByLetterAndSaveInOrder();
  void aFailedWriteIsReportedAndTheFileKept();
};

void SettingsFileTest::writesTheFolderLineBackByteForByte() {
  // Blanks, non-ASCII and backslashes survive a load and save; a Latin-1
  // line is written back as UTF-8. The file ends with one empty line.
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const std::string folders[][2] = {{"  /home/pilot/My Missions/  ", "  /home/pilot/My Missions/  "},
                                    {"/home/pilot/Einsätze/", "/home/pilot/Einsätze/"},
                                    {"C:\\Missions\\", "C:\\Missions\\"},
                                    {"/latin1/\xe9t\xe9/", "/latin1/\xc3\xa9t\xc3\xa9/"}};
  for (const auto& folder : folders) {
    WriteFile(dir.filePath("Tolvane.INI"),
              "[MISSION FOLDER]\r\n" + folder[0] + "\r\n\r\n[FONT]\r\nArial\r\n10\r\n0\r\nBold\r\n\r\n[COLOR]\r\n0\r\n");
    AppState state;
    state.ProgramFolder = dir.path();
    QCOMPARE(LoadINIFile(state), QString());
    QVERIFY(state.Settings.Loaded);
    ScriptedDialogs dialogs;
    QPlainTextEdit editor;
    DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
    QVERIFY(commands.SaveSettings());
    const std::string written = ReadFile(dir.filePath("Tolvane.INI"));
    const std::string head =
        "[MISSION FOLDER]\r\n" + folder[1] + "\r\n\r\n[FONT]\r\nArial\r\n10\r\n0\r\nBold\r\n\r\n[COLOR]\r\n0\r\nColorA=";
    QVERIFY2(written.rfind(head, 0) == 0, folder[0].c_str());
    QVERIFY(written.size() > 4 && written.compare(written.size() - 4, 4, "\r\n\r\n") == 0);
    QVERIFY(written.find("\r\n\r\n\r\n") == std::string::npos);
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
    for (const char* style : {"Bold", "bold", "Bold ", ""}) {
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
  // and written to the settings file at once. White, the largest colour
  // value, is written and read back whole.
  QFont plainBold("Monospace", 12);
  plainBold.setBold(true);
  dialog->setCurrentFont(plainBold);
  dialog->setColor(QColor(Qt::white));
  dialog->ApplyButton()->click();
  QVERIFY(!form->Editor->font().underline());
  QCOMPARE(settings.FontStyle, QString("Bold"));
  QCOMPARE(settings.FontSize, 12);
  QCOMPARE(settings.FontColor, 16777215);
  QCOMPARE(form->Editor->palette().color(QPalette::Text), QColor(Qt::white));
  QVERIFY(ReadFile(world.dir.filePath("Tolvane.INI")).find("\r\n12\r\n16777215\r\nBold\r\n") != std::string::npos);
  AppState again;
  again.ProgramFolder = world.dir.path();
  QCOMPARE(LoadINIFile(again), QString());
  QPlainTextEdit other;
  ApplyDisplaySettings(&other, again.Settings);
  QCOMPARE(other.palette().color(QPalette::Text), QColor(Qt::white));
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
