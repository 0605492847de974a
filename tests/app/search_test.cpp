// Searching a document window through its commands and keys: the object
// search, the find requests of the browsers and list windows, the
// interactive replace and replace all; and the list windows' clicks.

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "editor_test_support.h"
#include "find_dialogs.h"
#include "list_windows.h"
#include "search_commands.h"

using namespace tolvane;

namespace {

QString SelectedText(TEditForm* form) { return form->Editor->textCursor().selectedText(); }

int SelectedLine(TEditForm* form) { return form->Editor->CaretLine() - 1; }

// Lines 0 to 9; "Lorry" stands on the lines with indexes 3 and 8.
QByteArray TenLines() {
  QByteArray text;
  for (int i = 0; i < 10; ++i) text += (i == 3 || i == 8 ? "  .Type Lorry " : "  .Line ") + QByteArray::number(i) + "\r\n";
  return text;
}

// The window's replace dialog holding a find text and a replace text.
FindDialog* ReplaceDialogOf(TEditForm* form, const QString& find, const QString& replace) {
  FindDialog* dialog = form->Search().ReplaceDialog1();
  dialog->SetFindText(find);
  dialog->SetReplaceText(replace);
  return dialog;
}

void ClickItem(ListWindow* window, const QString& text) {
  const QList<QListWidgetItem*> items = window->ListBox1->findItems(text, Qt::MatchExactly);
  QVERIFY2(!items.isEmpty(), qPrintable(text));
  window->ListBox1->setCurrentItem(items.first());
  window->ListBox1Click();
}

}  // namespace

class SearchTest : public QObject {
  Q_OBJECT

