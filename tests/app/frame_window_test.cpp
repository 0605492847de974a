// The frame: start-up with and without its files, the menus and their
// merging with a document window, the open dialog, the tool windows, the
// status bar and leaving the program.

#include <QCloseEvent>
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

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A document window of the kind the frame merges: a File menu in group 0
// and two menus in group 1. It may refuse to close.
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
  bool RefuseClose = false;
  QMenu* File;
  QMenu* Edit;
  QMenu* Search;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (RefuseClose) event->ignore();
    else event->accept();
  }
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
    WriteFile(dir.filePath("Triggers.txt"), "");
    if (withIni) WriteFile(dir.filePath("Tolvane.INI"), IniText);
    if (withNames) WriteFile(dir.filePath("ObjectNames.Txt"), "Spitfire\r\nMesserschmitt\r\n\r\nTiger");
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

QStringList MenuCaptions(QMenu* menu) {
  QStringList captions;
  for (QAction* action : menu->actions()) captions << (action->isSeparator() ? QString("-") : action->text());
  return captions;
}

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

const QStringList FrameBar = {"&File", "&Window", "&Checks", "&Actions", "&Triggers", "&Distances", "&Readme", "About"};

}  // namespace

class FrameWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void toolWindowsHaveTheirTitleBarButtons();
  void startsQuietlyWithItsFiles();
  void reportsAMissingSettingsFileOnceAndGoesOn();
  void reportsMissingTypeNamesWithTwoMessages();
  void reportsBothMissingFilesInOrder();
  void reportsABadSettingsNumberAndKeepsTheFolder();
  void typeNamesKeepTenCharactersAndEmptyLines();
  void takesTheWorkingDirectoryAsProgramFolder();
  void showsItsOwnMenusAtAFreshStart();
  void bridgesCommandAppearsWhenAsked();
  void mergesTheActiveDocumentsMenus();
  void cancellingTheOpenDialogCreatesNoWindow();
  void openReportsPathNameBadAndKeepsTheWindow();
  void opensTheChosenFileInANewWindow();
  void openDialogTypeChangeAndReset();
  void createsToolWindowsHiddenInOrder();
  void toolCommandsShowTheirWindows();
  void statusBarHasTwoPanels();
  void exitAsksEveryDocument();
  void windowMenuListsTheDocuments();
  void fileDialogHelpers();
  void worksWithTheMissionDocumentWindow();
};

