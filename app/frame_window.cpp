#include "frame_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "display_settings.h"
#include "qt_user_dialogs.h"
#include "type_names.h"

#include "edit_form.h"

namespace tolvane {

namespace {

const char* const FrameCaption = "Skyrend Tolvane ver 1.2.3.1";
const int DocumentWidth = 435;
const int DocumentHeight = 308;

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
  resize(435, 317);

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
}

void TFrameForm::FormCreate(const QString& programFolder) {
  // 1. The program folder: the working directory, without a trailing separator.
  QString folder = programFolder.isEmpty() ? QDir::currentPath() : programFolder;
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  state_.ProgramFolder = folder;

  // 2. The settings. A file that cannot be read is reported and the program
  //    goes on with what it has.
  QString error = LoadINIFile(state_);
  if (!error.isEmpty()) dialogs_->Inform(this, error);

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
  state_.Environment =
      MissionFolderEnvironment(state_.TypeNames, QFile::encodeName(state_.Settings.MissionFolder).toStdString());
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
  statusPanels_[0]->setFixedWidth(100);
  statusPanels_[1]->setMinimumWidth(50);
  bar->addWidget(statusPanels_[0], 0);
  bar->addWidget(statusPanels_[1], 1);
}

void TFrameForm::SetStatusText(int panel, const QString& text) {
  if (panel < 0 || panel > 1) return;
  statusPanels_[panel]->setText(text);
}

QString TFrameForm::StatusText(int panel) const {
  if (panel < 0 || panel > 1) return QString();
  return statusPanels_[panel]->text();
}

void TFrameForm::ShowBridgesCommand() { Bridges1->setVisible(true); }

// The one way a document window learns it has become the active one; its
// menus are merged after it has taken its activation.
void TFrameForm::SubWindowActivated(QMdiSubWindow* sub) {
  if (sub) {
    if (auto* document = dynamic_cast<DocumentWindow*>(sub->widget())) document->FormActivate();
  }
  RebuildMenuBar();
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

QMdiSubWindow* TFrameForm::AddDocumentWindow(QWidget* document) {
  if (!document) return nullptr;
  QMdiSubWindow* sub = nullptr;
  for (QMdiSubWindow* existing : mdiArea_->subWindowList()) {
    if (existing == document || existing->widget() == document) sub = existing;
  }
  if (!sub) {
    sub = mdiArea_->addSubWindow(document);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(DocumentWidth, DocumentHeight);
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
  bool ok = true;
  try {
    QString path = dialogs_->ChooseOpenFile(this, openFileDialog_);
    if (path.isEmpty()) return;
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
  if (!ok) dialogs_->Inform(this, "PathName bad");
}

void TFrameForm::OpenFileDialogTypeChange(int filterIndex) {
  switch (filterIndex) {
    case 1:
      openFileDialog_.DefaultExtension = "*.mis";
      break;
    case 2:
      openFileDialog_.DefaultExtension = "*.txt";
      break;
    case 3:
      openFileDialog_.DefaultExtension = "*.*";
      break;
    default:
      return;
  }
  openFileDialog_.FilterIndex = filterIndex;
}

void TFrameForm::Tile1Click() { mdiArea_->tileSubWindows(); }

void TFrameForm::Cascade1Click() { mdiArea_->cascadeSubWindows(); }

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
  // Every document is asked first (its close query); when one refuses, the
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
  for (ToolWindow* window : forms_.All())
    if (window) window->hide();
  event->accept();
}

}  // namespace tolvane
