#include "frame_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

#include "display_settings.h"
#include "program_icon.h"
#include "qt_user_dialogs.h"
#include "type_names.h"
#include "user_settings.h"

#include "edit_form.h"

namespace tolvane {

namespace {

const char* const FrameCaption = "Skyrend Tolvane ver 1.2.3.1";

// The sizes of the frame and of a new document window were drawn for a
// dialog font 13 pixels high. With today's larger fonts they grow in step,
// and the frame grows further where its menu bar or a document window
// would not fit.
const int DesignFontHeight = 13;
const QSize DesignFrameSize(435, 317);
const QSize DesignDocumentSize(435, 308);
// The least a cascaded window keeps: some 35 columns and 7 lines.
const QSize DesignReadableSize(300, 160);

QSize Scaled(const QSize& size, qreal scale) {
  return QSize(qRound(size.width() * scale), qRound(size.height() * scale));
}

// The caret panel is never narrower than this text needs.
const char* const WidestUsualCaret = "  Line: 99999 : 999";
const int CaretPanelLeast = 100;

}  // namespace

DocumentFactory MissionDocumentFactory() {
  DocumentFactory factory;
  factory.Create = [](TFrameForm& frame) -> QWidget* {
    return new TEditForm(&frame, frame.State(), frame.Dialogs());
  };
  factory.Open = [](QWidget* document, const QString& path) {
    auto* window = dynamic_cast<DocumentWindow*>(document);
    return window && window->OpenDocument(path);
  };
  factory.MenuBarCaptions = TEditForm::MenuBarCaptions();
  return factory;
}

TFrameForm::TFrameForm(Options options) : QMainWindow(nullptr) {
  if (options.Dialogs) {
    dialogs_ = options.Dialogs;
  } else {
    ownDialogs_ = std::make_unique<QtUserDialogs>();
    dialogs_ = ownDialogs_.get();
  }
  documents_ = options.Documents.Create ? options.Documents : MissionDocumentFactory();

  setWindowTitle(FrameCaption);
  // The frame's icon is every window's it holds or owns.
  setWindowIcon(ProgramIcon());
  setMenuBar(new MergedMenuBar(this));

  mdiArea_ = new QMdiArea(this);
  mdiArea_->setBackground(QColor(192, 192, 192));  // silver
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TFrameForm::SubWindowActivated);

  openFileDialog_.Title = "Tolvane Open File";
  openFileDialog_.Filters = QStringList{"Mission Files (*.mis)", "Plain Text Files (*.txt)", "All Files (*.*)"};
  openFileDialog_.FilterIndex = 1;
  openFileDialog_.DefaultExtension = "*.mis";

  CreateMenus();
  CreateStatusBar();
  resize(InitialSize());
  FormCreate(options.ProgramFolder);

  // The tool windows, each running its own creation at this moment.
  forms_ = CreateToolWindows(this, state_, *dialogs_);
}

TFrameForm::~TFrameForm() {
  // Document windows go first: they still use the state and the dialogs.
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) delete sub;
  // The tool windows too, while the state they were handed still exists.
  for (ToolWindow* window : forms_.All()) delete window;
  forms_ = ToolWindows();
  // The recent files are in their file before the program folder may go.
  UserSettings::FinishWrites();
}

void TFrameForm::FormCreate(const QString& programFolder) {
  // 1. The program folder: the working directory, without a trailing separator.
  QString folder = programFolder.isEmpty() ? QDir::currentPath() : programFolder;
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  state_.ProgramFolder = folder;

  // 2. The settings. A file that cannot be read is reported and the program
  //    goes on with what it has.
  QString error = LoadINIFile(state_);
  if (!error.isEmpty()) {
    dialogs_->Inform(this, error);
  } else if (!state_.Settings.MissionFolderUsable) {
    dialogs_->Inform(this, "Tolvane.INI holds no missions folder on its first two lines: missions named by "
                           ".LOADNEXTMISSION will not be found.");
  }

  // 3. The type names.
  state_.TypeNames.TypeNamesLoaded = false;
  LoadTypeNames();
  if (!state_.TypeNames.TypeNamesLoaded) {
    dialogs_->Inform(this, "TypeNames.TXT NOT found in Tolvane Program Folder.");
    dialogs_->Inform(this, "You can use Tolvane to EDIT missions, but NOT to Verify Missions");
  }

  // 4. The open dialog starts in the missions folder.
  openFileDialog_.InitialFolder = state_.Settings.MissionFolder;

  // 5. Initial shared state.
  state_.Mission.ClearTables();
  state_.ClearFindRequests();
  state_.DocumentCount = 0;
  state_.SearchLine = NoSearchLine;
  const QString missionFolder = state_.Settings.MissionFolderUsable ? state_.Settings.MissionFolder : QString();
  state_.Environment = MissionFolderEnvironment(state_.TypeNames, QFile::encodeName(missionFolder).toStdString());

  // The program's own settings.
  state_.CheckAsYouType = UserSettings(state_.ProgramFolder).CheckAsYouType();
  FillRecentFilesMenu();
}

