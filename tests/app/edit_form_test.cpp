// The document window: numbering, menus, saving, closing, the caret panel.

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include "dialog_driver.h"
#include "editor_test_support.h"

using namespace tolvane;

namespace {

const QByteArray kMission = "[Main]\r\n  .Name Harbour raid\r\n.EndMission\r\n";

bool Shown(QAction* action) { return action->isVisible(); }

// The questions asked so far.
QStringList Questions(const ScriptedDialogs& dialogs) {
  QStringList out;
  for (const ScriptedDialogs::Shown& shown : dialogs.shown)
    if (shown.kind == ScriptedDialogs::Kind::YesNoCancel) out << shown.text;
  return out;
}

}  // namespace

class EditFormTest : public QObject {
  Q_OBJECT

 private slots:
  void altWithALetterNeverTypesIntoTheMission();
  void charactersAMissionCannotHoldNeverReachItsFile();
  void controlBytesStayAndShowTheirCodes();
  void printerSetupChoosesThePrinterForTheNextPrint();
  void numbersFollowOpeningAndClosing() {
    EditorWorld world;
    TEditForm* first = world.Open(world.Mission("one.mis", kMission));
    TEditForm* second = world.Open(world.Mission("two.mis", kMission));
    QCOMPARE(first->Document->DocumentNumber, 1);
    QCOMPARE(second->Document->DocumentNumber, 2);

    // A window made by the frame's New has no number and counts nothing;
    // the document's own New takes the next number.
    TEditForm* blank = world.New();
    QCOMPARE(blank->Document->DocumentNumber, 0);
    QCOMPARE(world.frame->State().DocumentCount, 2);
    first->New1Click();
    TEditForm* made = world.Active();
    QCOMPARE(made->Document->DocumentNumber, 3);
    QCOMPARE(made->windowTitle(), QString("Untitled"));
    EditorWorld::Close(made);

    // Closing a later document counts down by one.
    EditorWorld::Close(second);
    QCOMPARE(world.frame->State().DocumentCount, 1);
    TEditForm* third = world.Open(world.Mission("three.mis", kMission));
    QCOMPARE(third->Document->DocumentNumber, 2);

    // Closing document 1 starts the count again, whatever else is open.
    EditorWorld::Close(first);
    QCOMPARE(world.frame->State().DocumentCount, 0);
    QCOMPARE(third->Document->DocumentNumber, 2);
    TEditForm* fourth = world.Open(world.Mission("four.mis", kMission));
    QCOMPARE(fourth->Document->DocumentNumber, 1);

    // The window that closes while the count is 0 leaves it at 0.
    EditorWorld::Close(fourth);
    EditorWorld::Close(blank);
    QCOMPARE(world.frame->State().DocumentCount, 0);
  }

  void verifyAndObjectsBelongToTheFirstMission() {
    EditorWorld world;
    QVERIFY(!Shown(world.frame->Bridges1));
    TEditForm* first = world.Open(world.Mission("UPPER.MIS", kMission));
    QVERIFY(Shown(first->Checker1));
    QVERIFY(Shown(first->Objects1->menuAction()));
    QVERIFY(Shown(world.frame->Bridges1));
    QCOMPARE(first->windowTitle(), QString("UPPER.MIS"));

    TEditForm* second = world.Open(world.Mission("second.mis", kMission));
    QCOMPARE(second->Document->DocumentNumber, 2);
    QVERIFY(!Shown(second->Checker1));
    QVERIFY(!Shown(second->Objects1->menuAction()));

    // The object entries stay hidden until a verification shows them.
    QVERIFY(Shown(first->StockObjects1));
    for (QAction* entry : {first->MissionObjects1, first->FlightWaypts, first->Divisions1, first->Vehicles1,
                           first->VehicleWaypts, first->Structures1, first->Bridges3, first->Triggers2})
      QVERIFY(!Shown(entry));

    // "&Bridges" stays once shown, also after document 1 closed.
    EditorWorld::Close(first);
    EditorWorld::Close(second);
    QVERIFY(Shown(world.frame->Bridges1));

    // A text file as document 1: Verify shows once it is activated, the
    // object menu never.
    TEditForm* notes = world.Open(world.Mission("notes.txt", "plain notes\r\n"));
    QCOMPARE(notes->Document->DocumentNumber, 1);
    QVERIFY(!Shown(notes->Checker1));
    QVERIFY(!Shown(notes->Objects1->menuAction()));

    TEditForm* other = world.Open(world.Mission("other.txt", "more\r\n"));
    QCOMPARE(world.Active(), other);
    EditorWorld::Activate(notes);
    QCOMPARE(world.Active(), notes);
    QVERIFY(Shown(notes->Checker1));
    QVERIFY(!Shown(notes->Objects1->menuAction()));
    EditorWorld::Activate(other);
    QVERIFY(!Shown(other->Checker1));
  }

