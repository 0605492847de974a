#include "edit_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "display_commands.h"
#include "file_commands.h"
#include "live_check.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "renumber_command.h"
#include "rogue_view.h"
#include "search_commands.h"
#include "user_settings.h"
#include "verify_command.h"

namespace tolvane {

TEditForm::TEditForm(DocumentHost* host, AppState& state, UserDialogs& dialogs)
    : QWidget(nullptr), host_(host), state_(state), dialogs_(dialogs) {
  setWindowTitle(UntitledName);
  resize(435, 308);
  QFont windowFont = font();
  windowFont.setPixelSize(11);
  setFont(windowFont);

  Document = new MissionDocument(this);
  Editor = new MissionEditor(this, Document->Text());
  Editor->setObjectName("Editor");
  // The initial look, until the display settings replace it on open.
  QFont editorFont = Editor->font();
  editorFont.setBold(true);
  editorFont.setPixelSize(13);
  Editor->setFont(editorFont);
  QPalette palette = Editor->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  Editor->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Editor);

  CreateMenus();

  const DocumentParts parts{this, Document, Editor, &state_, &dialogs_, host_};
  files_ = new FileCommands(parts);
  display_ = new DisplaySettingsCommands(this, Editor, state_, dialogs_);
  rogue_ = new RogueView(parts, TurnOnRogueCheck1, TurnOffRogueCheck1);
  search_ = new SearchCommands(parts);
  verify_ = new VerifyCommand(parts,
                              BrowserEntries{MissionObjects1, VehicleWaypts, FlightWaypts, Vehicles1, Divisions1,
                                             Structures1, Triggers2, Bridges3},
                              *rogue_, *search_);
  renumber_ = new RenumberCommand(parts);
  liveCheck_ = new LiveCheck(parts);
  connect(Document->Text(), &QTextDocument::contentsChange, liveCheck_, [this](int, int removed, int added) {
    if (removed != 0 || added != 0) liveCheck_->TextChanged();
  });

  // Menu items to their handlers.
  auto to = [this](QAction* item, auto handler) { connect(item, &QAction::triggered, this, handler); };
  to(New1, [this] { New1Click(); });
  to(Open1, [this] { Open1Click(); });
  to(Close1, [this] { Close1Click(); });
  to(Save1, [this] { files_->Save1Click(); });
  to(Saveas1, [this] { files_->Saveas1Click(); });
  to(Print1, [this] { files_->Print1Click(); });
  to(Printersetup1, [this] { files_->Printersetup1Click(); });
  to(Exit1, [this] { Exit1Click(); });
  for (QAction* cut : {Cut1, Cut2}) to(cut, [this] { Cut1Click(); });
  for (QAction* copy : {Copy1, Copy2}) to(copy, [this] { Copy1Click(); });
  for (QAction* paste : {Paste1, Paste2}) to(paste, [this] { Paste1Click(); });
  to(Delete1, [this] { Delete1Click(); });
  to(Selectall1, [this] { Selectall1Click(); });
  to(TurnOnRogueCheck1, [this] { rogue_->TurnOnRogueCheckCommand(); });
  to(TurnOffRogueCheck1, [this] { rogue_->TurnOffRogueCheckCommand(); });
  to(TagIdNumberFix1, [this] { renumber_->TagIdNumberFix1Click(); });
  to(Search2, [this] { search_->Search2Click(); });
  to(SearchAgainF3, [this] { search_->SearchAgainF3Click(); });
  to(FindandReplace1, [this] { search_->FindandReplace1Click(); });
  to(GoToLine1, [this] { search_->GoToLine1Click(); });
  to(Undo1, [this] { Editor->undo(); });
  to(Redo1, [this] { Editor->redo(); });
  connect(CheckAsYouType1, &QAction::triggered, this, &TEditForm::CheckAsYouType1Click);
  connect(Document->Text(), &QTextDocument::undoAvailable, Undo1, &QAction::setEnabled);
  connect(Document->Text(), &QTextDocument::redoAvailable, Redo1, &QAction::setEnabled);
  to(Font1, [this] { display_->Font1Click(); });
  to(Color1, [this] { display_->Color1Click(); });
  to(Checker1, [this] { verify_->Triggers1Click(); });
  to(StockObjects1, [this] { verify_->StockObjects1Click(); });
  to(MissionObjects1, [this] { verify_->MissionObjects1Click(); });
  to(FlightWaypts, [this] { verify_->FlightWayptsClick(); });
  to(Divisions1, [this] { verify_->Divisions1Click(); });
  to(Vehicles1, [this] { verify_->Vehicles1Click(); });
  to(VehicleWaypts, [this] { verify_->VehicleWayptsClick(); });
  to(Structures1, [this] { verify_->Structures1Click(); });
  to(Bridges3, [this] { verify_->Bridges3Click(); });
  to(Triggers2, [this] { verify_->Triggers2Click(); });
  connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);

  connect(Editor, &QPlainTextEdit::selectionChanged, this, &TEditForm::EditorSelectionChange);
  connect(Editor, &QPlainTextEdit::cursorPositionChanged, this, &TEditForm::EditorSelectionChange);
  connect(Editor, &MissionEditor::KeyDown, this, &TEditForm::EditorKeyDown);
  connect(Editor, &MissionEditor::CutRequested, this, &TEditForm::Cut1Click);
  connect(Editor, &MissionEditor::CopyRequested, this, &TEditForm::Copy1Click);
  connect(Editor, &MissionEditor::PasteRequested, this, &TEditForm::Paste1Click);
  connect(Editor, &MissionEditor::ContextMenuRequested, this,
          [this](const QPoint& where) { PopupMenu1->popup(where); });
  connect(Editor, &MissionEditor::TextRefused, this, [this](const QString& notice) {
    if (host_) host_->ShowStatusMessage(notice);
  });

  FormCreate();
}