void TFrameForm::LoadTypeNames() {
  tolvane::LoadTypeNames(state_.TypeNames, QFile::encodeName(state_.ProgramFile("ObjectNames.Txt")).toStdString());
}

void TFrameForm::CreateMenus() {
  File1 = new QMenu("&File", this);
  New1 = File1->addAction("&New");
  Open1 = File1->addAction("&Open...");
  File1->addSeparator();
  Exit1 = File1->addAction("E&xit");
  File1->addSeparator();
  RecentFiles1 = File1->addMenu("&Recent Files");
  connect(RecentFiles1, &QMenu::aboutToShow, this, &TFrameForm::FillRecentFilesMenu);
  connect(New1, &QAction::triggered, this, [this] { New1Click(); });
  connect(Open1, &QAction::triggered, this, &TFrameForm::Open1Click);
  connect(Exit1, &QAction::triggered, this, &TFrameForm::Exit1Click);

  Window1 = new QMenu("&Window", this);
  Tile1 = Window1->addAction("&Tile");
  Cascade1 = Window1->addAction("&Cascade");
  Arrangeicons1 = Window1->addAction("&Arrange icons");
  connect(Tile1, &QAction::triggered, this, &TFrameForm::Tile1Click);
  connect(Cascade1, &QAction::triggered, this, &TFrameForm::Cascade1Click);
  connect(Arrangeicons1, &QAction::triggered, this, &TFrameForm::Arrangeicons1Click);
  connect(Window1, &QMenu::aboutToShow, this, &TFrameForm::FillWindowMenu);

  auto command = [this](const char* caption, void (TFrameForm::*handler)()) {
    auto* action = new QAction(caption, this);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  Checks1 = command("&Checks", &TFrameForm::Checks1Click);
  Actions1 = command("&Actions", &TFrameForm::Actions1Click);
  Triggers1 = command("&Triggers", &TFrameForm::Triggers1Click);
  Distances1 = command("&Distances", &TFrameForm::Distances1Click);
  Bridges1 = command("&Bridges", &TFrameForm::Bridges1Click);
  Bridges1->setVisible(false);
  Readme1 = command("&Readme", &TFrameForm::Readme1Click);
  About1 = command("About", &TFrameForm::About1Click);

  auto key = [this](const char* sequence, void (QMdiArea::*move)()) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(sequence));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, mdiArea_, move);
    addAction(action);
    return action;
  };
  CloseDocumentKey = key("Ctrl+F4", &QMdiArea::closeActiveSubWindow);
  // Where the desktop's own close key is Ctrl+F4, each document window
  // already closes with it; a second owner of the key would leave it to
  // neither.
  if (QKeySequence::keyBindings(QKeySequence::Close).contains(CloseDocumentKey->shortcut()))
    CloseDocumentKey->setShortcut(QKeySequence());
  NextDocumentKey = key("Ctrl+F6", &QMdiArea::activateNextSubWindow);
  PreviousDocumentKey = key("Ctrl+Shift+F6", &QMdiArea::activatePreviousSubWindow);

  RebuildMenuBar();
}

QList<MergeMenuItem> TFrameForm::FrameMenuItems() const {
  return {{0, File1->menuAction()}, {9, Window1->menuAction()}, {9, Checks1},  {9, Actions1}, {9, Triggers1},
          {9, Distances1},          {9, Bridges1},              {9, Readme1}, {9, About1}};
}

