// The rogue-character view: blanks and tabs shown as marks and put back
// exactly, with the caret, the clipboard, saving and undo.

#include <QAction>
#include <QClipboard>
#include <QPrinter>
#include <QTest>

#include "editor_test_support.h"
#include "rogue_characters.h"

using namespace tolvane;

namespace {

QByteArray NumberedLines(int count) {
  QByteArray bytes;
  for (int line = 1; line <= count; ++line) bytes += "  .Line " + QByteArray::number(line) + "\tvalue\r\n";
  return bytes;
}

}  // namespace

class RogueCharactersTest : public QObject {
  Q_OBJECT

 private slots:
  void onShowsMarksAndOffPutsBackTheText() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("marks.mis", "\t.Speed 300\r\n  .EndString\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("#.Speed@300\n@@.EndString\n"));
    QVERIFY(form->Document->RogueMarking);
    QVERIFY(!form->TurnOnRogueCheck1->isEnabled());
    QVERIFY(form->TurnOffRogueCheck1->isEnabled());
    QCOMPARE(world.frame->StatusText(1), QString("  Space = @   Tab = # "));

    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("\t.Speed 300\n  .EndString\n"));
    QVERIFY(!form->Document->RogueMarking);
    QVERIFY(form->TurnOnRogueCheck1->isEnabled());
    QVERIFY(!form->TurnOffRogueCheck1->isEnabled());
    QCOMPARE(world.frame->StatusText(1), QString(22, ' '));
  }

  void atAndHashInTheTextStayAsTheyAre() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("signs.mis", "; note #1 @ dawn\r\n.Tag\t#7@\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString(";@note@#1@@@dawn\n.Tag##7@\n"));
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("; note #1 @ dawn\n.Tag\t#7@\n"));
    QVERIFY(!HasRogueMarks(*form->Editor->document()));
  }

  void typedSignsBesideMarksStayAsTheyAre() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("typed.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    // Caret right after the mark that stands for the blank.
    EditorWorld::PutCaret(form, 1, 3);
    QTest::keyClicks(form->Editor, "@#x");
    QCOMPARE(EditorWorld::Text(form), QString("a@@#xb\n"));
    // A blank and a tab typed while the view is on are blanks and tabs.
    QTest::keyClick(form->Editor, Qt::Key_Space);
    QTest::keyClick(form->Editor, Qt::Key_Tab);
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("a @#x \tb\n"));
  }

  void typingOverASelectionOfMarksMakesPlainText() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("over.mis", "a  b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    QTextCursor cursor(form->Editor->document());
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    form->Editor->setTextCursor(cursor);
    QTest::keyClicks(form->Editor, "@");
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("a@b\n"));
  }

  void caretEndsAtTheEndOfItsLine() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("long.mis", NumberedLines(100)));
    EditorWorld::PutCaret(form, 40, 3);
    form->Rogue().TurnOnRogueCheckCommand();
    QTextCursor caret = form->Editor->textCursor();
    QCOMPARE(caret.blockNumber(), 39);
    QVERIFY(caret.atBlockEnd());
    QVERIFY(!caret.hasSelection());
    QCOMPARE(form->CaretLine, 40);

    EditorWorld::PutCaret(form, 7, 1);
    form->Rogue().TurnOffRogueCheckCommand();
    caret = form->Editor->textCursor();
    QCOMPARE(caret.blockNumber(), 6);
    QVERIFY(caret.atBlockEnd());
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 7 : %1").arg(caret.positionInBlock() + 1));
  }

  void eachRewriteIsOneUndoStep() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("undo.mis", NumberedLines(2000)));
    QTextDocument* document = form->Editor->document();
    const QString original = EditorWorld::Text(form);
    form->Rogue().TurnOnRogueCheckCommand();
    const QString marked = EditorWorld::Text(form);
    QVERIFY(marked != original);
    document->undo();
    QCOMPARE(EditorWorld::Text(form), original);
    QVERIFY(!document->isUndoAvailable());
    document->redo();
    QCOMPARE(EditorWorld::Text(form), marked);
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), original);
    document->undo();
    QCOMPARE(EditorWorld::Text(form), marked);
    document->undo();
    QCOMPARE(EditorWorld::Text(form), original);
  }

  void undoingADeletedMarkBringsBackTheMark() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("back.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    EditorWorld::PutCaret(form, 1, 3);
    QTest::keyClick(form->Editor, Qt::Key_Backspace);
    QCOMPARE(EditorWorld::Text(form), QString("ab\n"));
    QTest::keyClick(form->Editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(EditorWorld::Text(form), QString("a@b\n"));
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("a b\n"));
  }

  void markingLeavesTheModifiedFlag() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("flag.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Rogue().TurnOffRogueCheckCommand();
    QVERIFY(!form->Editor->document()->isModified());
    form->Editor->insertPlainText("x");
    form->Rogue().TurnOnRogueCheckCommand();
    QVERIFY(form->Editor->document()->isModified());
  }

  void saveWritesBlanksAndTabsAndKeepsTheMarks() {
    EditorWorld world;
    const QString path = world.Mission("save.mis", "\t.Name Red Leader\r\n");
    TEditForm* form = world.Open(path);
    form->Rogue().TurnOnRogueCheckCommand();
    form->Editor->moveCursor(QTextCursor::End);
    form->Editor->insertPlainText(";@ok");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), QByteArray("\t.Name Red Leader\r\n;@ok"));
    QCOMPARE(EditorWorld::Text(form), QString("#.Name@Red@Leader\n;@ok"));
    QVERIFY(form->Document->RogueMarking);
    QVERIFY(form->TurnOffRogueCheck1->isEnabled());
    QVERIFY(!form->Editor->document()->isModified());
    // Closing right after the save asks nothing.
    QPointer<TEditForm> guard(form);
    EditorWorld::Close(form);
    QVERIFY(guard.isNull());
  }

  void clipboardCarriesBlanksAndTabs() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("clip.mis", "a b\tc\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Selectall1Click();
    form->Copy1Click();
    QCOMPARE(QApplication::clipboard()->text(), QString("a b\tc\n"));
    QCOMPARE(EditorWorld::Text(form), QString("a@b#c\n"));

    // Pasted blanks and tabs show as marks and go back with the rest.
    form->Editor->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText("d e@\r\nf\tg");
    form->Paste1Click();
    QCOMPARE(EditorWorld::Text(form), QString("a@b#c\nd@e@\nf#g"));
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("a b\tc\nd e@\nf\tg"));
  }

  void cutTakesTheSelectionAsItStandsFor() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("cut.mis", "one two three\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    QTextCursor cursor(form->Editor->document());
    cursor.setPosition(3);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    form->Editor->setTextCursor(cursor);
    form->Cut1Click();
    QCOMPARE(QApplication::clipboard()->text(), QString(" two "));
    QCOMPARE(EditorWorld::Text(form), QString("onethree\n"));
    QVERIFY(form->Document->RogueMarking);
  }

  void clipboardKeysGoThroughTheWindowsCommands() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("keys.mis", "one two\tthree\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
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
    QCOMPARE(EditorWorld::Text(form), QString("one@two#@two#three\n"));
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("one two\t two\tthree\n"));
  }

  void printKeepsTheMarksInTheWindow() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("print.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Files().PrintDialogHook = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(world.dir.filePath("print.pdf"));
      return true;
    };
    form->Files().Print1Click();
    QCOMPARE(EditorWorld::Text(form), QString("a@b\n"));
    QVERIFY(form->Document->RogueMarking);
    QVERIFY(QFile::exists(world.dir.filePath("print.pdf")));
  }

  void exitTakesTheMarkingOff() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("exit.mis", "a b\r\n"));
    form->Rogue().TurnOnRogueCheckCommand();
    form->Editor->insertPlainText("x");
    world.dialogs.queueAnswer(Answer::Cancel);  // the program stays
    form->Exit1Click();
    EditorWorld::Settle();
    QVERIFY(!form->Document->RogueMarking);
    QVERIFY(form->TurnOnRogueCheck1->isEnabled());
    QCOMPARE(EditorWorld::Text(form), QString("a bx\n"));
  }

  void unmarkedTextOfARange() {
    QTextDocument document;
    document.setPlainText("x y\nz");
    MarkRogueCharacters(document);
    QCOMPARE(document.toPlainText(), QString("x@y\nz"));
    QCOMPARE(UnmarkedText(document), QString("x y\nz"));
    QCOMPARE(UnmarkedText(document, 1, 5), QString(" y\nz"));
    QCOMPARE(UnmarkedText(document, 2, 2), QString());
    // Marking twice keeps the first marks as marks.
    MarkRogueCharacters(document);
    UnmarkRogueCharacters(document);
    QCOMPARE(document.toPlainText(), QString("x y\nz"));
  }

  void byteOneSixtyIsNoBlank() {
    EditorWorld world;
    const QByteArray bytes = QByteArray("a") + char(0xA0) + "b c\r\n";
    const QString path = world.Mission("nbsp.mis", bytes);
    TEditForm* form = world.Open(path);
    form->Rogue().TurnOnRogueCheckCommand();
    QCOMPARE(UnmarkedText(*form->Editor->document()), QString::fromLatin1(bytes).remove('\r'));
    form->Rogue().TurnOffRogueCheckCommand();
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), bytes);
  }
};

QTEST_MAIN(RogueCharactersTest)
#include "rogue_characters_test.moc"