TEditForm::~TEditForm() = default;

void TEditForm::CreateMenus() {
  File1 = new QMenu("&File", this);
  New1 = File1->addAction("&New");
  Open1 = File1->addAction("&Open...");
  Close1 = File1->addAction("&Close");
  Save1 = File1->addAction("&Save");
  Saveas1 = File1->addAction("Save &as...");
  Print1 = File1->addAction("&Print");
  Printersetup1 = File1->addAction("Printer setup...");
  N2 = File1->addSeparator();
  Exit1 = File1->addAction("E&xit");
  if (QMenu* recent = host_ ? host_->RecentFilesMenu() : nullptr) {
    File1->addSeparator();
    File1->addMenu(recent);
  }

  Edit1 = new QMenu("&Edit", this);
  Cut1 = Edit1->addAction("Cu&t");
  Cut1->setShortcut(QKeySequence("Ctrl+X"));
  Copy1 = Edit1->addAction("&Copy");
  Copy1->setShortcut(QKeySequence("Ctrl+C"));
  Paste1 = Edit1->addAction("&Paste");
  Paste1->setShortcut(QKeySequence("Ctrl+V"));
  Delete1 = Edit1->addAction("De&lete");
  Delete1->setShortcut(QKeySequence("Ctrl+D"));
  Edit1->addSeparator();
  Selectall1 = Edit1->addAction("Select &all");
  Selectall1->setShortcut(QKeySequence("Ctrl+A"));
  Edit1->addSeparator();
  TurnOnRogueCheck1 = Edit1->addAction("Turn On Rogue Character Check");
  TurnOffRogueCheck1 = Edit1->addAction("Turn Off Rogue Character Check");
  Edit1->addSeparator();
  TagIdNumberFix1 = Edit1->addAction("Tag Id Number Fix ");
  Edit1->addSeparator();
  Undo1 = Edit1->addAction("&Undo");
  Undo1->setShortcut(QKeySequence::Undo);
  Undo1->setEnabled(false);
  Redo1 = Edit1->addAction("&Redo");
  Redo1->setShortcut(QKeySequence::Redo);
  Redo1->setEnabled(false);
  Edit1->addSeparator();
  CheckAsYouType1 = Edit1->addAction("Chec&k As You Type");
  CheckAsYouType1->setCheckable(true);
  CheckAsYouType1->setChecked(state_.CheckAsYouType);

  Search1 = new QMenu("&Search", this);
  Search2 = Search1->addAction("Search            F2");
  Search1->addSeparator();
  SearchAgainF3 = Search1->addAction("Search Again       F3");
  Search1->addSeparator();
  FindandReplace1 = Search1->addAction("Find and Replace");
  Search1->addSeparator();
  GoToLine1 = Search1->addAction("&Go to Line...");
  GoToLine1->setShortcut(QKeySequence("Ctrl+G"));

  Font1 = new QAction("Fon&t", this);
  Color1 = new QAction("&Color", this);
  Checker1 = new QAction("&Verify", this);
  Checker1->setVisible(false);

  Objects1 = new QMenu("&Objects", this);
  Objects1->menuAction()->setVisible(false);
  StockObjects1 = Objects1->addAction("Stock Objects");
  MissionObjects1 = Objects1->addAction("Flights");
  FlightWaypts = Objects1->addAction("Flight Waypoints");
  Divisions1 = Objects1->addAction("Divisions");
  Vehicles1 = Objects1->addAction("Vehicles");
  VehicleWaypts = Objects1->addAction("Vehicle Waypoints");
  Structures1 = Objects1->addAction("Structures");
  Bridges3 = Objects1->addAction("Bridges");
  Triggers2 = Objects1->addAction("Triggers");
  for (QAction* entry : {MissionObjects1, FlightWaypts, Divisions1, Vehicles1, VehicleWaypts, Structures1,
                         Bridges3, Triggers2})
    entry->setVisible(false);

  PopupMenu1 = new QMenu(this);
  Cut2 = PopupMenu1->addAction("Cu&t");
  Copy2 = PopupMenu1->addAction("&Copy");
  Paste2 = PopupMenu1->addAction("&Paste");
}