void TFrameForm::RebuildMenuBar() {
  QList<MergeMenuItem> documentItems;
  if (mdiArea_) {
    QMdiSubWindow* current = mdiArea_->currentSubWindow();
    if (current && !current->isHidden()) {
      auto* source = dynamic_cast<MenuMergeSource*>(current->widget());
      if (!source) source = dynamic_cast<MenuMergeSource*>(current);
      if (source) documentItems = source->MergeMenuItems();
    }
  }
  QList<QAction*> wanted = MergeMenus(FrameMenuItems(), documentItems);
  QMenuBar* bar = menuBar();
  if (bar->actions() == wanted) return;
  for (QAction* action : bar->actions()) bar->removeAction(action);
  bar->addActions(wanted);
}

void TFrameForm::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(true);
  for (int panel = 0; panel < 2; ++panel) {
    statusPanels_[panel] = new QLabel(this);
    statusPanels_[panel]->setFrameShape(QFrame::Panel);
    statusPanels_[panel]->setFrameShadow(QFrame::Sunken);
  }
  statusPanels_[1]->setMinimumWidth(50);
  bar->addWidget(statusPanels_[0], 0);
  bar->addWidget(statusPanels_[1], 1);
  // Beside the two panels: what checking as you type found.
  checkPanel_ = new QLabel(this);
  checkPanel_->setObjectName("CheckPanel");
  bar->addPermanentWidget(checkPanel_, 0);
  FitCaretPanel();
}

void TFrameForm::FitCaretPanel() {
  QLabel* panel = statusPanels_[0];
  const QFontMetrics metrics(panel->font());
  const int chrome = 2 * panel->frameWidth() + metrics.horizontalAdvance(QLatin1Char('x')) + 4;
  const int text = std::max(metrics.horizontalAdvance(panel->text()), metrics.horizontalAdvance(WidestUsualCaret));
  panel->setFixedWidth(std::max(CaretPanelLeast, text + chrome));
}

void TFrameForm::SetStatusText(int panel, const QString& text) {
  if (panel < 0 || panel > 1) return;
  statusPanels_[panel]->setText(text);
  if (panel == 0) FitCaretPanel();
}

void TFrameForm::SetCheckStatus(const QString& text) { checkPanel_->setText(text); }

QString TFrameForm::CheckStatusText() const { return checkPanel_->text(); }

void TFrameForm::ShowStatusMessage(const QString& text) { statusBar()->showMessage(text, 10000); }

QString TFrameForm::StatusText(int panel) const {
  if (panel < 0 || panel > 1) return QString();
  return statusPanels_[panel]->text();
}

void TFrameForm::ShowBridgesCommand() { Bridges1->setVisible(true); }

// The one way a document window learns it has become the active one; its
// menus are merged after it has taken its activation. A window becomes the
// active one when the work area activates it (a click, the Window menu,
// Ctrl+Tab, Ctrl+F6, a new or closed window) and when the frame becomes the
// active window again with it in front (a tool window closed or left, the
// user back from another program). Each of these runs its activation once:
// the work area may report a window that the frame's own activation also
// brings, and then the second report finds it already activated.
void TFrameForm::SubWindowActivated(QMdiSubWindow* sub) {
  QWidget* widget = sub ? sub->widget() : nullptr;
  auto* document = dynamic_cast<DocumentWindow*>(widget);
  if (!sub) activated_.clear();
  if (document && activated_ != widget) {
    activated_ = widget;
    document->FormActivate();
  }
  RebuildMenuBar();
}

void TFrameForm::ActivateCurrentDocument() {
  if (!isActiveWindow()) return;
  if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) SubWindowActivated(sub);
}

bool TFrameForm::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      // After the events that came with it: a click that activated the frame
      // may also activate another document window, which then goes first.
      QMetaObject::invokeMethod(this, &TFrameForm::ActivateCurrentDocument, Qt::QueuedConnection);
      break;
    case QEvent::WindowDeactivate:
      // Another window of the program, or another program, is in front. A
      // message box or dialog of the program's own is no such window: when
      // it closes, the same document is still the active one.
      if (!QApplication::activeModalWidget()) activated_.clear();
      break;
    default:
      break;
  }
  return QMainWindow::event(event);
}

