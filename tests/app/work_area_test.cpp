// The frame's work area as a user meets it, through the real windows: which
// document is told it has become the active one, the status bar, the keys
// of the work area and the menu bar, where windows go and how large they
// are.

#include <QAction>
#include <QDeadlineTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "editor_test_support.h"
#include "list_windows.h"
#include "qt_user_dialogs.h"

using namespace tolvane;

namespace {

// A document window that counts how often it was told it is the active one.
class CountingEditForm : public TEditForm {
 public:
  using TEditForm::TEditForm;
  void FormActivate() override {
    ++Activations;
    TEditForm::FormActivate();
  }
  int Activations = 0;
};

void MakeCountingDocuments(TFrameForm& frame) {
  DocumentFactory factory = MissionDocumentFactory();
  factory.Create = [](TFrameForm& owner) -> QWidget* {
    return new CountingEditForm(&owner, owner.State(), owner.Dialogs());
  };
  frame.SetDocumentFactory(factory);
}

CountingEditForm* Counting(TEditForm* form) { return static_cast<CountingEditForm*>(form); }

QByteArray Lines(int count) {
  QByteArray bytes;
  for (int line = 1; line <= count; ++line) bytes += "  .Line " + QByteArray::number(line) + " of the text\r\n";
  return bytes;
}

QMdiSubWindow* SubOf(QWidget* form) { return qobject_cast<QMdiSubWindow*>(form->parentWidget()); }

// Makes the frame the active window again, as a click on it would, and lets
// what follows from that run.
void ActivateFrame(EditorWorld& world) {
  world.frame->activateWindow();
  QTRY_COMPARE(QApplication::activeWindow(), world.frame.get());
  QCoreApplication::processEvents();
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focus = QApplication::focusWidget();
  QVERIFY(focus);
  QTest::keyClick(focus, Qt::Key(key), modifiers);
}

}  // namespace

class WorkAreaTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWayOfBecomingActiveActivatesOnce() {
    EditorWorld world;
    MakeCountingDocuments(*world.frame);
    ActivateFrame(world);
    auto* first = Counting(world.Open(world.Mission("first.mis", Lines(20))));
    auto* second = Counting(world.Open(world.Mission("second.mis", Lines(3))));
    QCoreApplication::processEvents();
    QCOMPARE(first->Activations, 1);
    QCOMPARE(second->Activations, 1);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 1 : 1"));

    // A caret moved in the window behind leaves the status bar alone.
    EditorWorld::PutCaret(first, 14, 14);
    QCOMPARE(first->CaretLine, 14);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 1 : 1"));

