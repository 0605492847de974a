// Colours of mission text: each class of line as the text area shows it,
// lines far from the view coloured when they come into view, and the text,
// its undo steps and its modified flag untouched.

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "editor_test_support.h"
#include "find_dialogs.h"
#include "mission_highlighter.h"
#include "search_commands.h"

using namespace tolvane;

namespace {

// The class whose format covers the character at column (0-based) of the
// line, as the layout holds it; "plain" when none does.
QString ClassAt(MissionEditor* editor, int line, int column) {
  const QTextBlock block = editor->document()->findBlockByNumber(line);
  const MissionHighlighter* highlighter = editor->Highlighter();
  const char* names[] = {"comment", "blank line", "keyword", "end marker", "number", "text"};
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (column < range.start || column >= range.start + range.length) continue;
    for (int kind = 0; kind < MissionTextClassCount; ++kind)
      if (range.format == highlighter->Format(static_cast<MissionTextClass>(kind))) return names[kind];
    return "unknown";
  }
  return "plain";
}

}  // namespace

class HighlighterTest : public QObject {
  Q_OBJECT

 private slots:
  void eachKindOfLineHasItsColours() {
    EditorWorld world;
    const QByteArray text =
        "// a comment .Type 12\r\n"         // 0
        "  // slashes after blanks\r\n"     // 1: a statement, not a comment
        " \t \r\n"                          // 2: blanks and a tab only
        ".Type Swift II\r\n"                // 3
        "\t.PositionX -14000.5\r\n"         // 4
        ".Name Watch Begins .EndString\r\n" // 5
        ".EndEntity\r\n"                    // 6
        "AND\r\n"                           // 7
        ".Flags $1F\r\n"                    // 8
        "plain words\r\n"                   // 9
        ".Speed 12abc\r\n"                  // 10: not a number
        ".EndMission";
    TEditForm* form = world.Open(world.Mission("colours.mis", text));
    MissionEditor* editor = form->Editor;
    editor->grab();  // painted once, as on the screen

    QCOMPARE(ClassAt(editor, 0, 0), QString("comment"));
    QCOMPARE(ClassAt(editor, 0, 16), QString("comment"));
    QCOMPARE(ClassAt(editor, 1, 2), QString("plain"));
    QCOMPARE(ClassAt(editor, 2, 0), QString("blank line"));
    QCOMPARE(ClassAt(editor, 2, 2), QString("blank line"));
    QCOMPARE(ClassAt(editor, 3, 0), QString("keyword"));
    QCOMPARE(ClassAt(editor, 3, 5), QString("plain"));  // the separating blank
    QCOMPARE(ClassAt(editor, 3, 6), QString("text"));
    QCOMPARE(ClassAt(editor, 3, 13), QString("text"));  // "Swift II" is one value
    QCOMPARE(ClassAt(editor, 4, 0), QString("plain"));  // the leading tab
    QCOMPARE(ClassAt(editor, 4, 1), QString("keyword"));
    QCOMPARE(ClassAt(editor, 4, 12), QString("number"));
    QCOMPARE(ClassAt(editor, 5, 0), QString("keyword"));
    QCOMPARE(ClassAt(editor, 5, 6), QString("text"));
    QCOMPARE(ClassAt(editor, 5, 18), QString("plain"));  // the blank before the marker
    QCOMPARE(ClassAt(editor, 5, 19), QString("end marker"));
    QCOMPARE(ClassAt(editor, 6, 0), QString("end marker"));
    QCOMPARE(ClassAt(editor, 7, 0), QString("keyword"));
    QCOMPARE(ClassAt(editor, 8, 7), QString("number"));
    QCOMPARE(ClassAt(editor, 9, 0), QString("plain"));
    QCOMPARE(ClassAt(editor, 10, 7), QString("text"));
    QCOMPARE(ClassAt(editor, 11, 0), QString("end marker"));

    // Display only: no edit, no undo step, the file's text as it was.
    QVERIFY(!form->Document->IsModified());
    QVERIFY(!editor->document()->isUndoAvailable());
    QCOMPARE(EditorWorld::Text(form).toLatin1(), QByteArray(text).replace("\r\n", "\n"));

    // A line changed by typing takes its new class.
    EditorWorld::PutCaret(form, 10, 1);
    QTest::keyClicks(editor, "//");
    QCOMPARE(ClassAt(editor, 9, 5), QString("comment"));
    // So does a line that Replace All rewrites, with others, in one edit.
    FindDialog* dialog = form->Search().ReplaceDialog1();
    dialog->SetFindText(".Type Swift");
    dialog->SetReplaceText("// Type Swift");
    world.dialogs.queueAnswer(Answer::Yes);
    form->Search().ReplaceDialog1DoReplaceAll();
    QCOMPARE(ClassAt(editor, 3, 5), QString("comment"));
  }

  void numbersAsTheVerifierReadsThem() {
    for (const char* number : {"0", "-12", "+3.5", "1e5", "2.5E-3", ".5", "7.", "$ff", "x1F", "0X10"})
      QVERIFY2(LooksLikeNumber(QString(number)), number);
    for (const char* other : {"", "-", "1e", "12abc", "$", "0x", "1 2", "1,5", "$fg", "Swift"})
      QVERIFY2(!LooksLikeNumber(QString(other)), other);
  }

  void longMissionsAreColouredWhereTheyAreSeen() {
    EditorWorld world;
    QByteArray text;
    for (int i = 0; i < 20000; ++i) text += ".Entity\r\n.TagIdentifier " + QByteArray::number(i) + "\r\n";
    text += ".EndMission";
    TEditForm* form = world.Open(world.Mission("long.mis", text));
    MissionEditor* editor = form->Editor;
    editor->grab();
    QCOMPARE(ClassAt(editor, 1, 15), QString("number"));
    // Far below the view the lines wait for it.
    const QTextBlock far = editor->document()->findBlockByNumber(30001);
    QVERIFY(MissionHighlighter::IsWaiting(far));
    // Brought into view and painted, they have their colours.
    EditorWorld::PutCaret(form, 30002, 1);
    editor->centerCursor();
    editor->grab();
    QCOMPARE(ClassAt(editor, 30001, 15), QString("number"));
    QCOMPARE(ClassAt(editor, 30000, 0), QString("keyword"));
    // Typing there colours the line at once.
    QTest::keyClicks(editor, "//");
    QCOMPARE(ClassAt(editor, 30001, 3), QString("comment"));
  }
};

QTEST_MAIN(HighlighterTest)
#include "highlighter_test.moc"
