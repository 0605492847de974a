// The Verify command from the document window, and the browsers it fills:
// the reports, the statement in error selected, the work file, the Objects
// menu, and a browser's click, Find and the search it leaves. Checking as
// you type: the error of a broken mission found in the background, shown as
// an underline, a gutter mark, a tool tip and in the status bar, and cleared
// after the fix; only document 1 is checked, nothing is written or shown in
// a message box, a result for an older text is dropped, and the menu item's
// choice is kept in the program's own settings.

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include "editor_test_support.h"
#include "find_dialogs.h"
#include "live_check.h"
#include "object_browser.h"
#include "search_commands.h"
#include "verify_command.h"

using namespace tolvane;

namespace {

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to) {
  const int at = text.indexOf(from);
  if (at >= 0) text.replace(at, from.size(), to);
  return text;
}

constexpr int Wait = 20000;  // milliseconds; a check as you type takes a little over one second

QByteArray Broken() {
  return Replaced(EditorWorld::Sample("convoy_homecoming.mis"), ".Side Allied", "\t.Colour Red");
}

bool Settled(TEditForm* form) { return !form->Checking().Pending(); }

QString Selected(TEditForm* form) { return form->Editor->textCursor().selectedText(); }

// Clicks the cell of the first row whose column `key` holds `keyText`.
QString ClickCell(ObjectBrowser* browser, int key, const QString& keyText, int column) {
  for (int row = 1; row < browser->Kind().GridRows; ++row) {
    if (browser->Cell(row, key) != keyText) continue;
    browser->SetCurrentCell(row, column);
    browser->StringGrid1Click();
    return browser->Cell(row, column);
  }
  return QString();
}

}  // namespace

class VerifyTest : public QObject {
  Q_OBJECT

