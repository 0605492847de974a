// The rogue-character view: blanks and tabs shown by painted marks while the
// text stays as it is, with the menus, the status bar, the caret, undo, the
// modified flag, the clipboard, saving and printing.

#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QPrinter>
#include <QTest>

#include "editor_test_support.h"

using namespace tolvane;

namespace {

QByteArray NumberedLines(int count) {
  QByteArray bytes;
  for (int line = 1; line <= count; ++line) bytes += "  .Line " + QByteArray::number(line) + "\tvalue\r\n";
  return bytes;
}

// The rogue marks painted in view: position in the text and mark.
QList<QPair<int, QString>> MarksInView(TEditForm* form) {
  QList<QPair<int, QString>> marks;
  for (const MissionEditor::PaintedMark& mark : form->Editor->MarksIn(form->Editor->viewport()->rect()))
    if (!mark.IsCode) marks.append({mark.Position, mark.Shown});
  return marks;
}

// Pixels of the marks' red in the text area as it is drawn.
int RedPixels(TEditForm* form) {
  const QImage image = form->Editor->viewport()->grab().toImage();
  int red = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.red() > 150 && colour.green() < 90 && colour.blue() < 90) ++red;
    }
  return red;
}

// Menus, flag and status bar agree with each other and with `on`.
void ExpectMarking(EditorWorld& world, TEditForm* form, bool on) {
  QCOMPARE(form->Document->RogueMarking, on);
  QCOMPARE(form->Editor->rogueMarking(), on);
  QCOMPARE(form->TurnOnRogueCheck1->isEnabled(), !on);
  QCOMPARE(form->TurnOffRogueCheck1->isEnabled(), on);
  QCOMPARE(world.frame->StatusText(1), on ? QString("  Space = @   Tab = # ") : QString(22, ' '));
}

}  // namespace

class RogueViewTest : public QObject {
  Q_OBJECT