void TFrameForm::DocumentWindowGone(QObject* sub) {
  for (QMdiSubWindow* other : mdiArea_->subWindowList())
    if (static_cast<QObject*>(other) != sub) return;
  // The last document window has closed: no caret, no reminder, no check.
  SetStatusText(0, QString());
  SetStatusText(1, QString());
  SetCheckStatus(QString());
}

bool TFrameForm::IsActiveDocument(const DocumentWindow* document) const {
  QMdiSubWindow* sub = mdiArea_->currentSubWindow();
  return document && sub && dynamic_cast<DocumentWindow*>(sub->widget()) == document;
}

DocumentWindow* TFrameForm::NewDocument() { return dynamic_cast<DocumentWindow*>(New1Click()); }

QWidget* TFrameForm::ToolForm(int number) const { return forms_.ByNumber(number); }

void TFrameForm::ShowToolForm(int number) {
  if (ToolWindow* window = forms_.ByNumber(number)) window->ShowAndRaise();
}

void TFrameForm::CloseMissionWindows() {
  for (ToolWindow* window : forms_.MissionWindows())
    if (window && window->isVisible()) window->close();
}

void TFrameForm::ResetOpenDialog() {
  openFileDialog_.InitialFolder = state_.Settings.MissionFolder;
  openFileDialog_.DefaultExtension = "*.mis";
  openFileDialog_.FilterIndex = 1;
  openFileDialog_.FileName.clear();
}

void TFrameForm::SetDocumentFactory(DocumentFactory factory) { documents_ = std::move(factory); }

qreal TFrameForm::FontScale() const {
  return std::max<qreal>(1.0, QFontMetricsF(font()).height() / DesignFontHeight);
}

QSize TFrameForm::DocumentWindowSize() const { return Scaled(DesignDocumentSize, FontScale()); }

QSize TFrameForm::ReadableDocumentSize() const { return Scaled(DesignReadableSize, FontScale()); }

// The offset from one cascaded or newly placed window to the next: the
// height of a title bar.
int TFrameForm::CascadeStep() const {
  QStyleOptionTitleBar option;
  option.initFrom(this);
  return std::max(16, style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this));
}

int TFrameForm::CascadePlaces(const QSize& area) const {
  const QSize readable = ReadableDocumentSize().boundedTo(area);
  const int room = std::min(area.width() - readable.width(), area.height() - readable.height());
  return std::max(1, room / CascadeStep() + 1);
}

QSize TFrameForm::WorkAreaSize() const {
  if (mdiArea_->isVisible()) return mdiArea_->viewport()->size();
  // Not laid out yet: what the frame will leave between its bars.
  return QSize(width(), height() - menuBar()->sizeHint().height() - statusBar()->sizeHint().height());
}

QSize TFrameForm::InitialSize() const {
  // Wide enough for the whole menu bar with a document's menus in it.
  QMenuBar probe;
  probe.setFont(menuBar()->font());
  QStringList captions = documents_.MenuBarCaptions;
  for (const MergeMenuItem& item : FrameMenuItems()) captions << item.Item->text();
  for (const QString& caption : captions) probe.addAction(new QAction(caption, &probe));
  const int barWidth = probe.sizeHint().width() + 8;
  // Room for one document window and the next one placed below it.
  const QSize document = DocumentWindowSize();
  const int step = CascadeStep();
  const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + 4;
  QSize size = Scaled(DesignFrameSize, FontScale());
  size = size.expandedTo(QSize(std::max(barWidth, document.width() + step), document.height() + step + chrome));
  // Never larger than the screen leaves room for.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    size = size.boundedTo(room);
  }
  return size;
}