  void statusPanelsFollowTheActiveWindow() {
    EditorWorld world;
    TEditForm* first = world.Open(world.Mission("first.mis", "a b\r\nsecond line\r\nthird\r\n"));
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 1 : 1"));
    EditorWorld::PutCaret(first, 2, 8);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 2 : 8"));
    // A selection counts from its start.
    QTextCursor cursor = first->Editor->textCursor();
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    first->Editor->setTextCursor(cursor);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 2 : 8"));

    // The window behind turns its marking on: the front one's panels stay.
    TEditForm* second = world.Open(world.Mission("second.mis", "x\r\n"));
    first->Rogue().TurnOnRogueCheckCommand();  // the caret goes to the end of its line
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 1 : 1"));
    QCOMPARE(world.frame->StatusText(1), QString(22, ' '));
    EditorWorld::Activate(first);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 2 : 12"));
    QCOMPARE(world.frame->StatusText(1), QString("  Space = @   Tab = # "));
    EditorWorld::Activate(second);
    QCOMPARE(world.frame->StatusText(1), QString(22, ' '));
    EditorWorld::Activate(first);
    second->Rogue().TurnOnRogueCheckCommand();
    second->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(world.frame->StatusText(1), QString("  Space = @   Tab = # "));
    EditorWorld::Activate(second);

    // The window behind shows its panels again when the front one closes;
    // with the last one gone both panels are empty.
    EditorWorld::Close(second);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 2 : 12"));
    QCOMPARE(world.frame->StatusText(1), QString("  Space = @   Tab = # "));
    EditorWorld::Close(first);
    QCOMPARE(world.frame->StatusText(0), QString());
    QCOMPARE(world.frame->StatusText(1), QString());
  }