 private slots:
  void goodMissionsReportOkAndOpenTheObjectsMenu() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    for (const char* sample : {"harbour_watch.mis", "convoy_homecoming.mis"}) {  // with and without triggers
      TEditForm* form = world.Open(world.Mission(sample, EditorWorld::Sample(sample)));
      QCOMPARE(form->Document->DocumentNumber, 1);
      form->Rogue().TurnOnRogueCheckCommand();
      form->Checker1->trigger();
      QCOMPARE(world.dialogs.informed().last(), QString("Mission Appears To Be Ok !!"));
      QVERIFY(form->MissionObjects1->isVisible());
      QVERIFY(form->Triggers2->isVisible());
      QVERIFY(!form->Document->RogueMarking);
      QVERIFY(!form->Document->IsModified());
      QCOMPARE(EditorWorld::Text(form).toLatin1(), EditorWorld::Sample(sample).replace("\r\n", "\n"));
      EditorWorld::Close(form);
    }
  }

  void passOneErrorSelectsTheStatementOnly() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("bad.mis", Broken()));
    form->Checker1->trigger();
    QCOMPARE(world.dialogs.informed().last(), QString("Unreconized statement or error in statement  at Line No. 24"));
    QCOMPARE(Selected(form), QString(".Colour Red"));
    QCOMPARE(form->CaretLine, 24);
    QCOMPARE(form->Search().FindDialog1()->FindText(), QString(".Colour Red"));
    // Pass two never ran: the work file stays.
    QVERIFY(QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));
    QVERIFY(!form->MissionObjects1->isVisible());
  }

  void passTwoErrorAfterAGoodPassOne() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    const QByteArray text = Replaced(EditorWorld::Sample("harbour_watch.mis"), ".RANDOM 75", ".RANDOM 175");
    TEditForm* form = world.Open(world.Mission("bad.mis", text));
    form->Checker1->trigger();
    const QString report = world.dialogs.informed().last();
    QVERIFY2(report.endsWith(" at Line No. 212"), qPrintable(report));
    QVERIFY(Selected(form).contains("175"));
    QVERIFY(form->MissionObjects1->isVisible());  // pass one filled the tables
    QVERIFY(!QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));  // pass two deleted it
  }

  void unwritableWorkFileRunsNoVerifier() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("ok.mis", EditorWorld::Sample("harbour_watch.mis")));
    // A folder in the work file's place cannot be written, not even by the superuser.
    QVERIFY(QDir(world.dir.path()).mkdir("MissionTemp.fil"));
    form->Checker1->trigger();
    const QString report = world.dialogs.informed().last();
    QVERIFY2(report.contains("MissionTemp.fil"), qPrintable(report));
    QVERIFY(!form->MissionObjects1->isVisible());
  }

  void browserClicksLeaveTheirRequests() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("ok.mis", EditorWorld::Sample("harbour_watch.mis")));
    form->Checker1->trigger();
    AppState& state = world.frame->State();
    ToolWindows& forms = world.frame->Forms();

    form->MissionObjects1->trigger();  // "Flights": Mission Aircraft
    QVERIFY(forms.Form6->isVisible());
    forms.Form6->FormActivate();
    FindRequest& aircraft = state.Request(FindRequestRow::Aircraft);
    const QString plane = ClickCell(forms.Form6, 1, "Flight", 5);
    QCOMPARE(aircraft.Text, ".TagIdentifier " + plane);
    const QString set = ClickCell(forms.Form6, 1, "Flight", 9);
    QCOMPARE(aircraft.Text, ".Set  " + set);
    // A plane's row has a callsign, searched for as it stands.
    const QString callsign = ClickCell(forms.Form6, 0, forms.Form6->Cell(1, 5), 4);
    QVERIFY(!callsign.isEmpty());
    QCOMPARE(aircraft.Text, callsign);

    forms.Form9->FormActivate();
    const QString waypoint = ClickCell(forms.Form9, 5, "2", 5);
    QCOMPARE(state.Request(FindRequestRow::FlightWaypoint).Text, ".ID  " + waypoint);

    // Find hides the browser; the document carries the request out.
    ClickCell(forms.Form6, 1, "Flight", 5);
    forms.Form6->FindButton1->click();
    QVERIFY(!forms.Form6->isVisible());
    QVERIFY(aircraft.Flag);
    form->FormActivate();
    QVERIFY(Selected(form).contains(".TagIdentifier " + plane));
    QVERIFY(!aircraft.Flag);
  }

  void findsTheErrorAndClearsItAfterTheFix() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("bad.mis", Broken()));
    MissionEditor* editor = form->Editor;
    QTRY_VERIFY_WITH_TIMEOUT(editor->HasCheckedError() && Settled(form), Wait);

    QCOMPARE(editor->CheckedErrorLine(), 24);
    QCOMPARE(editor->CheckedErrorStatement().selectedText(), QString(".Colour Red"));
    const QString tip = editor->CheckedErrorToolTip();
    QVERIFY2(QRegularExpression("^Unreconized statement or error in statement \\[\\d+\\]$").match(tip).hasMatch(),
             qPrintable(tip));
    QCOMPARE(world.frame->CheckStatusText(), "Line 24: " + tip);
    // The tool tip over the underlined statement and over the gutter's mark,
    // not elsewhere.
    QTextCursor start = editor->CheckedErrorStatement();
    start.setPosition(start.selectionStart());
    const QRect cell = editor->cursorRect(start);
    QCOMPARE(editor->ToolTipAt(cell.center() + QPoint(3, 0)), tip);
    QCOMPARE(editor->GutterToolTipAt(QPoint(4, cell.center().y())), tip);
    QCOMPARE(editor->ToolTipAt(QPoint(cell.left(), cell.center().y() + 3 * cell.height())), QString());
    QCOMPARE(editor->GutterToolTipAt(QPoint(4, cell.center().y() - 2 * cell.height())), QString());
    // The underline is a wavy one over exactly the statement.
    const QList<QTextEdit::ExtraSelection> shown = editor->extraSelections();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().format.underlineStyle(), QTextCharFormat::WaveUnderline);
    QCOMPARE(shown.first().cursor.selectedText(), QString(".Colour Red"));

    // Nothing written, nothing shown, the Verify command's state untouched.
    QVERIFY(!QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));
    QVERIFY(world.dialogs.informed().isEmpty());
    QCOMPARE(world.frame->State().Mission.ErrNo, 0);
    QVERIFY(!form->MissionObjects1->isVisible());
    QVERIFY(!form->Document->IsModified());

    // The fix, as one edit: the mark goes.
    QTextCursor statement = editor->CheckedErrorStatement();
    statement.insertText(".Side Allied");
    QTRY_VERIFY_WITH_TIMEOUT(!editor->HasCheckedError() && Settled(form), Wait);
    QCOMPARE(world.frame->CheckStatusText(), QString("Checked: no error found"));
    QVERIFY(editor->extraSelections().isEmpty());
    QVERIFY(!QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));

    // The explicit Verify command is as it was.
    form->Checker1->trigger();
    QCOMPARE(world.dialogs.informed().last(), QString("Mission Appears To Be Ok !!"));
  }

  void aResultForAnOlderTextIsDropped() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("good.mis", EditorWorld::Sample("harbour_watch.mis")));
    QTRY_VERIFY_WITH_TIMEOUT(Settled(form), Wait);
    QCOMPARE(world.frame->CheckStatusText(), QString("Checked: no error found"));

    QList<bool> verdicts;
    connect(&form->Checking(), &LiveCheck::Checked, this,
            [&] { verdicts << form->Checking().LastShown().MissionOk; });
    // A broken text checked at once, then changed back before its result
    // can arrive: only the mended text's result is shown.
    EditorWorld::PutCaret(form, 14, 1);
    QTest::keyClicks(form->Editor, "x");
    form->Checking().CheckNow();
    form->Editor->undo();
    QTRY_VERIFY_WITH_TIMEOUT(Settled(form), Wait);
    QCOMPARE(verdicts, QList<bool>{true});
    QVERIFY(!form->Editor->HasCheckedError());
  }

  void documentOneOnlyAndTheChoiceIsKept() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* first = world.Open(world.Mission("good.mis", EditorWorld::Sample("harbour_watch.mis")));
    TEditForm* second = world.Open(world.Mission("bad.mis", Broken()));
    QCOMPARE(second->Document->DocumentNumber, 2);
    QTRY_VERIFY_WITH_TIMEOUT(Settled(first) && Settled(second), Wait);
    QVERIFY(!second->Editor->HasCheckedError());
    QCOMPARE(world.frame->CheckStatusText(), QString());  // the second window is in front

    // Turned off from the menu: what was shown goes, typing checks nothing.
    EditorWorld::Activate(first);
    QVERIFY(first->CheckAsYouType1->isChecked());
    first->CheckAsYouType1->trigger();
    QVERIFY(!first->CheckAsYouType1->isChecked());
    QCOMPARE(world.frame->CheckStatusText(), QString());
    QTest::keyClicks(first->Editor, "x");  // an error on line 1
    QVERIFY(!first->Checking().Pending());
    QVERIFY(!first->Editor->HasCheckedError());
    QCOMPARE(QSettings(world.dir.filePath("TolvaneUser.ini"), QSettings::IniFormat)
                 .value("Editor/CheckAsYouType")
                 .toBool(),
             false);

    // The next start keeps the choice; Tolvane.INI is not touched.
    const QByteArray ini = ReadBytes(world.dir.filePath("Tolvane.INI"));
    {
      ScriptedDialogs dialogs;
      TFrameForm::Options options;
      options.Dialogs = &dialogs;
      options.ProgramFolder = world.dir.path();
      TFrameForm again(options);
      QVERIFY(!again.State().CheckAsYouType);
    }
    QCOMPARE(ReadBytes(world.dir.filePath("Tolvane.INI")), ini);

    // On again: the error typed meanwhile is found.
    first->CheckAsYouType1->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(first->Editor->HasCheckedError() && Settled(first), Wait);
    QCOMPARE(first->Editor->CheckedErrorLine(), 1);
  }

  void errorSpans() {
    int start = -1;
    int length = -1;
    ErrorSpanInLine("\t.Colour Red", ".Colour Red", start, length);
    QCOMPARE((QList<int>{start, length}), (QList<int>{1, 11}));
    ErrorSpanInLine(".trigger", ".TRIGGER", start, length);  // kept upper-cased by the verifier
    QCOMPARE((QList<int>{start, length}), (QList<int>{0, 8}));
    ErrorSpanInLine("  .Speed 300  ", "", start, length);  // no statement: the line's text
    QCOMPARE((QList<int>{start, length}), (QList<int>{2, 10}));
    ErrorSpanInLine(" \t", "", start, length);  // blanks only: all of them
    QCOMPARE((QList<int>{start, length}), (QList<int>{0, 2}));
    ErrorSpanInLine("", ".EndMission", start, length);  // an empty line: the gutter only
    QCOMPARE((QList<int>{start, length}), (QList<int>{0, 0}));
  }
};

QTEST_MAIN(VerifyTest)
#include "verify_test.moc"
