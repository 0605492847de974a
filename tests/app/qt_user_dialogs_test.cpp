// The real dialogs, driven while they run: the file dialog's filter index,
// type change and default extension, cancelling, the answers of the
// question boxes, and where a message stands before its window shows.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include "qt_user_dialogs.h"
#include "editor_test_support.h"
#include "dialog_driver.h"

using namespace tolvane;

namespace {

FileDialogRequest OpenRequest(const QString& folder) {
  FileDialogRequest request;
  request.InitialFolder = folder;
  request.Filters = QStringList{"Mission Files (*.mis)", "Plain Text Files (*.txt)", "All Files (*.*)"};
  request.FilterIndex = 1;
  request.DefaultExtension = "*.mis";
  return request;
}

}  // namespace

class QtUserDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void everySaveTypeGivesItsExtension();
  void openDialogStartsWhereAskedAndTakesThePickedType();
  void questionsAnswerWithTheButtonPressed();
  void messageBeforeItsWindowIsShownStandsCentred();
};

void QtUserDialogsTest::everySaveTypeGivesItsExtension() {
  struct Case {
    int entry;  // 0-based in the list
    QString typed;
    QString saved;
    QString extension;
  };
  const Case cases[] = {
      {0, "raid", "raid.mis", "*.mis"},
      {1, "notes", "notes.txt", "*.txt"},
      {2, "raw", "raw", "*.*"},
  };
  EditorWorld world;
  TEditForm* form = world.New();
  QtUserDialogs dialogs;
  for (const Case& c : cases) {
    FileDialogRequest request = form->Files().SaveFileDialog;
    request.InitialFolder = world.Missions();
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      PickType(dialog, c.entry);
      TypeNameAndAccept(dialog, c.typed);
    });
    QCOMPARE(dialogs.ChooseSaveFile(nullptr, request), world.MissionPath(c.saved));
    QCOMPARE(request.FilterIndex, c.entry + 1);
    QCOMPARE(request.DefaultExtension, c.extension);
  }
}

void QtUserDialogsTest::openDialogStartsWhereAskedAndTakesThePickedType() {
  QTemporaryDir dir;
  QFile file(dir.filePath("notes.txt"));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QtUserDialogs dialogs;
  FileDialogRequest request = OpenRequest(dir.path());
  QString seenFolder, seenFilter;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    seenFolder = dialog->directory().absolutePath();
    seenFilter = dialog->selectedNameFilter();
    dialog->reject();
  });
  QCOMPARE(dialogs.ChooseOpenFile(nullptr, request), QString());
  QCOMPARE(seenFolder, QDir(dir.path()).absolutePath());
  QCOMPARE(seenFilter, QString("Mission Files (*.mis)"));
  QCOMPARE(request.FilterIndex, 1);  // unchanged by a cancel

  // The user picks the second type: the default extension follows it.
  QString suffixAfterChange;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    PickType(dialog, 1);
    suffixAfterChange = dialog->defaultSuffix();
    dialog->selectFile(dir.filePath("notes.txt"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QCOMPARE(dialogs.ChooseOpenFile(nullptr, request), dir.filePath("notes.txt"));
  QCOMPARE(suffixAfterChange, QString("txt"));
  QCOMPARE(request.FilterIndex, 2);
  QCOMPARE(request.DefaultExtension, QString("*.txt"));
}

void QtUserDialogsTest::questionsAnswerWithTheButtonPressed() {
  QtUserDialogs dialogs;
  struct Case {
    std::function<Answer()> ask;
    QMessageBox::StandardButton press;
    Answer expected;
  };
  const Case cases[] = {
      {[&] { return dialogs.AskYesNoCancel(nullptr, "Save changes to a.mis?"); }, QMessageBox::No, Answer::No},
      {[&] { return dialogs.AskYesNoCancel(nullptr, "Save changes to a.mis?"); }, QMessageBox::Cancel,
       Answer::Cancel},
      {[&] { return dialogs.AskYesCancel(nullptr, "Replace all?"); }, QMessageBox::Yes, Answer::Yes},
      {[&] { return dialogs.AskYesNo(nullptr, "Go on?"); }, QMessageBox::No, Answer::No},
  };
  for (const Case& c : cases) {
    WhenShown<QMessageBox>([&](QMessageBox* box) {
      QPushButton* button = qobject_cast<QPushButton*>(box->button(c.press));
      QVERIFY(button);
      button->click();
    });
    QCOMPARE(c.ask(), c.expected);
  }
}

void QtUserDialogsTest::messageBeforeItsWindowIsShownStandsCentred() {
  // The frame during its start-up: made, not yet on the screen.
  QWidget frame;
  frame.setGeometry(0, 0, 200, 100);
  QtUserDialogs dialogs;
  QRect shownAt;
  QWidget* owner = &frame;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    shownAt = box->frameGeometry();
    owner = box->parentWidget();
    box->accept();
  });
  dialogs.Inform(&frame, "TypeNames.TXT NOT found in Tolvane Program Folder.");
  QVERIFY(!shownAt.isEmpty());
  QCOMPARE(owner, nullptr);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  QVERIFY2((shownAt.center() - screenCentre).manhattanLength() <= 4,
           qPrintable(QString("%1,%2").arg(shownAt.center().x()).arg(shownAt.center().y())));

  // Once the window is shown, its messages stand over it.
  frame.show();
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    owner = box->parentWidget();
    box->accept();
  });
  dialogs.Inform(&frame, "PathName bad");
  QCOMPARE(owner, &frame);
}

QTEST_MAIN(QtUserDialogsTest)
#include "qt_user_dialogs_test.moc"