  void editMenuFollowsSelectionAndClipboard() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("clip.mis", "alpha beta\r\n"));
    QApplication::clipboard()->clear();
    form->Edit1Click();
    for (QAction* action : {form->Cut1, form->Cut2, form->Copy1, form->Copy2, form->Delete1, form->Paste1,
                            form->Paste2})
      QVERIFY(!action->isEnabled());

    QTextCursor cursor(form->Editor->document());
    cursor.setPosition(6);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    form->Editor->setTextCursor(cursor);
    form->Copy1Click();
    QCOMPARE(QApplication::clipboard()->text(), QString("beta"));
    form->Edit1Click();
    for (QAction* action : {form->Cut1, form->Cut2, form->Copy1, form->Copy2, form->Delete1, form->Paste1,
                            form->Paste2})
      QVERIFY(action->isEnabled());

    form->Cut1Click();
    QCOMPARE(EditorWorld::Text(form), QString("alpha \n"));
    form->Paste1Click();
    form->Paste1Click();
    QCOMPARE(EditorWorld::Text(form), QString("alpha betabeta\n"));
    form->Selectall1Click();
    form->Delete1Click();
    QCOMPARE(EditorWorld::Text(form), QString());
    QCOMPARE(QApplication::clipboard()->text(), QString("beta"));
  }

  void closeQueryAnswers() {
    EditorWorld world;
    const QString path = world.Mission("query.mis", kMission);

    // Unchanged text: no question.
    TEditForm* quiet = world.Open(path);
    EditorWorld::Close(quiet);
    QVERIFY(Questions(world.dialogs).isEmpty());
    QCOMPARE(world.WindowCount(), 0);

    // Cancel keeps the window and its text.
    TEditForm* form = world.Open(path);
    form->Editor->appendPlainText("; added");
    world.dialogs.queueAnswer(Answer::Cancel);
    EditorWorld::Close(form);
    QCOMPARE(Questions(world.dialogs), QStringList{"Save changes to " + path + "?"});
    QCOMPARE(world.WindowCount(), 1);
    QVERIFY(EditorWorld::Text(form).endsWith("; added"));

    // No closes without saving.
    QPointer<TEditForm> guard(form);
    world.dialogs.queueAnswer(Answer::No);
    EditorWorld::Close(form);
    QVERIFY(guard.isNull());
    QCOMPARE(ReadBytes(path), kMission);

    // Yes saves and closes.
    form = world.Open(path);
    form->Editor->appendPlainText("; kept");
    guard = form;
    world.dialogs.queueAnswer(Answer::Yes);
    EditorWorld::Close(form);
    QVERIFY(guard.isNull());
    QCOMPARE(ReadBytes(path), kMission + "\r\n; kept");

    // Yes with a cancelled save dialog, or a save that fails: the window
    // stays with its text.
    TEditForm* untitled = world.New();
    untitled->Editor->insertPlainText("[Main]\n.EndMission");
    world.dialogs.queueAnswer(Answer::Yes);
    EditorWorld::Close(untitled);
    QCOMPARE(world.WindowCount(), 1);
    QCOMPARE(EditorWorld::Text(untitled), QString("[Main]\n.EndMission"));
    QCOMPARE(untitled->Document->FileName, QString("Untitled"));
    QVERIFY(untitled->Editor->document()->isModified());

    form = world.Open(path);
    form->Editor->appendPlainText("; more");
    QVERIFY(QDir(world.Missions()).removeRecursively());
    world.dialogs.clear();
    world.dialogs.queueAnswer(Answer::Yes);
    EditorWorld::Close(form);
    QCOMPARE(world.WindowCount(), 2);
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(EditorWorld::Text(form).endsWith("; more"));
  }

  void saveOfUntitledAsksForANewName() {
    EditorWorld world;
    TEditForm* form = world.New();
    form->Editor->setPlainText("[Main]\n.EndMission");
    const QString path = world.MissionPath("fresh.mis");
    world.dialogs.queueFile(path);
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(world.dialogs.fileRequests.size(), size_t(1));
    QCOMPARE(form->Document->FileName, path);
    QCOMPARE(form->windowTitle(), QString("fresh.mis"));
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n.EndMission"));
    QVERIFY(!form->Editor->document()->isModified());

    // Save again writes to the same file without asking.
    form->Editor->appendPlainText("; again");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(world.dialogs.fileRequests.size(), size_t(1));
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n.EndMission\r\n; again"));
  }

  void closingDocumentOneResetsTheMission() {
    EditorWorld world;
    AppState& state = world.frame->State();
    TEditForm* first = world.Open(world.Mission("one.mis", kMission));
    world.Open(world.Mission("two.mis", kMission));
    state.Mission.AircraftTable.append(AircraftRecord{});
    state.Request(FindRequestRow::Aircraft) = FindRequest{true, "Hurricane"};
    state.ObjectFindFlag() = true;
    state.SearchText = "Lorry";
    state.SearchLine = 12;
    state.LocateText = "kept";
    world.frame->OpenFileDialog().FilterIndex = 3;
    world.frame->OpenFileDialog().FileName = "elsewhere.txt";
    world.frame->Forms().Form1->show();
    world.frame->Forms().Form6->show();
    world.frame->Forms().Form15->show();

    EditorWorld::Close(first);
    QCOMPARE(state.DocumentCount, 0);
    QCOMPARE(state.Mission.AircraftTable.count(), 0);
    QVERIFY(!state.Request(FindRequestRow::Aircraft).Flag);
    QVERIFY(state.Request(FindRequestRow::Aircraft).Text.isEmpty());
    QVERIFY(!state.ObjectFindFlag());
    QVERIFY(state.SearchText.isEmpty());
    QCOMPARE(state.SearchLine, NoSearchLine);
    QCOMPARE(state.LocateText, QString("kept"));
    QCOMPARE(world.frame->OpenFileDialog().FilterIndex, 1);
    QCOMPARE(world.frame->OpenFileDialog().DefaultExtension, QString("*.mis"));
    QVERIFY(world.frame->OpenFileDialog().FileName.isEmpty());
    QVERIFY(!world.frame->Forms().Form1->isVisible());
    QVERIFY(!world.frame->Forms().Form6->isVisible());
    // The About window is no mission window.
    QVERIFY(world.frame->Forms().Form15->isVisible());
  }

  void exitClosesNothingUntilEveryWindowAgreed() {
    EditorWorld world;
    TEditForm* first = world.Open(world.Mission("first.mis", kMission));
    TEditForm* second = world.Open(world.Mission("second.mis", kMission));
    first->Editor->appendPlainText("; first draft");
    second->Editor->appendPlainText("; second draft");
    // No for one window, then Cancel for the other: the exit stops and the
    // window whose changes were to be dropped still holds them.
    world.dialogs.queueAnswer(Answer::No);
    world.dialogs.queueAnswer(Answer::Cancel);
    world.frame->Forms().Form1->ShowAndRaise();
    second->Exit1Click();
    EditorWorld::Settle();
    QCOMPARE(world.WindowCount(), 2);
    QVERIFY(world.frame->isVisible());
    QVERIFY(first->Editor->toPlainText().contains("; first draft"));
    QVERIFY(second->Editor->toPlainText().contains("; second draft"));
    QCOMPARE(Questions(world.dialogs).size(), 2);
    // Asked again and both dropped: the program closes, asking each once.
    world.dialogs.queueAnswer(Answer::No);
    world.dialogs.queueAnswer(Answer::No);
    first->Exit1Click();
    EditorWorld::Settle();
    QCOMPARE(world.WindowCount(), 0);
    QCOMPARE(Questions(world.dialogs).size(), 4);
    QVERIFY(!world.frame->isVisible());
    QVERIFY(!world.frame->Forms().Form1->isVisible());
  }
};