 private slots:
  void marksArePaintedOverTheUnchangedText() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("marks.mis", "\t.Speed 300\r\n  .EndString ; #1 @ dawn\r\n"));
    const QString text = EditorWorld::Text(form);
    QCOMPARE(RedPixels(form), 0);

    form->TurnOnRogueCheck1->trigger();
    ExpectMarking(world, form, true);
    QCOMPARE(EditorWorld::Text(form), text);
    // A "#" at the tab, an "@" over each blank; the "#" and "@" of the text are no marks.
    const QList<QPair<int, QString>> marks = MarksInView(form);
    QCOMPARE(marks.mid(0, 4), (QList<QPair<int, QString>>{{0, "#"}, {7, "@"}, {12, "@"}, {13, "@"}}));
    QCOMPARE(marks.size(), 8);
    QVERIFY(RedPixels(form) > 0);

    form->TurnOffRogueCheck1->trigger();
    ExpectMarking(world, form, false);
    QCOMPARE(EditorWorld::Text(form), text);
    QVERIFY(MarksInView(form).isEmpty());
    QCOMPARE(RedPixels(form), 0);
  }

  void markingIsNoEditAndUndoStepsOverIt() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("undo.mis", NumberedLines(200)));
    QTextDocument* document = form->Editor->document();
    const QString original = EditorWorld::Text(form);
    form->Editor->setFocus();

    // Turned on in a saved text, then Undo: nothing changes at all.
    EditorWorld::PutCaret(form, 40, 3);
    form->TurnOnRogueCheck1->trigger();
    QCOMPARE(document->availableUndoSteps(), 0);
    QTest::keyClick(form->Editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(EditorWorld::Text(form), original);
    QVERIFY(!document->isModified());
    ExpectMarking(world, form, true);
    QCOMPARE(form->CaretLine, 40);
    QVERIFY(form->Editor->textCursor().atBlockEnd());

    // Typing while marked, then off, then Undo: the typing goes, the marking stays off.
    QTest::keyClicks(form->Editor, "x");
    QVERIFY(document->isModified());
    form->TurnOffRogueCheck1->trigger();
    QVERIFY(document->isModified());
    QCOMPARE(document->availableUndoSteps(), 1);
    QTest::keyClick(form->Editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(EditorWorld::Text(form), original);
    QVERIFY(!document->isModified());
    ExpectMarking(world, form, false);
    QTest::keyClick(form->Editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(EditorWorld::Text(form).contains(".Line 40\tvaluex\n"));
    ExpectMarking(world, form, false);

    // Turned off, the caret also ends at the end of its line.
    EditorWorld::PutCaret(form, 7, 1);
    form->TurnOnRogueCheck1->trigger();
    EditorWorld::PutCaret(form, 7, 1);
    form->TurnOffRogueCheck1->trigger();
    const QTextCursor caret = form->Editor->textCursor();
    QCOMPARE(caret.blockNumber(), 6);
    QVERIFY(caret.atBlockEnd());
    QVERIFY(!caret.hasSelection());
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 7 : %1").arg(caret.positionInBlock() + 1));
  }

  void aLargeTextIsMarkedWithoutAnyEdit() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("large.mis", NumberedLines(200000)));
    QTextDocument* document = form->Editor->document();
    const int revision = document->revision();
    form->TurnOnRogueCheck1->trigger();
    form->TurnOffRogueCheck1->trigger();
    form->TurnOnRogueCheck1->trigger();
    QCOMPARE(document->revision(), revision);
    QCOMPARE(document->availableUndoSteps(), 0);
    QVERIFY(!document->isModified());
    QCOMPARE(form->CaretLine, 1);
    QVERIFY(!MarksInView(form).isEmpty());
  }

  void saveWhileMarkingWritesBlanksAndTabs() {
    EditorWorld world;
    // Byte 160 is no blank: it gets no mark and is saved as it was.
    const QString path = world.Mission("save.mis", QByteArray("\t.Name Red") + char(0xA0) + "Leader\r\n");
    TEditForm* form = world.Open(path);
    form->Rogue().TurnOnRogueCheckCommand();
    QCOMPARE(MarksInView(form), (QList<QPair<int, QString>>{{0, "#"}, {6, "@"}}));
    form->Editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Editor, ";@ \tok");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), QByteArray("\t.Name Red") + char(0xA0) + "Leader\r\n;@ \tok");
    ExpectMarking(world, form, true);
    QVERIFY(!form->Editor->document()->isModified());
    // Closing right after the save asks nothing.
    QPointer<TEditForm> guard(form);
    EditorWorld::Close(form);
    QVERIFY(guard.isNull());
  }

  void clipboardAndPrintTakeTheTextAsItIs() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("clip.mis", "one two\tthree\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Editor->setFocus();
    QTextCursor cursor(form->Editor->document());
    cursor.setPosition(3);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    form->Editor->setTextCursor(cursor);
    QTest::keyClick(form->Editor, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString(" two\t"));
    QTest::keyClick(form->Editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(EditorWorld::Text(form), QString("onethree\n"));
    QTest::keyClick(form->Editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form->Editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(EditorWorld::Text(form), QString("one two\t two\tthree\n"));
    ExpectMarking(world, form, true);

    const QString pdf = world.dir.filePath("print.pdf");
    form->Files().PrintDialogHook = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    form->Files().Print1Click();
    QVERIFY(QFileInfo(pdf).size() > 0);
    ExpectMarking(world, form, true);
  }

  void exitTakesTheMarkingOff() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("exit.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Editor->moveCursor(QTextCursor::End);
    form->Editor->insertPlainText("x");
    world.dialogs.queueAnswer(Answer::Cancel);  // the program stays
    form->Exit1Click();
    EditorWorld::Settle();
    ExpectMarking(world, form, false);
    QCOMPARE(EditorWorld::Text(form), QString("a b\nx"));
  }
};

QTEST_MAIN(RogueViewTest)
#include "rogue_view_test.moc"
