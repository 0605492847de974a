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

    // Line, column, class; a separating blank, the leading tab and the blank
    // before an end marker stay plain, "Swift II" is one value.
    const struct {
      int line, column;
      const char* kind;
    } expected[] = {
      {0, 0, "comment"}, {0, 16, "comment"}, {1, 2, "plain"}, {2, 0, "blank line"}, {2, 2, "blank line"},
      {3, 0, "keyword"}, {3, 5, "plain"}, {3, 6, "text"}, {3, 13, "text"}, {4, 0, "plain"},
      {4, 1, "keyword"}, {4, 12, "number"}, {5, 0, "keyword"}, {5, 6, "text"}, {5, 18, "plain"},
      {5, 19, "end marker"}, {6, 0, "end marker"}, {7, 0, "keyword"}, {8, 7, "number"}, {9, 0, "plain"},
      {10, 7, "text"}, {11, 0, "end marker"},
    };
    for (const auto& e : expected) {
      const QString found = ClassAt(editor, e.line, e.column);
      QVERIFY2(found == e.kind, qPrintable(QString("%1:%2 is %3").arg(e.line).arg(e.column).arg(found)));
    }

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