 private slots:
  void objectSearchGoesLineByLineAndStartsAgainAfterAMiss() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("ten.mis", TenLines()));
    AppState& state = world.frame->State();
    form->Search().FindDialog1()->SetFindText("Lorry");
    form->Search().FindDialog1Find();
    QCOMPARE(SelectedLine(form), 3);
    QCOMPARE(SelectedText(form), QString("  .Type Lorry 3"));  // the whole line
    QVERIFY(form->Search().FindDialog1()->isVisible());
    QTest::keyClick(form->Editor, Qt::Key_F4);
    QCOMPARE(SelectedLine(form), 8);
    QTest::keyClick(form->Editor, Qt::Key_F4);
    QCOMPARE(world.dialogs.informed().last(), QString("Lorry not found."));
    QVERIFY(state.SearchText.isEmpty());
    QVERIFY(!form->Search().FindDialog1()->isVisible());
    // Find Next in the dialog begins at the top again.
    form->Search().FindDialog1()->SetFindText("Lorry");
    form->Search().FindDialog1()->FindNextButton->click();
    QCOMPARE(SelectedLine(form), 3);
    // A text on the first line is found too.
    form->Search().FindDialog1()->SetFindText(".Line 0");
    state.SearchLine = NoSearchLine;
    form->Search().FindDialog1Find();
    QCOMPARE(SelectedLine(form), 0);
  }

  void pendingRequestsAreTakenInOrderInOneActivation() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("ten.mis", TenLines()));
    AppState& state = world.frame->State();
    // Two requests for the same text: the second goes on after the first match.
    state.Request(FindRequestRow::Aircraft) = FindRequest{true, "Lorry"};
    state.Request(FindRequestRow::Vehicle) = FindRequest{true, "Lorry"};
    form->FormActivate();
    QCOMPARE(SelectedLine(form), 8);
    for (FindRequestRow row : {FindRequestRow::Aircraft, FindRequestRow::Vehicle}) {
      QVERIFY(!state.Request(row).Flag);
      QVERIFY(state.Request(row).Text.isEmpty());
    }
    // The Objects list's request, with LocateText; then the bridge list's
    // row finds LocateText taken.
    state.LocateText = ".Line 6";
    state.ObjectFindFlag() = true;
    state.BridgeListFindFlag() = true;
    form->FormActivate();
    QCOMPARE(SelectedLine(form), 6);
    QVERIFY(state.LocateText.isEmpty());
    QVERIFY(!state.ObjectFindFlag());
  }

  void interactiveReplaceTakesWholeWordsInAnyCase() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("r.mis", ".TagIdentifier 5\r\nTAG and tag\r\n.EndMission\r\n"));
    FindDialog* dialog = ReplaceDialogOf(form, "Tag", "Mark");
    world.dialogs.queueAnswer(Answer::No);   // TAG stays
    world.dialogs.queueAnswer(Answer::Yes);  // tag becomes Mark
    QTest::keyClick(form->Editor, Qt::Key_F5);
    QCOMPARE(EditorWorld::Text(form), QString(".TagIdentifier 5\nTAG and Mark\n.EndMission\n"));
    const QStringList shown = world.dialogs.texts;
    QCOMPARE(shown.count("Tag found.  Replace?"), 3);  // TAG, tag, then TAG again from the top
    QCOMPARE(dialog->FindText(), QString("Tag"));  // the third answer, none queued, cancels
  }

  void replaceAllIsExactOneEditAndEnds() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("a.mis", "tag Tag\r\ntag\r\n"));
    FindDialog* dialog = ReplaceDialogOf(form, "tag", "TAG");
    world.dialogs.queueAnswer(Answer::Yes);
    dialog->ReplaceAllButton->click();
    QVERIFY(world.dialogs.texts.contains("Are you sure you want to replace all tag with TAG?"));
    QCOMPARE(EditorWorld::Text(form), QString("TAG Tag\nTAG\n"));
    QCOMPARE(world.dialogs.informed().last(), QString("Done Replacing!"));
    QCOMPARE(dialog->FindText(), QString());
    form->Editor->undo();
    QCOMPARE(EditorWorld::Text(form), QString("tag Tag\ntag\n"));

    // A replacement that holds the text ends; a text that is not there is reported.
    dialog->SetFindText("Tag");
    dialog->SetReplaceText("Tag Tag");
    world.dialogs.queueAnswer(Answer::Yes);
    form->Search().ReplaceDialog1DoReplaceAll();
    QCOMPARE(EditorWorld::Text(form), QString("tag Tag Tag\ntag\n"));
    dialog->SetFindText("Lorry");
    world.dialogs.queueAnswer(Answer::Yes);
    form->Search().ReplaceDialog1DoReplaceAll();
    QCOMPARE(world.dialogs.informed().last(), QString("Could not find \"Lorry\"."));
    QCOMPARE(dialog->FindText(), QString("Lorry"));
  }

  void replaceAllRewritesOnlyWhatChangedAsOneStep() {
    EditorWorld world;
    const QByteArray text = ".Name ab .EndString\r\n// aab note\r\n.Speed 12\r\nplain\xA0line\r\n.EndMission";
    TEditForm* form = world.Open(world.Mission("b.mis", text));
    QTextBlock untouched = form->Editor->document()->findBlockByNumber(2);
    const int untouchedRevision = untouched.revision();
    // "aab" becomes "ab" and then, searched again from the start, "b".
    FindDialog* dialog = ReplaceDialogOf(form, "ab", "b");
    world.dialogs.queueAnswer(Answer::Yes);
    form->Search().ReplaceDialog1DoReplaceAll();
    QCOMPARE(form->Document->PlainText(), QString(".Name b .EndString\n// b note\n.Speed 12\nplain\u00A0line\n.EndMission"));
    QCOMPARE(form->Editor->document()->findBlockByNumber(2).revision(), untouchedRevision);
    form->Editor->undo();
    QCOMPARE(form->Document->PlainText().toLatin1(), QByteArray(text).replace("\r\n", "\n"));
    QVERIFY(!form->Editor->document()->isUndoAvailable());

    // A replacement of more than one line is made too.
    dialog->SetFindText("Speed");
    dialog->SetReplaceText("Speed 1\n.Altitude");
    world.dialogs.queueAnswer(Answer::Yes);
    form->Search().ReplaceDialog1DoReplaceAll();
    QVERIFY(EditorWorld::Text(form).contains(".Speed 1\n.Altitude 12\n"));
  }

  void listWindowsFileTheirRequests() {
    EditorWorld world;
    AppState& state = world.frame->State();
    TForm8* bridges = world.frame->Forms().Form8;
    // No document open: no Find, nothing to locate.
    ClickItem(bridges, "4.  Namur");
    QVERIFY(state.LocateText.isEmpty());
    QVERIFY(bridges->FindButton1->isHidden());

    TEditForm* form = world.Open(world.Mission("b.mis", "x\r\n.Bridge Namur\r\n.EndMission\r\n"));
    ClickItem(bridges, "10. Neufchateau_1");
    QCOMPARE(state.LocateText, QString("Neufchateau_1"));
    ClickItem(bridges, "4.  Namur");
    QCOMPARE(state.LocateText, QString("Namur"));
    QVERIFY(state.BridgeListFindFlag());
    QVERIFY(!bridges->FindButton1->isHidden());
    bridges->ListBox1->setCurrentRow(10);  // the empty line after area 1
    bridges->ListBox1Click();
    QCOMPARE(state.LocateText, QString("Namur"));
    // A click alone filed the request: the document carries it out.
    form->FormActivate();
    QCOMPARE(SelectedLine(form), 1);
    ClickItem(bridges, "[AREA 3]");
    QVERIFY(state.LocateText.isEmpty());

    // The Objects list trims its names and files its request only by Find.
    TForm5* objects = world.frame->Forms().Form5;
    objects->ListBox1->addItem("  Lorry\t");
    ClickItem(objects, "  Lorry\t");
    QCOMPARE(state.LocateText, QString("Lorry"));
    QVERIFY(!state.ObjectFindFlag());
    objects->FindButton1->click();
    QVERIFY(state.ObjectFindFlag());
    objects->FormActivate();  // activating the list again clears the request
    QVERIFY(!state.ObjectFindFlag());
    QVERIFY(state.LocateText.isEmpty());
  }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"