void FrameWindowTest::startsQuietlyWithItsFiles() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  QVERIFY(f.dialogs.texts.isEmpty());
  QCOMPARE(frame.windowTitle(), QString("Skyrend Tolvane ver 1.2.3.1"));
  AppState& state = frame.State();
  QCOMPARE(state.ProgramFolder, f.dir.path());
  QVERIFY(state.Settings.Loaded);
  QCOMPARE(state.Settings.MissionFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(state.Settings.EditorColor, 14745599);
  QVERIFY(state.TypeNames.TypeNamesLoaded);
  QCOMPARE(state.TypeNames.TypeNameCount(), 4);
  QVERIFY(state.Environment.TypeNames().TypeNamesLoaded);
  QCOMPARE(state.Environment.MissionFolder(), std::string("/srv/skyrend/missions"));
  QCOMPARE(state.DocumentCount, 0);
  QCOMPARE(frame.OpenFileDialog().InitialFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(frame.OpenFileDialog().Title, QString("Tolvane Open File"));
  QCOMPARE(frame.OpenFileDialog().Filters,
           QStringList({"Mission Files (*.mis)", "Plain Text Files (*.txt)", "All Files (*.*)"}));
  QCOMPARE(frame.OpenFileDialog().FilterIndex, 1);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.mis"));
  QVERIFY(frame.Documents().isEmpty());
}

void FrameWindowTest::reportsAMissingSettingsFileOnceAndGoesOn() {
  Fixture f(false, true);
  TFrameForm& frame = f.Start();
  QCOMPARE(f.dialogs.informed().size(), 1);
  QVERIFY(f.dialogs.informed().first().contains("Tolvane.INI"));
  QVERIFY(!frame.State().Settings.Loaded);
  QCOMPARE(frame.State().Settings.MissionFolder, QString());
  QVERIFY(frame.State().TypeNames.TypeNamesLoaded);  // still loaded
  QCOMPARE(frame.OpenFileDialog().InitialFolder, QString());
}

void FrameWindowTest::reportsMissingTypeNamesWithTwoMessages() {
  Fixture f(true, false);
  TFrameForm& frame = f.Start();
  // The frame's two messages, then the Objects window's own report of the same file.
  const QStringList shown = f.dialogs.informed();
  QCOMPARE(shown.size(), 3);
  QCOMPARE(shown.mid(0, 2), QStringList({"TypeNames.TXT NOT found in Tolvane Program Folder.",
                                         "You can use Tolvane to EDIT missions, but NOT to Verify Missions"}));
  QVERIFY(shown[2].contains("ObjectNames.Txt"));
  QVERIFY(!frame.State().TypeNames.TypeNamesLoaded);
  QCOMPARE(frame.State().TypeNames.TypeNameCount(), 0);
}

void FrameWindowTest::reportsBothMissingFilesInOrder() {
  Fixture f(false, false);
  f.Start();
  QStringList shown = f.dialogs.informed();
  QCOMPARE(shown.size(), 4);
  QVERIFY(shown[0].contains("Tolvane.INI"));
  QVERIFY(shown[3].contains("ObjectNames.Txt"));
  QCOMPARE(shown[1], QString("TypeNames.TXT NOT found in Tolvane Program Folder."));
  QCOMPARE(shown[2], QString("You can use Tolvane to EDIT missions, but NOT to Verify Missions"));
}

void FrameWindowTest::reportsABadSettingsNumberAndKeepsTheFolder() {
  Fixture f(false, true);
  WriteFile(f.dir.filePath("Tolvane.INI"), "[MISSION FOLDER]\r\n/m/\r\n\r\n[FONT]\r\nArial\r\nten\r\n0\r\n");
  TFrameForm& frame = f.Start();
  QCOMPARE(f.dialogs.informed().size(), 1);
  QVERIFY(f.dialogs.informed().first().contains("\"ten\""));
  QCOMPARE(frame.State().Settings.MissionFolder, QString("/m/"));
  QVERIFY(!frame.State().Settings.Loaded);
  QCOMPARE(frame.OpenFileDialog().InitialFolder, QString("/m/"));
  QVERIFY(frame.State().TypeNames.TypeNamesLoaded);
}

void FrameWindowTest::typeNamesKeepTenCharactersAndEmptyLines() {
  Fixture f(true, false);
  WriteFile(f.dir.filePath("ObjectNames.Txt"), "ABCDEFGHIJKLMN\n\n  Blank  \nLast");
  TFrameForm& frame = f.Start();
  const auto& table = frame.State().TypeNames.TypeNameTable;
  QCOMPARE(frame.State().TypeNames.TypeNameCount(), 4);
  QCOMPARE(table[0].str(), std::string("ABCDEFGHIJ"));
  QCOMPARE(table[1].str(), std::string());
  QCOMPARE(table[2].str(), std::string("  Blank  "));
  QCOMPARE(table[3].str(), std::string("Last"));
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

void FrameWindowTest::showsItsOwnMenusAtAFreshStart() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  QCOMPARE(BarCaptions(frame), FrameBar);
  QVERIFY(!frame.Bridges1->isVisible());
  // The standard items come first; additions follow them.
  QCOMPARE(MenuCaptions(frame.File1).mid(0, 4), QStringList({"&New", "&Open...", "-", "E&xit"}));
  QCOMPARE(MenuCaptions(frame.Window1), QStringList({"&Tile", "&Cascade", "&Arrange icons"}));
}

void FrameWindowTest::bridgesCommandAppearsWhenAsked() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.ShowBridgesCommand();
  QCOMPARE(BarCaptions(frame), QStringList({"&File", "&Window", "&Checks", "&Actions", "&Triggers", "&Distances",
                                            "&Bridges", "&Readme", "About"}));
  // A document coming and going leaves it visible.
  frame.New1Click();
  frame.MdiArea()->closeAllSubWindows();
  DeleteClosedWindows();
  QVERIFY(frame.Bridges1->isVisible());
}