void EditFormTest::altWithALetterNeverTypesIntoTheMission() {
  EditorWorld world;
  TEditForm* form = world.Open(world.Mission("keys.mis", ".EndMission\r\n"));
  form->Editor->setFocus();
  EditorWorld::PutCaret(form, 1, 12);
  // Letters that are no menu key, one that is, and one that two menus share.
  QTest::keyClick(form->Editor, Qt::Key_Q, Qt::AltModifier);
  QTest::keyClick(form->Editor, Qt::Key_J, Qt::AltModifier | Qt::ShiftModifier);
  QTest::keyClick(form->Editor, Qt::Key_C, Qt::AltModifier);
  QTest::keyClick(form->Editor, Qt::Key_Escape);
  QTest::keyClick(form->Editor, Qt::Key_C, Qt::AltModifier);
  QTest::keyClick(form->Editor, Qt::Key_Escape);
  QCOMPARE(EditorWorld::Text(form), QString(".EndMission\n"));
  QVERIFY(!form->Editor->document()->isModified());
  // Plain and shifted letters still type.
  QTest::keyClicks(form->Editor, "qJ");
  QCOMPARE(EditorWorld::Text(form), QString(".EndMissionqJ\n"));
}

void EditFormTest::charactersAMissionCannotHoldNeverReachItsFile() {
  EditorWorld world;
  const QString path = world.Mission("quotes.mis", "[Main]\r\n");
  TEditForm* form = world.Open(path);
  form->Editor->setFocus();
  form->Editor->moveCursor(QTextCursor::End);
  auto notice = [&] { return world.frame->statusBar()->currentMessage(); };

  // Pasted typographic quotes, dashes and the ellipsis become plain ones.
  QApplication::clipboard()->setText(QString::fromUtf8("It\u2019s \u201Cdone\u201D \u2013 caf\u00e9\u2026\r\n"));
  QTest::keyClick(form->Editor, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(EditorWorld::Text(form), QString::fromUtf8("[Main]\nIt's \"done\" - caf\u00e9...\n"));
  QVERIFY(form->Editor->document()->isModified());
  QVERIFY(notice().isEmpty());

  // A paste holding a euro sign is refused whole, with a notice naming it.
  QApplication::clipboard()->setText(QString::fromUtf8("Cost \u2018 5 \u20ac"));
  QTest::keyClick(form->Editor, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(EditorWorld::Text(form), QString::fromUtf8("[Main]\nIt's \"done\" - caf\u00e9...\n"));
  QCOMPARE(notice(), QString::fromUtf8("Not pasted: \"\u20ac\" (U+20AC) cannot be saved in a mission file"));

  // Typed, and from an input method: fitted the same way, or refused.
  QTest::sendKeyEvent(QTest::Click, form->Editor, Qt::Key_unknown, QString::fromUtf8("\u2019"), Qt::NoModifier);
  QTest::sendKeyEvent(QTest::Click, form->Editor, Qt::Key_unknown, QString::fromUtf8("\u20ac"), Qt::NoModifier);
  QCOMPARE(notice(), QString::fromUtf8("Not typed: \"\u20ac\" (U+20AC) cannot be saved in a mission file"));
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("\u201Cx\u201D"));
  QApplication::sendEvent(form->Editor, &composed);
  QInputMethodEvent refused;
  refused.setCommitString(QString::fromUtf8("\u0416"));
  QApplication::sendEvent(form->Editor, &refused);
  QCOMPARE(EditorWorld::Text(form), QString::fromUtf8("[Main]\nIt's \"done\" - caf\u00e9...\n'\"x\""));

  // The file gets exactly what the window shows.
  QVERIFY(form->Files().Save1Click());
  QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\nIt's \"done\" - caf\xe9...\r\n'\"x\""));

  // A character that reached the text another way is named by the save,
  // which writes nothing and leaves the window modified.
  form->Editor->insertPlainText(QString::fromUtf8("\n\u20ac"));
  QVERIFY(!form->Files().Save1Click());
  QVERIFY2(world.dialogs.informed().last().endsWith("\"\u20ac\" (U+20AC) on line 4 cannot be saved in a mission file"),
           qPrintable(world.dialogs.informed().last()));
  QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\nIt's \"done\" - caf\xe9...\r\n'\"x\""));
  QVERIFY(form->Editor->document()->isModified());
}

