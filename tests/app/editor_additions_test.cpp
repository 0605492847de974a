// What the document window and the frame offer beyond their standard
// menus: Undo and Redo of every edit with each rewriting command as one
// step, Go to Line, the recently used files kept across a restart, and a
// file changed on disk offered for reloading when its window comes forward.

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "editor_test_support.h"
#include "find_dialogs.h"
#include "search_commands.h"

using namespace tolvane;

namespace {

// Definitions 5, 9 and 12 renumber to 5, 6 and 7; the references follow.
const QByteArray kTags =
    "[Main]\r\n.Aggregate\r\n  .TagIdentifier 5\r\n.EndAggregate\r\n.Entity\r\n  .TagIdentifier\t9\r\n"
    ".EndEntity\r\n.Entity\r\n  .TagIdentifier 12\r\n.EndEntity\r\n.Trigger\r\n.Check\r\n.PLANEDAMAGED\r\n"
    "  .TagIdentifier 12\r\n.EndCheck\r\n.EndTrigger\r\n.MissionSummary\r\n.EndMission\r\n";

}  // namespace

class EditorAdditionsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachRewritingCommandIsOneStepToUndoAndRedo() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("tags.mis", kTags));
    const QString opened = EditorWorld::Text(form);
    form->Edit1Click();
    QVERIFY(!form->Undo1->isEnabled());

    // Renumbering: one step back to the text exactly, one step forward again.
    form->TagIdNumberFix1->trigger();
    const QString renumbered = EditorWorld::Text(form);
    QVERIFY(renumbered.contains("  .TagIdentifier 7\n.EndCheck"));
    form->Edit1Click();
    QVERIFY(form->Undo1->isEnabled());
    form->Undo1->trigger();
    QCOMPARE(EditorWorld::Text(form), opened);
    QVERIFY(!form->Undo1->isEnabled());
    QVERIFY(form->Redo1->isEnabled());
    form->Redo1->trigger();
    QCOMPARE(EditorWorld::Text(form), renumbered);

    // Replace all: every occurrence in one step.
    FindDialog* dialog = form->Search().ReplaceDialog1();
    dialog->SetFindText(".Entity");
    dialog->SetReplaceText(".ENTITY");
    world.dialogs.queueAnswer(Answer::Yes);
    dialog->ReplaceAllButton->click();
    QCOMPARE(EditorWorld::Text(form).count(".ENTITY"), 2);
    form->Undo1->trigger();
    QCOMPARE(EditorWorld::Text(form), renumbered);
    form->Undo1->trigger();
    QCOMPARE(EditorWorld::Text(form), opened);
    QVERIFY(!form->Document->IsModified());

    // Typing is undone too.
    QTest::keyClicks(form->Editor, "// note");
    QVERIFY(form->Undo1->isEnabled());
    form->Undo1->trigger();
    QCOMPARE(EditorWorld::Text(form), opened);
  }

  void goToLine() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("tags.mis", kTags));
    EditorWorld::PutCaret(form, 3, 4);
    world.dialogs.lineNumbers = {10};
    form->GoToLine1->trigger();
    QCOMPARE(world.dialogs.offeredLine, 3);
    QCOMPARE(world.dialogs.lastLine, 19);  // the empty line after the last line end
    QCOMPARE(form->CaretLine, 10);
    QCOMPARE(form->CaretColumn, 1);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 10 : 1"));
    // Cancelled: the caret stays.
    form->GoToLine1->trigger();
    QCOMPARE(form->CaretLine, 10);
    QVERIFY(!form->Document->IsModified());
  }

  void recentFilesAcrossARestart() {
    EditorWorld world;
    QStringList opened;
    for (int i = 1; i <= 9; ++i) {
      const QString path = world.Mission(QString("m%1.mis").arg(i), ".EndMission");
      EditorWorld::Close(world.Open(path));
      opened.prepend(path);
    }
    QCOMPARE(world.frame->RecentFiles(), opened.mid(0, 8));  // the last 8, newest first

    // Saved under a new name: that name goes to the top.
    TEditForm* form = world.New();
    const QString saved = world.MissionPath("new.mis");
    world.dialogs.queueFile(saved);
    QVERIFY(form->Files().Saveas1Click());
    QCOMPARE(world.frame->RecentFiles().first(), saved);
    EditorWorld::Close(form);

    // A second frame over the same program folder, as after a restart.
    ScriptedDialogs dialogs;
    TFrameForm::Options options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = world.dir.path();
    TFrameForm again(options);
    again.show();
    QCOMPARE(again.RecentFiles(), (QStringList{saved} + opened.mid(0, 7)));
    emit again.RecentFiles1->aboutToShow();
    const QList<QAction*> entries = again.RecentFiles1->actions();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.at(1)->text(), "&2 " + opened.at(0));
    // An entry opens its file as Open would: document 1, and to the top.
    entries.at(1)->trigger();
    auto* reopened = qobject_cast<TEditForm*>(again.ActiveDocument());
    QVERIFY(reopened);
    QCOMPARE(reopened->Document->FileName, opened.at(0));
    QCOMPARE(reopened->Document->DocumentNumber, 1);
    QVERIFY(reopened->Checker1->isVisible());
    QCOMPARE(again.RecentFiles().first(), opened.at(0));
    QVERIFY(dialogs.informed().isEmpty());
    // A file that has gone: "PathName bad", and it leaves the list.
    QVERIFY(QFile::remove(saved));
    QCoreApplication::processEvents();
    emit again.RecentFiles1->aboutToShow();
    again.RecentFiles1->actions().at(1)->trigger();
    QCOMPARE(dialogs.informed(), QStringList{"PathName bad"});
    QVERIFY(!again.RecentFiles().contains(saved));
    for (QWidget* document : again.Documents())
      if (auto* edit = qobject_cast<TEditForm*>(document)) edit->Document->SetModified(false);
  }

  void aFileChangedOnDiskIsOfferedForReloading() {
    EditorWorld world;
    const QString path = world.Mission("disk.mis", ".Entity\r\n.EndEntity\r\n.EndMission");
    TEditForm* form = world.Open(path);
    TEditForm* other = world.New();
    QTest::keyClicks(form->Editor, "// mine");
    QTest::keyClick(form->Editor, Qt::Key_Return);
    const QString mine = EditorWorld::Text(form);

    // Changed on disk, the answer No: the text stays, asked once only.
    QVERIFY(WriteBytes(path, ".Entity\r\n.Type Lorry\r\n.EndEntity\r\n.EndMission"));
    EditorWorld::Activate(other);
    world.dialogs.clear();
    EditorWorld::Activate(form);
    QCOMPARE(world.dialogs.texts,
             QStringList{path + " has been changed on disk. Reload it and lose the changes made in this window?"});
    QCOMPARE(EditorWorld::Text(form), mine);
    QVERIFY(form->Document->IsModified());
    EditorWorld::Activate(other);
    EditorWorld::Activate(form);
    QCOMPARE(world.dialogs.texts.size(), 1);

    // Changed again, the answer Yes: the file's text, unmodified.
    QVERIFY(WriteBytes(path, ".Entity\r\n.Type Hurricane\r\n.EndEntity\r\n.EndMission"));
    EditorWorld::Activate(other);
    world.dialogs.queueAnswer(Answer::Yes);
    EditorWorld::Activate(form);
    QCOMPARE(EditorWorld::Text(form), QString(".Entity\n.Type Hurricane\n.EndEntity\n.EndMission"));
    QVERIFY(!form->Document->IsModified());

    // The window's own save is no change from outside.
    QTest::keyClicks(form->Editor, "//");
    QVERIFY(form->Files().Save1Click());
    world.dialogs.clear();
    EditorWorld::Activate(other);
    EditorWorld::Activate(form);
    QVERIFY(world.dialogs.texts.isEmpty());

    // Gone from disk: said once, the text kept.
    QVERIFY(QFile::remove(path));
    EditorWorld::Activate(other);
    EditorWorld::Activate(form);
    QCOMPARE(world.dialogs.informed(),
             QStringList{path + " is no longer on disk. The text in this window is kept; Save writes it again."});
    QVERIFY(EditorWorld::Text(form).contains("//.Type Hurricane"));
  }
};

QTEST_MAIN(EditorAdditionsTest)
#include "editor_additions_test.moc"