void FrameWindowTest::mergesTheActiveDocumentsMenus() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  auto* first = static_cast<FakeDocument*>(frame.New1Click());
  QVERIFY(first);
  QCOMPARE(frame.ActiveDocument(), first);
  QList<QAction*> bar = frame.menuBar()->actions();
  QCOMPARE(bar.value(0), first->File->menuAction());  // the document's File replaces the frame's
  QCOMPARE(bar.value(1), first->Edit->menuAction());
  QCOMPARE(bar.value(2), first->Search->menuAction());
  QCOMPARE(bar.value(3), frame.Window1->menuAction());
  QVERIFY(!bar.contains(frame.File1->menuAction()));
  QCOMPARE(BarCaptions(frame), QStringList({"&File", "&Edit", "&Search", "&Window", "&Checks", "&Actions",
                                            "&Triggers", "&Distances", "&Readme", "About"}));

  // The second document brings its own; activating the first again swaps back.
  auto* second = static_cast<FakeDocument*>(frame.New1Click());
  QCOMPARE(frame.menuBar()->actions().value(0), second->File->menuAction());
  QVERIFY(!frame.menuBar()->actions().contains(first->Edit->menuAction()));
  frame.MdiArea()->setActiveSubWindow(frame.MdiArea()->subWindowList().first());
  QCOMPARE(frame.menuBar()->actions().value(0), first->File->menuAction());

  // A hidden document menu stays out of sight in the bar.
  first->Search->menuAction()->setVisible(false);
  QVERIFY(!BarCaptions(frame).contains("&Search"));

  // No document: the frame's own menus again.
  frame.MdiArea()->closeAllSubWindows();
  DeleteClosedWindows();
  QVERIFY(frame.Documents().isEmpty());
  QCOMPARE(frame.menuBar()->actions().value(0), frame.File1->menuAction());
  QCOMPARE(BarCaptions(frame), FrameBar);
}

void FrameWindowTest::cancellingTheOpenDialogCreatesNoWindow() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.Open1Click();  // no answer scripted: cancelled
  QCOMPARE(f.created, 0);
  QVERIFY(frame.Documents().isEmpty());
  QCOMPARE(f.dialogs.fileRequests.size(), size_t(1));
  const FileDialogRequest& request = f.dialogs.fileRequests.front();
  QCOMPARE(request.Title, QString("Tolvane Open File"));
  QCOMPARE(request.InitialFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(request.FilterIndex, 1);
  QCOMPARE(f.dialogs.informed(), QStringList());
}

void FrameWindowTest::openReportsPathNameBadAndKeepsTheWindow() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  f.openSucceeds = false;
  f.dialogs.queueFile("/srv/skyrend/missions/broken.mis");
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad"}));
  QCOMPARE(frame.Documents().size(), 1);

  f.openThrows = true;
  f.dialogs.queueFile("/srv/skyrend/missions/gone.mis");
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad", "PathName bad"}));
  QCOMPARE(frame.Documents().size(), 2);
}

void FrameWindowTest::opensTheChosenFileInANewWindow() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  // The initial folder is the missions folder each time.
  frame.OpenFileDialog().InitialFolder = "/elsewhere";
  f.dialogs.queueFile("/srv/skyrend/missions/harbour.mis", 2, "*.txt");
  frame.Open1Click();
  QCOMPARE(f.dialogs.fileRequests.front().InitialFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(f.opened, QStringList({"/srv/skyrend/missions/harbour.mis"}));
  QCOMPARE(frame.Documents().size(), 1);
  QVERIFY(f.dialogs.informed().isEmpty());
  // The dialog keeps what the user picked until it is reset.
  QCOMPARE(frame.OpenFileDialog().FilterIndex, 2);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.txt"));
}

void FrameWindowTest::openDialogTypeChangeAndReset() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.OpenFileDialogTypeChange(2);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.txt"));
  frame.OpenFileDialogTypeChange(3);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.*"));
  frame.OpenFileDialogTypeChange(7);  // no such entry: nothing changes
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.*"));
  frame.OpenFileDialogTypeChange(1);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.mis"));

  frame.OpenFileDialog().InitialFolder = "/tmp";
  frame.OpenFileDialog().FileName = "/tmp/a.txt";
  frame.OpenFileDialog().FilterIndex = 3;
  frame.OpenFileDialog().DefaultExtension = "*.*";
  frame.ResetOpenDialog();
  QCOMPARE(frame.OpenFileDialog().InitialFolder, QString("/srv/skyrend/missions"));
  QCOMPARE(frame.OpenFileDialog().FileName, QString());
  QCOMPARE(frame.OpenFileDialog().FilterIndex, 1);
  QCOMPARE(frame.OpenFileDialog().DefaultExtension, QString("*.mis"));
}

