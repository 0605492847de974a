// Checking as you type: the error of a broken mission found in the
// background a second after typing stops, shown as an underline, a gutter
// mark, a tool tip and in the status bar, and cleared after the fix; only
// document 1 is checked, nothing is written or shown in a message box, a
// result for an older text is dropped, and the menu item's choice is kept
// in the program's own settings.

#include <QAction>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include "editor_test_support.h"
#include "live_check.h"

using namespace tolvane;

namespace {

constexpr int Wait = 20000;  // milliseconds; a check takes a little over one second

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to) {
  const int at = text.indexOf(from);
  if (at >= 0) text.replace(at, from.size(), to);
  return text;
}

QByteArray Broken() {
  return Replaced(EditorWorld::Sample("convoy_homecoming.mis"), ".Side Allied", "\t.Colour Red");
}

bool Settled(TEditForm* form) { return !form->Checking().Pending(); }

}  // namespace

class LiveCheckTest : public QObject {
  Q_OBJECT

 private slots:
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

QTEST_MAIN(LiveCheckTest)
#include "live_check_test.moc"
