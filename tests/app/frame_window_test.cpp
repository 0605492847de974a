// The frame: start-up with and without its files, the menus and their
// merging with a document window, the open dialog, the tool windows and the
// status bar.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "edit_form.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "frame_window.h"
#include "menu_merging.h"
#include "qt_user_dialogs.h"
#include "scripted_dialogs.h"
#include "tool_windows.h"
#include "editor_test_support.h"

using namespace tolvane;

namespace {

const char* const IniText =
    "[MISSION FOLDER]\r\n/srv/skyrend/missions\r\n\r\n[FONT]\r\nMonospace\r\n10\r\n0\r\nBold\r\n\r\n[COLOR]\r\n"
    "14745599\r\nColorA=FFFFFF\r\n\r\n";

// A document window of the kind the frame merges: a File menu in group 0
// and two menus in group 1.
class FakeDocument : public QWidget, public MenuMergeSource {
 public:
  explicit FakeDocument(const QString& name) {
    setWindowTitle(name);
    File = new QMenu("&File", this);
    File->addAction("&Close");
    Edit = new QMenu("&Edit", this);
    Search = new QMenu("&Search", this);
  }
  QList<MergeMenuItem> MergeMenuItems() const override {
    return {{0, File->menuAction()}, {1, Edit->menuAction()}, {1, Search->menuAction()}};
  }
  QMenu* File;
  QMenu* Edit;
  QMenu* Search;
};

struct Fixture {
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  int created = 0;
  QStringList opened;
  bool openSucceeds = true;
  bool openThrows = false;
  std::unique_ptr<TFrameForm> frame;

  Fixture(bool withIni, bool withNames) {
    WriteBytes(dir.filePath("Triggers.txt"), "");
    if (withIni) WriteBytes(dir.filePath("Tolvane.INI"), IniText);
    if (withNames) WriteBytes(dir.filePath("ObjectNames.Txt"), "Spitfire\r\nMesserschmitt\r\n\r\nTiger");
  }

  TFrameForm& Start() {
    FrameOptions options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = dir.path();
    options.Documents.Create = [this](TFrameForm&) -> QWidget* {
      ++created;
      return new FakeDocument(QString("Document %1").arg(created));
    };
    options.Documents.Open = [this](QWidget*, const QString& path) {
      if (openThrows) throw std::runtime_error("disk gone");
      opened << path;
      return openSucceeds;
    };
    frame = std::make_unique<TFrameForm>(options);
    return *frame;
  }
};

QStringList BarCaptions(TFrameForm& frame) {
  QStringList captions;
  for (QAction* action : frame.menuBar()->actions())
    if (action->isVisible()) captions << action->text();
  return captions;
}

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

const QStringList FrameBar = {"&File", "&Window", "&Checks", "&Actions", "&Triggers", "&Distances", "&Readme", "About"};

}  // namespace

class FrameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithItsFilesOrReportsThem();
  void takesTheWorkingDirectoryAsProgramFolder();
  void mergesTheActiveDocumentsMenus();
  void opensTheChosenFileInANewWindow();
  void toolCommandsShowTheirWindows();
  void statusBarHasTwoPanels();
};

void FrameWindowTest::startsWithItsFilesOrReportsThem() {
  // A missing file is reported and the start goes on with the other: the
  // settings first, then the frame's two messages about the type names and
  // the Objects window's own report of the same file.
  const QString noNames = "TypeNames.TXT NOT found in Tolvane Program Folder.";
  const QString noVerify = "You can use Tolvane to EDIT missions, but NOT to Verify Missions";
  const QString missions = "/srv/skyrend/missions";
  for (bool withIni : {true, false}) {
    for (bool withNames : {true, false}) {
      Fixture f(withIni, withNames);
      TFrameForm& frame = f.Start();
      AppState& state = frame.State();
      QStringList shown = f.dialogs.informed();
      QCOMPARE(f.dialogs.texts.size(), shown.size());
      QCOMPARE(shown.size(), (withIni ? 0 : 1) + (withNames ? 0 : 3));
      if (!withIni) QVERIFY(shown.takeFirst().contains("Tolvane.INI"));
      if (!withNames) {
        QCOMPARE(shown.mid(0, 2), QStringList({noNames, noVerify}));
        QVERIFY(shown[2].contains("ObjectNames.Txt"));
      }
      QCOMPARE(state.ProgramFolder, f.dir.path());
      QCOMPARE(state.Settings.Loaded, withIni);
      QCOMPARE(state.Settings.EditorColor, withIni ? 14745599 : 0);
      QCOMPARE(frame.OpenFileDialog().InitialFolder, withIni ? missions : QString());
      QCOMPARE(state.Environment.MissionFolder(), withIni ? missions.toStdString() : std::string());
      QCOMPARE(state.TypeNames.TypeNamesLoaded, withNames);
      QCOMPARE(state.Environment.TypeNames().TypeNamesLoaded, withNames);
      QCOMPARE(state.TypeNames.TypeNameCount(), withNames ? 4 : 0);
    }
  }
}

void FrameWindowTest::takesTheWorkingDirectoryAsProgramFolder() {
  Fixture f(true, true);
  QString before = QDir::currentPath();
  QVERIFY(QDir::setCurrent(f.dir.path()));
  FrameOptions options;
  options.Dialogs = &f.dialogs;
  TFrameForm frame(options);
  QDir::setCurrent(before);
  QCOMPARE(QDir(frame.State().ProgramFolder).canonicalPath(), QDir(f.dir.path()).canonicalPath());
  QVERIFY(!frame.State().ProgramFolder.endsWith('/'));
  QVERIFY(f.dialogs.texts.isEmpty());
}