void FrameWindowTest::createsToolWindowsHiddenInOrder() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  QStringList captions;
  for (QObject* child : frame.children()) {
    if (auto* tool = qobject_cast<ToolWindow*>(child)) {
      captions << tool->windowTitle();
      QVERIFY(!tool->isVisible());
      QVERIFY(tool->isWindow());
    }
  }
  QCOMPARE(captions, QStringList({"Checks", "Actions", "Triggers", "Distances", "Objects", "Mission Aircraft",
                                  "Bridges", "Vehicle Waypoints", "Mission Flight Waypoints", "Mission Vehicles",
                                  "Mission Divisions", "Mission Structures", "Mission Triggers", "Mission Bridges",
                                  "About Skyrend Tolvane", "Tolvane Readme"}));
  QCOMPARE(frame.Forms().MissionWindows().size(), 14);
  QVERIFY(!frame.Forms().MissionWindows().contains(frame.Forms().Form15));
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
  frame.SetStatusText(1, "  Space = @   Tab = # ");
  frame.SetStatusText(2, "ignored");
  QCOMPARE(frame.StatusText(0), QString("  Line: 1 : 1"));
  QCOMPARE(frame.StatusText(1), QString("  Space = @   Tab = # "));
  QCOMPARE(frame.StatusText(2), QString());
  // The caret panel: at least 100 pixels, and as wide as its text needs, so
  // no line or column number is cut.
  QLabel* caret = nullptr;
  for (QLabel* panel : frame.statusBar()->findChildren<QLabel*>())
    if (panel->text() == "  Line: 1 : 1") caret = panel;
  QVERIFY(caret);
  QVERIFY(caret->minimumWidth() >= 100);
  for (const QString& text : {QString("  Line: 1266 : 18"), QString("  Line: 99999 : 999"),
                              QString("  Line: 1234567 : 123456")}) {
    frame.SetStatusText(0, text);
    QVERIFY2(caret->contentsRect().width() >= caret->fontMetrics().horizontalAdvance(text), qPrintable(text));
  }
}

void FrameWindowTest::exitAsksEveryDocument() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.show();
  auto* agreeable = static_cast<FakeDocument*>(frame.New1Click());
  auto* stubborn = static_cast<FakeDocument*>(frame.New1Click());
  Q_UNUSED(agreeable);
  stubborn->RefuseClose = true;
  frame.Forms().Form1->ShowAndRaise();

  frame.Exit1Click();
  DeleteClosedWindows();
  QVERIFY(frame.isVisible());  // one refused: the program runs on
  QCOMPARE(frame.Documents().size(), 1);
  QCOMPARE(frame.Documents().first(), stubborn);

  stubborn->RefuseClose = false;
  frame.Exit1Click();
  DeleteClosedWindows();
  QVERIFY(!frame.isVisible());
  QVERIFY(frame.Documents().isEmpty());
  QVERIFY(!frame.Forms().Form1->isVisible());
}

void FrameWindowTest::windowMenuListsTheDocuments() {
  Fixture f(true, true);
  TFrameForm& frame = f.Start();
  frame.New1Click();
  frame.New1Click();
  emit frame.Window1->aboutToShow();
  QStringList captions = MenuCaptions(frame.Window1);
  QCOMPARE(captions, QStringList({"&Tile", "&Cascade", "&Arrange icons", "-", "&1 Document 1", "&2 Document 2"}));
  QVERIFY(frame.Window1->actions().last()->isChecked());

  // Choosing an entry activates that window; the list is rebuilt, not grown.
  frame.Window1->actions().value(4)->trigger();
  QCOMPARE(frame.ActiveDocument()->windowTitle(), QString("Document 1"));
  emit frame.Window1->aboutToShow();
  QCOMPARE(MenuCaptions(frame.Window1).size(), 6);

  frame.Tile1Click();
  frame.Cascade1Click();
  frame.MdiArea()->subWindowList().first()->showMinimized();
  frame.Arrangeicons1Click();
  QCOMPARE(frame.Documents().size(), 2);
}