QStringList TEditForm::MenuBarCaptions() {
  return {"&File", "&Edit", "&Search", "Fon&t", "&Color", "&Verify", "&Objects"};
}

QList<MergeMenuItem> TEditForm::MergeMenuItems() const {
  return {{0, File1->menuAction()}, {1, Edit1->menuAction()}, {1, Search1->menuAction()}, {1, Font1},
          {1, Color1},              {1, Checker1},            {1, Objects1->menuAction()}};
}

// ---------------------------------------------------------------------------
// Creation, opening and activation

void TEditForm::FormCreate() {
  // 1.
  Document->FileName = UntitledName;
  state_.LocateText.clear();
  // 2.
  Document->RogueMarking = false;
  Document->RenumberCheckPending = false;
  state_.SearchLine = NoSearchLine;
  // 3.
  rogue_->ResetMenus();
  // 4.
  state_.RenumberTable.fill(RenumberEntry{});
  state_.RenumberCount = 0;
  // 5.
  state_.Mission.TriggerActionCount = 0;
  state_.Mission.TriggerCheckCount = 0;
}

bool TEditForm::OpenDocument(const QString& path) {
  // The file is read before anything else changes, so a file that cannot be
  // read leaves the window as it was: empty, "Untitled", without a number.
  QString text;
  if (!FileCommands::ReadFile(path, text)) return false;

  // 1.
  Document->FileName = path;
  setWindowTitle(FileNamePart(path));
  // 2.
  display_->SetFont();
  display_->SetCustomColors();
  // 3.
  Editor->setRogueMarking(false);
  Editor->ShowText(text);
  Editor->moveCursor(QTextCursor::Start);
  Document->SetModified(false);
  Document->NoteDiskFile();
  Document->RenumberCheckPending = false;
  Editor->viewport()->update();
  // 4.
  state_.DocumentCount += 1;
  Document->DocumentNumber = state_.DocumentCount;
  Document->RogueMarking = false;
  rogue_->ResetMenus();
  // 5.
  if (UpperCaseAscii(ExtensionOf(Document->FileName)) == ".MIS") {
    if (Document->DocumentNumber > 1) {
      Checker1->setVisible(false);
      Objects1->menuAction()->setVisible(false);
    }
    if (Document->DocumentNumber == 1) {
      Checker1->setVisible(true);
      Objects1->menuAction()->setVisible(true);
      if (host_) host_->ShowBridgesCommand();
    }
  }
  // 6.
  UpdateCursorPos();
  // 7.
  if (QWidget* objects = host_ ? host_->ToolForm(5) : nullptr)
    objects->move(Editor->x() + Editor->width() / 2 + objects->width(), objects->y());
  return true;
}

void TEditForm::TakeDocumentNumber(int number) {
  Document->DocumentNumber = number;
  Document->RogueMarking = false;
}

void TEditForm::FormActivate() {
  search_->TakeFindRequests();
  if (Document->DocumentNumber > 1) Checker1->setVisible(false);
  if (Document->DocumentNumber == 1) Checker1->setVisible(true);
  // The status panels belong to the frame; they follow the active window.
  UpdateCursorPos();
  if (host_) host_->SetStatusText(1, rogue_->Reminder());
  // What lies beyond: the choice of checking as you type made in another
  // window, this window's check in the status bar, the file on disk.
  if (liveCheck_->Enabled() != state_.CheckAsYouType) liveCheck_->SetEnabled(state_.CheckAsYouType);
  if (host_) host_->SetCheckStatus(liveCheck_->StatusText());
  files_->CheckDiskFile();
}

