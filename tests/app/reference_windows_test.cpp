// Tag renumbering through the document window's menu, and the reference
// windows' files: written only after a change, once, with CR LF; a write
// that fails keeps the window open with its text.

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "editor_test_support.h"
#include "reference_windows.h"

using namespace tolvane;

namespace {

// Definitions 5, 9 and 12, with a tab and with a comment-free tail; the
// references to 12, 9 and to a number no definition has; a blank after the
// keyword in the first reference is kept by the first half of its line.
const QByteArray kMission =
    "[Main]\r\n.Aggregate\r\n  .TagIdentifier 5\r\n.EndAggregate\r\n.Entity\r\n  .TagIdentifier\t9\r\n"
    ".EndEntity\r\n.Entity\r\n  .TagIdentifier 12\r\n.EndEntity\r\n.Trigger\r\n.Check\r\n.PLANEDAMAGED\r\n"
    "  .TagIdentifier 12\r\n.EndCheck\r\n.Check\r\n  .TagIdentifier 9\r\n  .TagIdentifier 44\r\n.EndCheck\r\n"
    ".EndTrigger\r\n.MissionSummary\r\n  .TagIdentifier 5\r\n.EndMission\r\n";
const QString kRenumbered = QString::fromLatin1(kMission)
                                .replace("\r\n", "\n")
                                .replace("  .TagIdentifier\t9", "  .TagIdentifier 6")
                                .replace("  .TagIdentifier 12", "  .TagIdentifier 7")
                                .replace("  .TagIdentifier 9\n", "  .TagIdentifier 6\n");

}  // namespace

class ReferenceWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void renumberingIsOneUndoableEditOfDocumentOne() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("tags.mis", kMission));
    const QString original = EditorWorld::Text(form);
    form->TagIdNumberFix1->trigger();
    QCOMPARE(EditorWorld::Text(form), kRenumbered);
    QVERIFY(world.dialogs.informed().isEmpty());
    QCOMPARE(world.frame->State().RenumberCount, 3);
    QCOMPARE(world.frame->State().RenumberTable[1].OldId, 9);
    QCOMPARE(world.frame->State().RenumberTable[1].NewId, 6);
    // A second run finds nothing more to change.
    form->TagIdNumberFix1->trigger();
    QCOMPARE(EditorWorld::Text(form), kRenumbered);
    // With the blanks and tabs shown as marks the result is the same.
    form->Editor->document()->undo();
    QCOMPARE(EditorWorld::Text(form), original);
    form->Rogue().TurnOnRogueCheckCommand();
    form->TagIdNumberFix1->trigger();
    form->Rogue().TurnOffRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), kRenumbered);

    // Any other document is left alone.
    TEditForm* second = world.Open(world.Mission("second.mis", kMission));
    second->TagIdNumberFix1->trigger();
    QCOMPARE(EditorWorld::Text(second), original);
  }

  void aBadReferenceChangesNothingAndIsTold() {
    EditorWorld world;
    QByteArray bad = kMission;
    bad.replace("  .TagIdentifier 44", "  .TagIdentifier 4x4");
    TEditForm* form = world.Open(world.Mission("bad.mis", bad));
    const QString original = EditorWorld::Text(form);
    form->TagIdNumberFix1->trigger();
    QCOMPARE(EditorWorld::Text(form), original);
    QVERIFY(!form->Editor->document()->isModified());
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY2(world.dialogs.informed().first().endsWith(" at Line No. 18"), qPrintable(world.dialogs.texts.join('|')));
  }

  void checksAreWrittenOnlyAfterAChangeAndOnce() {
    EditorWorld world;
    TForm1* checks = world.frame->Forms().Form1;
    const QString file = world.dir.filePath("Checks.Txt");
    world.frame->Checks1->trigger();
    checks->CloseButton1->click();
    QVERIFY(!checks->isVisible());
    QVERIFY(!QFile::exists(file));

    world.frame->Checks1->trigger();
    QVERIFY(!checks->SaveButton1->isVisible());
    QTest::keyClicks(checks->Memo1, "My own note\t1");
    const QString edited = checks->Memo1->toPlainText();
    checks->CloseButton1->click();
    QVERIFY(!checks->isVisible());
    QCOMPARE(ReadBytes(file), edited.toLatin1().replace("\n", "\r\n"));
    // Unchanged since: closing again writes nothing.
    QVERIFY(QFile::remove(file));
    world.frame->Checks1->trigger();
    QCOMPARE(checks->Memo1->toPlainText(), edited);
    checks->close();
    QVERIFY(!QFile::exists(file));
    QVERIFY(world.dialogs.texts.isEmpty());
  }

  void triggersAreReadAtTheStartAndSavedOnce() {
    EditorWorld world;
    const QString file = world.dir.filePath("Triggers.txt");
    auto restart = [&] {
      world.frame.reset();
      world.dialogs.clear();
      TFrameForm::Options options;
      options.Dialogs = &world.dialogs;
      options.ProgramFolder = world.dir.path();
      world.frame = std::make_unique<TFrameForm>(options);
    };
    // Missing: told at the start, the notes empty.
    QVERIFY(QFile::remove(file));
    restart();
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(world.dialogs.informed().first().contains(file));
    QVERIFY(world.frame->Forms().Form3->Memo1->toPlainText().isEmpty());

    // The notes are read when the window is made, at the program's start.
    WriteBytes(file, "First note\r\n\tSecond \xE9 note\r\n");
    restart();
    TForm3* triggers = world.frame->Forms().Form3;
    QCOMPARE(triggers->Memo1->toPlainText(), QString::fromLatin1("First note\n\tSecond \xE9 note\n"));
    world.frame->Triggers1->trigger();
    QTest::keyClicks(triggers->Memo1, "More ");
    triggers->SaveButton->click();
    QCOMPARE(ReadBytes(file), QByteArray("More First note\r\n\tSecond \xE9 note\r\n"));
    // Saved already: closing writes nothing.
    QVERIFY(QFile::remove(file));
    triggers->Button1->click();
    QVERIFY(!triggers->isVisible());
    QVERIFY(!QFile::exists(file));
    QVERIFY(world.dialogs.texts.isEmpty());
  }

  void aFailedWriteKeepsTheWindowOpenWithItsText() {
    EditorWorld world;
    TForm2* actions = world.frame->Forms().Form2;
    const QString file = world.dir.filePath("Actions.Txt");
    QVERIFY(QDir(world.dir.path()).mkdir("Actions.Txt"));
    world.frame->Actions1->trigger();
    QTest::keyClicks(actions->Memo1, "kept");
    const QString edited = actions->Memo1->toPlainText();
    actions->CloseButton1->click();
    QVERIFY(actions->isVisible());
    QCOMPARE(actions->Memo1->toPlainText(), edited);
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(world.dialogs.informed().first().contains(file));
    // The title bar's close tries again and also keeps the window.
    QVERIFY(!actions->close());
    QCOMPARE(world.dialogs.informed().size(), 2);
    // Once the file can be written, Close writes it and hides the window.
    QVERIFY(QDir(world.dir.path()).rmdir("Actions.Txt"));
    actions->CloseButton1->click();
    QVERIFY(!actions->isVisible());
    QCOMPARE(ReadBytes(file), edited.toLatin1().replace("\n", "\r\n"));
  }

  void readmeIsReadAgainAtEveryShowingAndActivation() {
    EditorWorld world;
    TForm16* readme = world.frame->Forms().Form16;
    const QString file = world.dir.filePath("Readme.txt");
    // Missing: told once while shown; the memo keeps what it had.
    world.frame->Readme1->trigger();
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(world.dialogs.informed().first().contains(file));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(readme, &activate);
    QCOMPARE(world.dialogs.informed().size(), 1);
    readme->CloseButton->click();

    WriteBytes(file, "How to start\r\nline two\r\n");
    world.frame->Readme1->trigger();
    QCOMPARE(readme->Memo1->toPlainText(), QString("How to start\nline two\n"));
    QTest::keyClicks(readme->Memo1, "scribble");
    QCoreApplication::sendEvent(readme, &activate);
    QCOMPARE(readme->Memo1->toPlainText(), QString("How to start\nline two\n"));
    QTest::keyClicks(readme->Memo1, "scribble");
    readme->CloseButton->click();
    world.frame->Readme1->trigger();
    QCOMPARE(readme->Memo1->toPlainText(), QString("How to start\nline two\n"));
    QCOMPARE(world.dialogs.informed().size(), 1);
  }

  void exitSavesTheNotesOrStays() {
    EditorWorld world;
    TForm3* triggers = world.frame->Forms().Form3;
    world.frame->Triggers1->trigger();
    QTest::keyClicks(triggers->Memo1, "Watch the bridge");
    // The notes' file cannot be written: the program runs on with the notes.
    const QString file = world.dir.filePath("Triggers.txt");
    QVERIFY(QFile::remove(file) && QDir(world.dir.path()).mkdir("Triggers.txt"));
    world.frame->Exit1Click();
    QVERIFY(world.frame->isVisible());
    QVERIFY(triggers->isVisible());
    // Once it can, leaving the program writes them.
    QVERIFY(QDir(world.dir.path()).rmdir("Triggers.txt"));
    world.frame->Exit1Click();
    QVERIFY(!world.frame->isVisible());
    QCOMPARE(ReadBytes(file), QByteArray("Watch the bridge"));
  }
};

QTEST_MAIN(ReferenceWindowsTest)
#include "reference_windows_test.moc"