void FrameWindowTest::fileDialogHelpers() {
  QCOMPARE(ExtensionOfFilter("Mission Files (*.mis)", "*.x"), QString("*.mis"));
  QCOMPARE(ExtensionOfFilter("All Files (*.*)", "*.x"), QString("*.*"));
  QCOMPARE(ExtensionOfFilter("Something", "*.x"), QString("*.x"));
  QCOMPARE(SuffixOfExtension("*.mis"), QString("mis"));
  QCOMPARE(SuffixOfExtension("*.*"), QString());
  QCOMPARE(SuffixOfExtension(""), QString());

  // Merging by group: replaced groups go, the rest keep ascending group order.
  QAction a("a"), b("b"), c("c"), d("d"), e("e");
  QList<QAction*> merged = MergeMenus({{0, &a}, {9, &b}, {9, &c}}, {{1, &e}, {0, &d}});
  QCOMPARE(merged, QList<QAction*>({&d, &e, &b, &c}));
  QCOMPARE(MergeMenus({{0, &a}, {9, &b}}, {}), QList<QAction*>({&a, &b}));
}

void FrameWindowTest::worksWithTheMissionDocumentWindow() {
  // The frame's own factory makes the real document window.
  Fixture f(true, true);
  WriteFile(f.dir.filePath("patrol.mis"), ".MissionSummary\r\nA short patrol.\r\n.EndMission\r\n");
  FrameOptions options;
  options.Dialogs = &f.dialogs;
  options.ProgramFolder = f.dir.path();
  TFrameForm frame(options);

  f.dialogs.queueFile(f.dir.filePath("missing.mis"));
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad"}));

  f.dialogs.queueFile(f.dir.filePath("patrol.mis"));
  frame.Open1Click();
  QCOMPARE(f.dialogs.informed(), QStringList({"PathName bad"}));
  auto* document = qobject_cast<TEditForm*>(frame.ActiveDocument());
  QVERIFY(document);
  QCOMPARE(document->Document->DocumentNumber, 1);
  QVERIFY(frame.Bridges1->isVisible());
  QStringList bar = BarCaptions(frame);
  QCOMPARE(bar.mid(0, 3), QStringList({"&File", "&Edit", "&Search"}));
  QVERIFY(bar.contains("&Verify"));
  QVERIFY(bar.indexOf("&Window") > bar.indexOf("&Objects"));
  QCOMPARE(frame.menuBar()->actions().value(0), document->File1->menuAction());

  // A changed text and Cancel at the close query keep the program running.
  document->Editor->insertPlainText("// note\r\n");
  f.dialogs.queueAnswer(Answer::Cancel);
  frame.show();
  frame.Exit1Click();
  DeleteClosedWindows();
  QVERIFY(frame.isVisible());
  QVERIFY(f.dialogs.texts.last().startsWith("Save changes to "));
  // A cancelled exit closes no window, not even the unchanged one of the failed open.
  QCOMPARE(frame.Documents().size(), 2);
  QVERIFY(frame.Documents().contains(document));

  // No: every window closes and so does the frame.
  f.dialogs.queueAnswer(Answer::No);
  frame.Exit1Click();
  DeleteClosedWindows();
  QVERIFY(!frame.isVisible());
  QVERIFY(frame.Documents().isEmpty());
}

void FrameWindowTest::toolWindowsHaveTheirTitleBarButtons() {
  EditorWorld world;
  ToolWindows& forms = world.frame->Forms();
  const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
  auto buttonsOf = [&](QWidget* window) { return window->windowFlags() & buttons; };
  // The Readme window: system menu (with its close box) and minimise only.
  QCOMPARE(buttonsOf(forms.Form16),
           Qt::WindowFlags(Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
  QVERIFY(forms.Form16->windowFlags() & Qt::CustomizeWindowHint);
  // The two lists and About are closed by their own buttons only.
  for (QWidget* window : {static_cast<QWidget*>(forms.Form5), static_cast<QWidget*>(forms.Form8),
                          static_cast<QWidget*>(forms.Form15)}) {
    QCOMPARE(buttonsOf(window), Qt::WindowFlags());
    QVERIFY(window->windowFlags() & Qt::CustomizeWindowHint);
  }
  // The others keep every button.
  for (QWidget* window : {static_cast<QWidget*>(forms.Form1), static_cast<QWidget*>(forms.Form4),
                          static_cast<QWidget*>(forms.Form6), static_cast<QWidget*>(forms.Form14)})
    QVERIFY(!(window->windowFlags() & Qt::CustomizeWindowHint));
  // A window's own flags do not make it shown.
  QVERIFY(!forms.Form16->isVisible());
}

QTEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