void FrameWindowTest::mergesTheActiveDocumentsMenus() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  QCOMPARE(BarCaptions(frame), FrameBar);
  auto* first = static_cast<FakeDocument*>(frame.New1Click());
  QVERIFY(first);
  QCOMPARE(frame.ActiveDocument(), first);
  QList<QAction*> bar = frame.menuBar()->actions();
  QCOMPARE(bar.value(0), first->File->menuAction());  // the document's File replaces the frame's
  QCOMPARE(bar.value(1), first->Edit->menuAction());
  QCOMPARE(bar.value(2), first->Search->menuAction());
  QCOMPARE(bar.value(3), frame.Window1->menuAction());
  QVERIFY(!bar.contains(frame.File1->menuAction()));

  // The second document brings its own; activating the first again swaps back.
  auto* second = static_cast<FakeDocument*>(frame.New1Click());
  QCOMPARE(frame.menuBar()->actions().value(0), second->File->menuAction());
  QVERIFY(!frame.menuBar()->actions().contains(first->Edit->menuAction()));
  frame.MdiArea()->setActiveSubWindow(frame.MdiArea()->subWindowList().first());
  QCOMPARE(frame.menuBar()->actions().value(0), first->File->menuAction());

  // A hidden document menu stays out of sight in the bar.
  first->Search->menuAction()->setVisible(false);
  QVERIFY(!BarCaptions(frame).contains("&Search"));

  // "&Bridges", once asked for, stays while documents come and go.
  frame.ShowBridgesCommand();
  QVERIFY(BarCaptions(frame).contains("&Bridges"));

  // No document: the frame's own menus again.
  frame.MdiArea()->closeAllSubWindows();
  DeleteClosedWindows();
  QVERIFY(frame.Documents().isEmpty());
  QCOMPARE(frame.menuBar()->actions().value(0), frame.File1->menuAction());
  QVERIFY(frame.Bridges1->isVisible());
  QCOMPARE(BarCaptions(frame).size(), FrameBar.size() + 1);
}

void FrameWindowTest::opensTheChosenFileInANewWindow() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.Open1Click();  // no answer scripted: cancelled
  QCOMPARE(f.created, 0);
  QCOMPARE(f.dialogs.fileRequests.size(), size_t(1));

  // The initial folder is the missions folder each time.
  frame.OpenFileDialog().InitialFolder = "/elsewhere";
  f.dialogs.queueFile("/srv/skyrend/missions/harbour.mis", 2, "*.txt");
  frame.Open1Click();
  QCOMPARE(f.dialogs.fileRequests.back().InitialFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(f.opened, QStringList({"/srv/skyrend/missions/harbour.mis"}));
  QCOMPARE(frame.Documents().size(), 1);
  QVERIFY(f.dialogs.informed().isEmpty());
  // The dialog keeps what the user picked until it is reset.
  QCOMPARE(frame.OpenFileDialog().FilterIndex, 2);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.txt"));

  // A file that cannot be read, or a read that throws: "PathName bad" and
  // the new window stays.
  f.openSucceeds = false;
  f.dialogs.queueFile("/srv/skyrend/missions/broken.mis");
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad"}));
  QCOMPARE(frame.Documents().size(), 2);
  f.openThrows = true;
  f.dialogs.queueFile("/srv/skyrend/missions/gone.mis");
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad", "PathName bad"}));
  QCOMPARE(frame.Documents().size(), 3);
}

void FrameWindowTest::toolCommandsShowTheirWindows() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  ToolWindows& forms = frame.Forms();
  const QList<QPair<QAction*, QWidget*>> commands = {
      {frame.Checks1, forms.Form1},    {frame.Actions1, forms.Form2}, {frame.Triggers1, forms.Form3},
      {frame.Distances1, forms.Form4}, {frame.Readme1, forms.Form16}, {frame.About1, forms.Form15},
      {frame.Bridges1, forms.Form8}};
  for (const auto& command : commands) {
    QVERIFY(!command.second->isVisible());
    command.first->trigger();
    QVERIFY2(command.second->isVisible(), qPrintable(command.second->windowTitle()));
    command.first->trigger();  // already visible: stays so
    QVERIFY(command.second->isVisible());
  }
  QVERIFY(!forms.Form5->isVisible());
  QVERIFY(!forms.Form6->isVisible());
}

void FrameWindowTest::statusBarHasTwoPanels() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.SetStatusText(0, "  Line: 1 : 1");
  // The caret panel is as wide as its text needs, so no line or column
  // number is cut.
  QLabel* caret = nullptr;
  for (QLabel* panel : frame.statusBar()->findChildren<QLabel*>())
    if (panel->text() == "  Line: 1 : 1") caret = panel;
  QVERIFY(caret);
  for (const QString& text : {QString("  Line: 99999 : 999"), QString("  Line: 1234567 : 123456")}) {
    frame.SetStatusText(0, text);
    QVERIFY2(caret->contentsRect().width() >= caret->fontMetrics().horizontalAdvance(text), qPrintable(text));
  }
}

QTEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