void TEditForm::CheckAsYouType1Click(bool on) {
  state_.CheckAsYouType = on;
  UserSettings(state_.ProgramFolder).SetCheckAsYouType(on);
  CheckAsYouType1->setChecked(on);
  liveCheck_->SetEnabled(on);
}

// ---------------------------------------------------------------------------
// File commands of the window itself

void TEditForm::New1Click() {
  DocumentWindow* created = host_ ? host_->NewDocument() : nullptr;
  state_.DocumentCount += 1;
  if (created) created->TakeDocumentNumber(state_.DocumentCount);
}

void TEditForm::Open1Click() {
  if (host_) host_->OpenDocumentFromDialog();
}

void TEditForm::Close1Click() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->close();
  } else {
    close();
  }
}

void TEditForm::Exit1Click() {
  if (Document->RogueMarking) rogue_->TurnOffRogueCheck1Click();
  if (host_) host_->ExitProgram();
  Document->RogueMarking = false;
}

// ---------------------------------------------------------------------------
// Closing

void TEditForm::closeEvent(QCloseEvent* event) {
  if (!closeAgreed_ && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

bool TEditForm::FormCloseQuery() { return files_->FormCloseQuery(); }

void TEditForm::FormClose() {
  // 1.
  if (state_.DocumentCount > 0) state_.DocumentCount -= 1;
  // 2.
  if (Document->DocumentNumber == 1) {
    state_.ObjectFindFlag() = false;
    state_.SearchLine = NoSearchLine;
    state_.SearchText.clear();
    Checker1->setVisible(false);
    Objects1->menuAction()->setVisible(false);
    if (host_) host_->ResetOpenDialog();
    ResetMissionState();
    if (host_) host_->CloseMissionWindows();
  }
  // 3. The sub-window frees the window when it has closed.
}

void TEditForm::ResetMissionState() {
  state_.Mission.ClearTables();
  state_.ClearFindRequests();
  state_.DocumentCount = 0;
  state_.SearchLine = NoSearchLine;
}

// ---------------------------------------------------------------------------
// Edit commands

void TEditForm::Edit1Click() {
  // 1.
  const QMimeData* clipboard = QApplication::clipboard()->mimeData();
  const bool canPaste = clipboard != nullptr && clipboard->hasText();
  Paste1->setEnabled(canPaste);
  Paste2->setEnabled(canPaste);
  // 2.
  const bool hasSelection = Editor->textCursor().hasSelection();
  for (QAction* action : {Cut1, Cut2, Copy1, Copy2, Delete1}) action->setEnabled(hasSelection);
  // 3.
  UpdateCursorPos();
  // Our own items, after the menu's standard ones.
  Undo1->setEnabled(Editor->document()->isUndoAvailable());
  Redo1->setEnabled(Editor->document()->isRedoAvailable());
  CheckAsYouType1->setChecked(state_.CheckAsYouType);
}

// The rogue marks are only painted, so the clipboard commands work on the
// text as it is, whether the marking is on or off.
void TEditForm::Cut1Click() { Editor->cut(); }

void TEditForm::Copy1Click() { Editor->copy(); }

void TEditForm::Paste1Click() { Editor->paste(); }

void TEditForm::Delete1Click() { Editor->textCursor().removeSelectedText(); }

void TEditForm::Selectall1Click() { Editor->selectAll(); }

void TEditForm::EditorSelectionChange() { UpdateCursorPos(); }

void TEditForm::UpdateCursorPos() {
  // 1. and 2.
  CaretLine = Editor->CaretLine();
  CaretColumn = Editor->CaretColumn();
  // 3. The status bar shows the active window's caret only: a caret moved
  //    in another window (by a search, say) leaves it alone.
  if (host_ && host_->IsActiveDocument(this))
    host_->SetStatusText(0, QString("  Line: %1 : %2").arg(CaretLine).arg(CaretColumn));
}

void TEditForm::EditorKeyDown(int key, Qt::KeyboardModifiers /*shift*/) {
  switch (key) {
    case Qt::Key_F2:
      search_->Search2Click();
      break;
    case Qt::Key_F3:
      if (!state_.LocateText.isEmpty()) search_->FindDialog1Find();
      break;
    case Qt::Key_F4:
      if (!state_.SearchText.isEmpty()) search_->FindObject();
      break;
    case Qt::Key_F5:
      if (!search_->ReplaceFindText().isEmpty()) search_->ReplaceDialog1Find();
      break;
    default:
      break;
  }
}

}  // namespace tolvane