    // A tool window in front, then closed: the frame is active again and the
    // document in front is told so once, and shows its own caret.
    world.frame->Checks1->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), world.frame->Forms().Form1);
    world.frame->SetStatusText(0, "  Line: 14 : 14");
    world.frame->Forms().Form1->close();
    ActivateFrame(world);
    QCOMPARE(second->Activations, 2);
    QCOMPARE(first->Activations, 1);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 1 : 1"));

    // A tool window hidden, and the other document chosen while it is in
    // front: each window is told once, the one chosen last is in front.
    world.frame->Forms().Form16->ShowAndRaise();
    QTRY_COMPARE(QApplication::activeWindow(), world.frame->Forms().Form16);
    EditorWorld::Activate(first);
    world.frame->Forms().Form16->hide();
    ActivateFrame(world);
    QCOMPARE(first->Activations, 2);
    QCOMPARE(second->Activations, 2);
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 14 : 14"));

    // Ctrl+F6, Ctrl+Shift+F6 and the Window menu: once each.
    first->Editor->setFocus();
    Press(Qt::Key_F6, Qt::ControlModifier);
    QCOMPARE(world.Active(), second);
    QCOMPARE(second->Activations, 3);
    Press(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(world.Active(), first);
    QCOMPARE(first->Activations, 3);
    // The Window menu's list is rebuilt each time it opens, not grown.
    emit world.frame->Window1->aboutToShow();
    emit world.frame->Window1->aboutToShow();
    QCOMPARE(world.frame->Window1->actions().size(), 6);
    QCOMPARE(world.frame->Window1->actions().value(5)->text(), QString("&2 second.mis"));
    world.frame->Window1->actions().value(5)->trigger();
    QCOMPARE(world.Active(), second);
    QCOMPARE(second->Activations, 4);
    QCOMPARE(first->Activations, 3);
    // A message box of the program's own is no other window: once it has
    // been the active window and is closed, the same document is in front.
    QDeadlineTimer deadline(5000);
    std::function<void()> closeWhenActive = [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal && (QApplication::activeWindow() == modal || deadline.hasExpired())) {
        modal->close();
        return;
      }
      QTimer::singleShot(10, closeWhenActive);
    };
    QTimer::singleShot(0, closeWhenActive);
    QtUserDialogs().Inform(world.frame.get(), "A notice");
    QVERIFY(!deadline.hasExpired());
    ActivateFrame(world);
    QCOMPARE(second->Activations, 4);
  }

  void aListWindowsFindIsCarriedOutWhenTheFrameIsBack() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("bridge.mis", "x\r\n.Bridge Namur\r\n.EndMission\r\n"));
    ActivateFrame(world);
    TForm8* bridges = world.frame->Forms().Form8;
    world.frame->Bridges1->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), bridges);
    const QList<QListWidgetItem*> items = bridges->ListBox1->findItems("4.  Namur", Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    bridges->ListBox1->setCurrentItem(items.first());
    bridges->ListBox1Click();
    bridges->FindButton1->click();  // the list goes, the frame comes back
    world.frame->activateWindow();
    QTRY_COMPARE(form->CaretLine, 2);
    QCOMPARE(form->Editor->textCursor().selectedText(), QString(".Bridge Namur"));
    QCOMPARE(world.frame->StatusText(0), QString("  Line: 2 : 1"));
    QVERIFY(!world.frame->State().BridgeListFindFlag());
  }

  void ctrlF4ClosesTheActiveDocumentWithItsQuestion() {
    EditorWorld world;
    TEditForm* first = world.Open(world.Mission("first.mis", Lines(3)));
    TEditForm* second = world.Open(world.Mission("second.mis", Lines(3)));
    QPointer<TEditForm> firstGuard(first), secondGuard(second);
    ActivateFrame(world);
    second->Editor->setFocus();
    QTest::keyClicks(second->Editor, "changed");
    world.dialogs.queueAnswer(Answer::Cancel);
    Press(Qt::Key_F4, Qt::ControlModifier);
    EditorWorld::Settle();
    QVERIFY(!secondGuard.isNull());  // Cancel keeps it
    QCOMPARE(world.dialogs.texts.last(), "Save changes to " + second->Document->FileName + "?");
    world.dialogs.queueAnswer(Answer::No);
    Press(Qt::Key_F4, Qt::ControlModifier);
    EditorWorld::Settle();
    QVERIFY(secondGuard.isNull());
    QCOMPARE(world.Active(), first);
    first->Editor->setFocus();
    Press(Qt::Key_F4, Qt::ControlModifier);
    EditorWorld::Settle();
    QVERIFY(firstGuard.isNull());
    QCOMPARE(world.WindowCount(), 0);
  }

  void sharedMnemonicsMoveBetweenTheirItems() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("keys.mis", Lines(3)));
    ActivateFrame(world);
    form->Editor->setFocus();
    QMenuBar* bar = world.frame->menuBar();
    // Should a command run at once, its dialog is closed and noted.
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        dialogShown = true;
        modal->close();
      }
    });
    // "&Color" of the document and "&Checks" of the frame share Alt+C.
    Press(Qt::Key_C, Qt::AltModifier);
    QCOMPARE(bar->activeAction(), form->Color1);
    Press(Qt::Key_C, Qt::AltModifier);
    QCOMPARE(bar->activeAction(), world.frame->Checks1);
    Press(Qt::Key_C, Qt::AltModifier);
    QCOMPARE(bar->activeAction(), form->Color1);
    QCoreApplication::processEvents();
    QVERIFY(!dialogShown);
    // Escape leaves the bar: the keyboard is back in the text.
    Press(Qt::Key_Escape);
    QCOMPARE(bar->activeAction(), nullptr);
    QCOMPARE(QApplication::focusWidget(), form->Editor);
    // "Fon&t" and "&Triggers" share Alt+T; Enter runs the one highlighted.
    Press(Qt::Key_T, Qt::AltModifier);
    QCOMPARE(bar->activeAction(), form->Font1);
    Press(Qt::Key_T, Qt::AltModifier);
    QCOMPARE(bar->activeAction(), world.frame->Triggers1);
    Press(Qt::Key_Return);
    QVERIFY(world.frame->Forms().Form3->isVisible());
    QCOMPARE(bar->activeAction(), nullptr);
    QCOMPARE(EditorWorld::Text(form), QString::fromLatin1(Lines(3)).remove('\r'));
  }

  void windowsFitTheWorkAreaAndTheMenuBarFitsTheFrame() {
    EditorWorld world;
    TFrameForm& frame = *world.frame;
    TEditForm* first = world.Open(world.Mission("first.mis", Lines(3)));
    world.Open(world.Mission("second.mis", Lines(3)));
    QCoreApplication::processEvents();
    // Every item of the bar has its place, none is behind an overflow button.
    QMenuBar* bar = frame.menuBar();
    for (QAction* item : bar->actions()) {
      if (!item->isVisible()) continue;
      const QRect place = bar->actionGeometry(item);
      QVERIFY2(!place.isEmpty() && bar->rect().contains(place), qPrintable(item->text()));
    }
    QVERIFY(bar->actions().contains(frame.About1));
    // Each new window inside the work area, the second below and to the right of the first.
    const QRect area = frame.MdiArea()->viewport()->rect();
    const QList<QMdiSubWindow*> subs = frame.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(subs.size(), 2);
    for (QMdiSubWindow* sub : subs) QVERIFY(area.contains(sub->geometry()));
    QVERIFY(subs[1]->x() > subs[0]->x() && subs[1]->y() > subs[0]->y());
    QCOMPARE(subs[0], SubOf(first));

    // Cascade keeps many windows readable and inside the area as far as it can.
    for (int n = 3; n <= 12; ++n) world.New();
    frame.Cascade1Click();
    const QSize readable = frame.ReadableDocumentSize().boundedTo(area.size());
    for (QMdiSubWindow* sub : frame.MdiArea()->subWindowList()) {
      QVERIFY(sub->width() >= readable.width() && sub->height() >= readable.height());
      QVERIFY(area.contains(sub->geometry()));
    }
    QCOMPARE(frame.MdiArea()->subWindowList(QMdiArea::StackingOrder).last(), frame.MdiArea()->activeSubWindow());
  }
};

QTEST_MAIN(WorkAreaTest)
#include "work_area_test.moc"