QMdiSubWindow* TFrameForm::AddDocumentWindow(QWidget* document) {
  if (!document) return nullptr;
  QMdiSubWindow* sub = nullptr;
  for (QMdiSubWindow* existing : mdiArea_->subWindowList()) {
    if (existing == document || existing->widget() == document) sub = existing;
  }
  if (!sub) {
    // A new window goes below and to the right of the one before it, and
    // inside the work area: smaller than usual where the area is small,
    // back at the top left when the next place would leave it too little.
    const QSize area = WorkAreaSize();
    const QSize readable = ReadableDocumentSize().boundedTo(area);
    const int offset = (mdiArea_->subWindowList().size() % CascadePlaces(area)) * CascadeStep();
    const QSize size = DocumentWindowSize().boundedTo(area - QSize(offset, offset)).expandedTo(readable);
    sub = mdiArea_->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setGeometry(QRect(QPoint(offset, offset), size));
    connect(sub, &QObject::destroyed, this, &TFrameForm::DocumentWindowGone);
    // The work area is the parent now; the title follows the document's.
    if (sub != document) {
      sub->setWindowTitle(document->windowTitle());
      connect(document, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    }
  }
  sub->show();
  mdiArea_->setActiveSubWindow(sub);
  RebuildMenuBar();
  return sub;
}

QList<QWidget*> TFrameForm::Documents() const {
  QList<QWidget*> documents;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) documents << (sub->widget() ? sub->widget() : sub);
  return documents;
}

QWidget* TFrameForm::ActiveDocument() const {
  QMdiSubWindow* sub = mdiArea_->currentSubWindow();
  if (!sub) return nullptr;
  return sub->widget() ? sub->widget() : sub;
}

QWidget* TFrameForm::New1Click() {
  if (!documents_.Create) return nullptr;
  QWidget* document = documents_.Create(*this);
  AddDocumentWindow(document);
  return document;
}

void TFrameForm::Open1Click() {
  openFileDialog_.InitialFolder = state_.Settings.MissionFolder;
  QString path;
  try {
    path = dialogs_->ChooseOpenFile(this, openFileDialog_);
  } catch (...) {
    dialogs_->Inform(this, "PathName bad");
    return;
  }
  if (path.isEmpty()) return;
  OpenFile(path);
}

bool TFrameForm::OpenFile(const QString& path) {
  bool ok = true;
  try {
    QWidget* document = documents_.Create ? documents_.Create(*this) : nullptr;
    if (!document) {
      ok = false;
    } else {
      AddDocumentWindow(document);
      ok = documents_.Open && documents_.Open(document, path);
    }
  } catch (...) {
    ok = false;
  }
  // A window already made for the file stays open.
  if (!ok) {
    dialogs_->Inform(this, "PathName bad");
    return false;
  }
  RememberFile(path);
  return true;
}

void TFrameForm::RememberFile(const QString& path) {
  const QStringList files = UserSettings(state_.ProgramFolder).AddRecentFile(QFileInfo(path).absoluteFilePath());
  // Later: the entry that opened the file may still be at work.
  QMetaObject::invokeMethod(this, [this, files] { ShowRecentFiles(files); }, Qt::QueuedConnection);
}

QStringList TFrameForm::RecentFiles() const { return UserSettings(state_.ProgramFolder).RecentFiles(); }

void TFrameForm::FillRecentFilesMenu() {
  // Read afresh each time: another frame over the same program folder may
  // have opened files since.
  ShowRecentFiles(RecentFiles());
}

void TFrameForm::ShowRecentFiles(const QStringList& files) {
  RecentFiles1->clear();
  int number = 0;
  for (const QString& path : files) {
    ++number;
    QString shown = path;
    shown.replace("&", "&&");
    QAction* entry = RecentFiles1->addAction(QString("&%1 %2").arg(number).arg(shown));
    connect(entry, &QAction::triggered, this, [this, path] {
      // A file that can no longer be opened leaves the list.
      if (!OpenFile(path)) {
        const QStringList files = UserSettings(state_.ProgramFolder).RemoveRecentFile(path);
        QMetaObject::invokeMethod(this, [this, files] { ShowRecentFiles(files); }, Qt::QueuedConnection);
      }
    });
  }
  RecentFiles1->setEnabled(!files.isEmpty());
}

void TFrameForm::OpenFileDialogTypeChange(int filterIndex) {
  const QString extension = DefaultExtensionOfEntry(filterIndex);
  if (extension.isEmpty()) return;
  openFileDialog_.DefaultExtension = extension;
  openFileDialog_.FilterIndex = filterIndex;
}