void EditFormTest::controlBytesStayAndShowTheirCodes() {
  EditorWorld world;
  const QByteArray bytes = QByteArray("a\x85 b\x9f\x80\tc\x01\x7f\r\n") + char(0) + "\xa0\xff\r\n";
  const QString path = world.Mission("controls.mis", bytes);
  TEditForm* form = world.Open(path);
  QStringList codes;
  for (const MissionEditor::PaintedMark& mark : form->Editor->MarksIn(form->Editor->viewport()->rect())) {
    QVERIFY(mark.IsCode);
    QVERIFY2(mark.Cell.width() > 0, qPrintable(mark.Shown));
    codes << mark.Shown;
  }
  // The NUL takes no room in its line: it keeps no box.
  QCOMPARE(codes, QStringList({"85", "9F", "80", "01", "7F"}));
  // Copied, and saved after an edit elsewhere, they are the same bytes.
  form->Selectall1Click();
  form->Copy1Click();
  QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(bytes).remove('\r'));
  form->Editor->moveCursor(QTextCursor::End);
  form->Editor->insertPlainText("end");
  QVERIFY(form->Files().Save1Click());
  QCOMPARE(ReadBytes(path), bytes + "end");
}

void EditFormTest::printerSetupChoosesThePrinterForTheNextPrint() {
  EditorWorld world;
  TEditForm* form = world.Open(world.Mission("setup.mis", kMission));
  const QString pdf = world.dir.filePath("chosen.pdf");
  WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
    // The user chooses the printer (here the file printer, as no other is
    // installed), its file and three copies.
    if (auto* file = dialog->findChild<QLineEdit*>("filename")) file->setText(pdf);
    if (auto* copies = dialog->findChild<QSpinBox*>("copies")) copies->setValue(3);
    dialog->accept();
  });
  form->Printersetup1->trigger();
  QVERIFY(!QFile::exists(pdf));  // set-up prints nothing

  // Print starts from what was chosen.
  int copies = 0;
  QString file;
  form->Files().PrintDialogHook = [&](QPrinter& printer) {
    copies = printer.copyCount();
    file = printer.outputFileName();
    return true;
  };
  form->Print1->trigger();
  QCOMPARE(copies, 3);
  QCOMPARE(file, pdf);
  QCOMPARE(form->Files().Printer().docName(), form->Document->FileName);
  QVERIFY(QFileInfo(pdf).size() > 0);

  // A cancelled print dialog prints nothing.
  QFile::remove(pdf);
  form->Files().PrintDialogHook = [&](QPrinter&) { return false; };
  form->Print1->trigger();
  QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(EditFormTest)
#include "edit_form_test.moc"