void TFrameForm::Tile1Click() { mdiArea_->tileSubWindows(); }

void TFrameForm::Cascade1Click() {
  // Each window one title bar below and to the right of the one before,
  // all of one size that fits the area, but never below a readable size;
  // when they would run out of the area they start again at the top left.
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder))
    if (sub->isVisible() && !sub->isMinimized()) windows.append(sub);
  if (windows.isEmpty()) return;
  QMdiSubWindow* active = mdiArea_->activeSubWindow();
  const QSize area = WorkAreaSize();
  const QSize readable = ReadableDocumentSize().boundedTo(area);
  const int step = CascadeStep();
  const int places = CascadePlaces(area);
  const int spread = (std::min<int>(windows.size(), places) - 1) * step;
  const QSize size = (area - QSize(spread, spread)).expandedTo(readable);
  int index = 0;
  for (QMdiSubWindow* sub : windows) {
    if (sub->isMaximized()) sub->showNormal();
    const int offset = (index++ % places) * step;
    sub->setGeometry(QRect(QPoint(offset, offset), size));
    sub->raise();
  }
  if (active) active->raise();
}

void TFrameForm::Arrangeicons1Click() {
  // Minimised windows line up along the bottom of the work area, left to right.
  QSize area = mdiArea_->viewport()->size();
  int left = 0;
  int bottom = area.height();
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
    if (!sub->isMinimized()) continue;
    QSize size = sub->size();
    if (left > 0 && left + size.width() > area.width()) {
      left = 0;
      bottom -= size.height();
    }
    sub->move(left, bottom - size.height());
    left += size.width();
  }
}

void TFrameForm::FillWindowMenu() {
  for (QAction* action : windowListActions_) {
    Window1->removeAction(action);
    delete action;
  }
  windowListActions_.clear();
  const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList(QMdiArea::CreationOrder);
  if (subs.isEmpty()) return;
  windowListActions_ << Window1->addSeparator();
  int number = 0;
  for (QMdiSubWindow* sub : subs) {
    ++number;
    QString title = sub->windowTitle();
    title.replace("&", "&&");
    QString caption = number < 10 ? QString("&%1 %2").arg(number).arg(title) : QString("%1 %2").arg(number).arg(title);
    QAction* action = Window1->addAction(caption);
    action->setCheckable(true);
    action->setChecked(sub == mdiArea_->currentSubWindow());
    connect(action, &QAction::triggered, this, [this, sub] {
      if (mdiArea_->subWindowList().contains(sub)) {
        if (sub->isMinimized()) sub->showNormal();
        mdiArea_->setActiveSubWindow(sub);
      }
    });
    windowListActions_ << action;
  }
}

void TFrameForm::Checks1Click() { ShowToolForm(1); }
void TFrameForm::Actions1Click() { ShowToolForm(2); }
void TFrameForm::Triggers1Click() { ShowToolForm(3); }
void TFrameForm::Distances1Click() { ShowToolForm(4); }
void TFrameForm::Readme1Click() { ShowToolForm(16); }
void TFrameForm::About1Click() { ShowToolForm(15); }
void TFrameForm::Bridges1Click() { ShowToolForm(8); }

void TFrameForm::Exit1Click() { close(); }

void TFrameForm::closeEvent(QCloseEvent* event) {
  // The tool windows close first, so the ones that keep the user's edits in
  // a file (the trigger notes, edited templates) save them; one whose save
  // failed stays open with its text, and the program runs on.
  for (ToolWindow* window : forms_.All()) {
    if (window && !window->close()) {
      event->ignore();
      return;
    }
  }
  // Every document is asked next (its close query); when one refuses, the
  // program runs on and no document has been closed, so none loses its text.
  QList<DocumentWindow*> documents;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (auto* document = dynamic_cast<DocumentWindow*>(sub->widget())) documents.append(document);
  }
  for (DocumentWindow* document : documents) {
    if (!document->FormCloseQuery()) {
      event->ignore();
      return;
    }
  }
  for (DocumentWindow* document : documents) document->AgreeToClose();
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (!sub->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

}  // namespace tolvane
