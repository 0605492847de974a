#include "edit_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "display_settings.h"
#include "frame_window.h"
#include "mission_editor.h"
#include "mission_text_io.h"
#include "rogue_characters.h"

namespace tolvane {

namespace {

const char* const kUntitled = "Untitled";

QString UpperCaseAscii(const QString& text) {
  QString out = text;
  for (QChar& ch : out)
    if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ch = QChar(ch.unicode() - 'a' + 'A');
  return out;
}

// The extension of a path: from the last "." after the last separator, dot
// included; empty when there is none.
QString ExtensionOf(const QString& path) {
  const int separator = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                                   path.lastIndexOf(QLatin1Char(':'))});
  const int dot = path.lastIndexOf(QLatin1Char('.'));
  return dot > separator ? path.mid(dot) : QString();
}

}  // namespace

TEditForm::TEditForm(TFrameForm* frame, AppState& state, UserDialogs& dialogs)
    : QWidget(nullptr), frame_(frame), state_(state), dialogs_(dialogs) {
  setWindowTitle(kUntitled);
  resize(435, 308);
  QFont windowFont = font();
  windowFont.setPixelSize(11);
  setFont(windowFont);

  Editor = new MissionEditor(this);
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

  display_ = new DisplaySettingsCommands(this, Editor, state_, dialogs_);

  CreateMenus();

  connect(Editor, &QPlainTextEdit::selectionChanged, this, &TEditForm::EditorSelectionChange);
  connect(Editor, &QPlainTextEdit::cursorPositionChanged, this, &TEditForm::EditorSelectionChange);
  connect(Editor, &MissionEditor::KeyDown, this, &TEditForm::EditorKeyDown);
  connect(Editor, &MissionEditor::CutRequested, this, &TEditForm::Cut1Click);
  connect(Editor, &MissionEditor::CopyRequested, this, &TEditForm::Copy1Click);
  connect(Editor, &MissionEditor::PasteRequested, this, &TEditForm::Paste1Click);
  connect(Editor, &MissionEditor::ContextMenuRequested, this,
          [this](const QPoint& where) { PopupMenu1->popup(where); });

  FormCreate();
}

TEditForm::~TEditForm() { delete printer_; }

void TEditForm::CreateMenus() {
  auto item = [this](QMenu* menu, const QString& caption, void (TEditForm::*handler)()) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
  };

  File1 = new QMenu("&File", this);
  New1 = item(File1, "&New", &TEditForm::New1Click);
  Open1 = item(File1, "&Open...", &TEditForm::Open1Click);
  Close1 = item(File1, "&Close", &TEditForm::Close1Click);
  Save1 = File1->addAction("&Save");
  connect(Save1, &QAction::triggered, this, [this] { Save1Click(); });
  Saveas1 = File1->addAction("Save &as...");
  connect(Saveas1, &QAction::triggered, this, [this] { Saveas1Click(); });
  Print1 = item(File1, "&Print", &TEditForm::Print1Click);
  Printersetup1 = item(File1, "Printer setup...", &TEditForm::Printersetup1Click);
  N2 = File1->addSeparator();
  Exit1 = item(File1, "E&xit", &TEditForm::Exit1Click);

  Edit1 = new QMenu("&Edit", this);
  connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
  Cut1 = item(Edit1, "Cu&t", &TEditForm::Cut1Click);
  Cut1->setShortcut(QKeySequence("Ctrl+X"));
  Copy1 = item(Edit1, "&Copy", &TEditForm::Copy1Click);
  Copy1->setShortcut(QKeySequence("Ctrl+C"));
  Paste1 = item(Edit1, "&Paste", &TEditForm::Paste1Click);
  Paste1->setShortcut(QKeySequence("Ctrl+V"));
  Delete1 = item(Edit1, "De&lete", &TEditForm::Delete1Click);
  Delete1->setShortcut(QKeySequence("Ctrl+D"));
  Edit1->addSeparator();
  Selectall1 = item(Edit1, "Select &all", &TEditForm::Selectall1Click);
  Selectall1->setShortcut(QKeySequence("Ctrl+A"));
  Edit1->addSeparator();
  TurnOnRogueCheck1 = item(Edit1, "Turn On Rogue Character Check", &TEditForm::TurnOnRogueCheckCommand);
  TurnOffRogueCheck1 = item(Edit1, "Turn Off Rogue Character Check", &TEditForm::TurnOffRogueCheckCommand);
  Edit1->addSeparator();
  TagIdNumberFix1 = item(Edit1, "Tag Id Number Fix ", &TEditForm::TagIdNumberFix1Click);

  Search1 = new QMenu("&Search", this);
  Search2 = item(Search1, "Search            F2", &TEditForm::Search2Click);
  Search1->addSeparator();
  SearchAgainF3 = item(Search1, "Search Again       F3", &TEditForm::SearchAgainF3Click);
  Search1->addSeparator();
  FindandReplace1 = item(Search1, "Find and Replace", &TEditForm::FindandReplace1Click);

  Font1 = new QAction("Fon&t", this);
  connect(Font1, &QAction::triggered, this, &TEditForm::Font1Click);
  Color1 = new QAction("&Color", this);
  connect(Color1, &QAction::triggered, this, &TEditForm::Color1Click);

  Checker1 = new QAction("&Verify", this);
  connect(Checker1, &QAction::triggered, this, &TEditForm::Triggers1Click);
  Checker1->setVisible(false);

  Objects1 = new QMenu("&Objects", this);
  Objects1->menuAction()->setVisible(false);
  StockObjects1 = item(Objects1, "Stock Objects", &TEditForm::StockObjects1Click);
  MissionObjects1 = item(Objects1, "Flights", &TEditForm::MissionObjects1Click);
  FlightWaypts = item(Objects1, "Flight Waypoints", &TEditForm::FlightWayptsClick);
  Divisions1 = item(Objects1, "Divisions", &TEditForm::Divisions1Click);
  Vehicles1 = item(Objects1, "Vehicles", &TEditForm::Vehicles1Click);
  VehicleWaypts = item(Objects1, "Vehicle Waypoints", &TEditForm::VehicleWayptsClick);
  Structures1 = item(Objects1, "Structures", &TEditForm::Structures1Click);
  Bridges3 = item(Objects1, "Bridges", &TEditForm::Bridges3Click);
  Triggers2 = item(Objects1, "Triggers", &TEditForm::Triggers2Click);
  for (QAction* entry : {MissionObjects1, FlightWaypts, Divisions1, Vehicles1, VehicleWaypts, Structures1,
                         Bridges3, Triggers2})
    entry->setVisible(false);

  PopupMenu1 = new QMenu(this);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
  Cut2 = item(PopupMenu1, "Cu&t", &TEditForm::Cut1Click);
  Copy2 = item(PopupMenu1, "&Copy", &TEditForm::Copy1Click);
  Paste2 = item(PopupMenu1, "&Paste", &TEditForm::Paste1Click);

  SaveFileDialog.Filters = QStringList{"Mission Files (*.mis)", "Plain text files (*.txt)", "All files (*.*)"};
  SaveFileDialog.FilterCaptions = QStringList{"Mission Files", "Plain text files (*.txt)", "All files"};
  SaveFileDialog.FilterIndex = 1;
  SaveFileDialog.DefaultExtension = "*.mis";
}

QList<MergeMenuItem> TEditForm::MergeMenuItems() const {
  return {{0, File1->menuAction()}, {1, Edit1->menuAction()}, {1, Search1->menuAction()}, {1, Font1},
          {1, Color1},              {1, Checker1},            {1, Objects1->menuAction()}};
}

// ---------------------------------------------------------------------------
// Creation, opening and activation

void TEditForm::FormCreate() {
  // 1.
  FileName = kUntitled;
  state_.LocateText.clear();
  // 2.
  RogueMarking = false;
  RenumberCheckPending = false;
  state_.SearchLine = 0;
  // 3.
  TurnOnRogueCheck1->setEnabled(true);
  TurnOffRogueCheck1->setEnabled(false);
  // 4.
  for (RenumberEntry& entry : state_.RenumberTable) entry = RenumberEntry{};
  state_.RenumberCount = 0;
  // 5.
  state_.Mission.TriggerActionCount = 0;
  state_.Mission.TriggerCheckCount = 0;
}

bool TEditForm::OpenDocument(const QString& path) {
  // The file is read before anything else changes, so a file that cannot be
  // read leaves the window as it was: empty, "Untitled", without a number.
  QString text;
  QString error;
  if (!ReadMissionText(path, text, error)) return false;

  // 1.
  FileName = path;
  setWindowTitle(FileNamePart(path));
  // 2.
  SetFont();
  SetCustomColors();
  // 3.
  Editor->setRogueMarking(false);
  Editor->setPlainText(text);
  Editor->moveCursor(QTextCursor::Start);
  Editor->document()->setModified(false);
  RenumberCheckPending = false;
  Editor->viewport()->update();
  // 4.
  state_.DocumentCount += 1;
  DocumentNumber = state_.DocumentCount;
  RogueMarking = false;
  TurnOnRogueCheck1->setEnabled(true);
  TurnOffRogueCheck1->setEnabled(false);
  // 5.
  if (UpperCaseAscii(ExtensionOf(FileName)) == ".MIS") {
    if (DocumentNumber > 1) {
      Checker1->setVisible(false);
      Objects1->menuAction()->setVisible(false);
    }
    if (DocumentNumber == 1) {
      Checker1->setVisible(true);
      Objects1->menuAction()->setVisible(true);
      if (frame_) frame_->ShowBridgesCommand();
    }
  }
  // 6.
  UpdateCursorPos();
  // 7.
  if (frame_ && frame_->Forms().Form5) {
    QWidget* objects = frame_->Forms().Form5;
    objects->move(Editor->x() + Editor->width() / 2 + objects->width(), objects->y());
  }
  return true;
}

void TEditForm::FormActivate() {
  // The browsers' find requests are taken here by the search commands.
  if (DocumentNumber > 1) Checker1->setVisible(false);
  if (DocumentNumber == 1) Checker1->setVisible(true);
  // The status panels belong to the frame; they follow the active window.
  UpdateCursorPos();
  if (frame_) frame_->SetStatusText(1, RogueMarking ? RogueReminderText() : RogueReminderBlank());
}

bool TEditForm::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    // The frame puts the window into a sub-window of its work area; the
    // window is activated with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      connect(sub, &QMdiSubWindow::windowStateChanged, this, &TEditForm::SubWindowStateChanged,
              Qt::UniqueConnection);
    }
  }
  return QWidget::event(event);
}

void TEditForm::SubWindowStateChanged(Qt::WindowStates before, Qt::WindowStates now) {
  if (!(before & Qt::WindowActive) && (now & Qt::WindowActive)) FormActivate();
}

QString TEditForm::FileNamePart(const QString& path) {
  const int separator = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                                  path.lastIndexOf(QLatin1Char(':'))});
  return path.mid(separator + 1);
}

// ---------------------------------------------------------------------------
// File commands

void TEditForm::New1Click() {
  QWidget* created = frame_ ? frame_->New1Click() : nullptr;
  state_.DocumentCount += 1;
  if (auto* form = qobject_cast<TEditForm*>(created)) {
    form->DocumentNumber = state_.DocumentCount;
    form->RogueMarking = false;
  }
}

void TEditForm::Open1Click() {
  if (frame_) frame_->Open1Click();
}

void TEditForm::Close1Click() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->close();
  } else {
    close();
  }
}

void TEditForm::Exit1Click() {
  if (RogueMarking) TurnOffRogueCheck1Click();
  if (frame_) frame_->Exit1Click();
  RogueMarking = false;
}

bool TEditForm::Save1Click() {
  // The file gets the blanks and tabs that any marks stand for; the window
  // keeps showing its marks, so the marking is as it was afterwards.
  if (FileName != kUntitled) return WriteDocument();
  return Saveas1Click();
}

bool TEditForm::WriteDocument() {
  QString error;
  if (!WriteMissionText(FileName, UnmarkedText(*Editor->document()), error)) {
    dialogs_.Inform(this, error);
    return false;
  }
  Editor->document()->setModified(false);
  return true;
}

bool TEditForm::Saveas1Click() {
  // 1.
  SaveFileDialog.Title = "Save As";
  SaveFileDialog.FileName = FileName;
  // A new text starts in the missions folder, a named one beside its file.
  SaveFileDialog.InitialFolder =
      FileName == kUntitled ? state_.Settings.MissionFolder : QFileInfo(FileName).absolutePath();
  const QString chosen = dialogs_.ChooseSaveFile(this, SaveFileDialog);
  SaveFileDialogTypeChange(SaveFileDialog.FilterIndex);
  // 2. Cancel changes nothing.
  if (chosen.isEmpty()) return false;
  const QString previous = FileName;
  FileName = chosen;
  setWindowTitle(FileNamePart(FileName));
  if (Save1Click()) return true;
  // The text was not written there: the window keeps its former name.
  FileName = previous;
  setWindowTitle(FileNamePart(FileName));
  return false;
}

void TEditForm::SaveFileDialogTypeChange(int filterIndex) {
  switch (filterIndex) {
    case 1:
      SaveFileDialog.DefaultExtension = "*.mis";
      break;
    case 2:
      SaveFileDialog.DefaultExtension = "*.txt";
      break;
    case 3:
      SaveFileDialog.DefaultExtension = "*.*";
      break;
    default:
      break;
  }
}

QPrinter& TEditForm::Printer() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

void TEditForm::Print1Click() {
  QPrinter& printer = Printer();
  if (!ShowPrintDialog(printer)) return;
  // The page shows the blanks and tabs that any marks stand for; the window
  // keeps its marks.
  QTextDocument copy;
  copy.setDefaultFont(Editor->font());
  copy.setPlainText(UnmarkedText(*Editor->document()));
  printer.setDocName(FileName);
  copy.print(&printer);
}

void TEditForm::Printersetup1Click() { ShowPrinterSetupDialog(Printer()); }

bool TEditForm::ShowPrintDialog(QPrinter& printer) {
  if (PrintDialogHook) return PrintDialogHook(printer);
  QPrintDialog dialog(&printer, this);
  return dialog.exec() == QDialog::Accepted;
}

void TEditForm::ShowPrinterSetupDialog(QPrinter& printer) {
  if (PrinterSetupDialogHook) {
    PrinterSetupDialogHook(printer);
    return;
  }
  QPageSetupDialog dialog(&printer, this);
  dialog.exec();
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

bool TEditForm::FormCloseQuery() {
  if (!Editor->document()->isModified()) return true;
  const Answer answer = dialogs_.AskYesNoCancel(this, QString("Save changes to %1?").arg(FileName));
  switch (answer) {
    case Answer::Yes:
      // A save that was cancelled or failed keeps the window and its text.
      return Save1Click();
    case Answer::No:
      return true;
    case Answer::Cancel:
    default:
      return false;
  }
}

void TEditForm::FormClose() {
  // 1.
  if (state_.DocumentCount > 0) state_.DocumentCount -= 1;
  // 2.
  if (DocumentNumber == 1) {
    state_.ObjectFindFlag = false;
    state_.SearchLine = 0;
    state_.SearchText.clear();
    Checker1->setVisible(false);
    Objects1->menuAction()->setVisible(false);
    if (frame_) frame_->ResetOpenDialog();
    ResetMissionState();
    if (frame_) {
      for (QWidget* window : frame_->Forms().MissionWindows())
        if (window && window->isVisible()) window->close();
    }
  }
  // 3. The sub-window frees the window when it has closed.
}

void TEditForm::ResetMissionState() {
  state_.Mission.ClearTables();
  state_.ClearFindRequests();
  state_.DocumentCount = 0;
  state_.SearchLine = 0;
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
}

// The clipboard gets the blanks and tabs that any marks stand for, and text
// pasted while the marking is on is marked like the rest; the window's own
// text keeps its marks.
void TEditForm::Cut1Click() { Editor->cut(); }

void TEditForm::Copy1Click() { Editor->copy(); }

void TEditForm::Paste1Click() { Editor->paste(); }

void TEditForm::Delete1Click() { Editor->textCursor().removeSelectedText(); }

void TEditForm::Selectall1Click() { Editor->selectAll(); }

void TEditForm::EditorSelectionChange() { UpdateCursorPos(); }

void TEditForm::UpdateCursorPos() {
  // 1.
  const QTextCursor cursor = Editor->textCursor();
  const int start = cursor.selectionStart();
  const QTextBlock block = Editor->document()->findBlock(start);
  const int line = block.isValid() ? block.blockNumber() : 0;
  const int column = block.isValid() ? start - block.position() : 0;
  // 2.
  CaretLine = line + 1;
  CaretColumn = column + 1;
  // 3.
  if (frame_) frame_->SetStatusText(0, QString("  Line: %1 : %2").arg(CaretLine).arg(CaretColumn));
}

void TEditForm::EditorKeyDown(int key, Qt::KeyboardModifiers /*shift*/) {
  switch (key) {
    case Qt::Key_F2:
      Search2Click();
      break;
    case Qt::Key_F3:
      if (!state_.LocateText.isEmpty()) FindDialog1Find();
      break;
    case Qt::Key_F4:
      if (!state_.SearchText.isEmpty()) FindObject();
      break;
    case Qt::Key_F5:
      if (!ReplaceFindText().isEmpty()) ReplaceDialog1Find();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// The rogue-character view

void TEditForm::TurnOnRogueCheckCommand() {
  RogueMarking = true;
  TurnOnRogueCheck1Click();
}

void TEditForm::TurnOffRogueCheckCommand() {
  RogueMarking = false;
  TurnOffRogueCheck1Click();
}

void TEditForm::TurnOnRogueCheck1Click() {
  TurnOnRogueCheck1->setEnabled(false);
  TurnOffRogueCheck1->setEnabled(true);
  if (frame_) frame_->SetStatusText(1, RogueReminderText());
  RogueCharacterCheck();
}

void TEditForm::TurnOffRogueCheck1Click() {
  TurnOnRogueCheck1->setEnabled(true);
  TurnOffRogueCheck1->setEnabled(false);
  if (frame_) frame_->SetStatusText(1, RogueReminderBlank());
  TurnOffRogueCharacterCheck();
}

namespace {

// Puts the caret at the end of the 1-based line; before any line was
// recorded, at the end of the last line.
void CaretToEndOfLine(QPlainTextEdit* editor, int line) {
  QTextDocument* document = editor->document();
  QTextBlock block = line >= 1 ? document->findBlockByNumber(line - 1) : QTextBlock();
  if (!block.isValid()) block = document->lastBlock();
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock);
  editor->setTextCursor(cursor);
  editor->ensureCursorVisible();
}

}  // namespace

void TEditForm::RogueCharacterCheck() {
  // 1.
  const int c = CaretLine;
  // 2. Every line rewritten, as one edit. The saved file is the same with or
  //    without the marks, so the modified flag stays as it was.
  QTextDocument* document = Editor->document();
  const bool modified = document->isModified();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  MarkRogueCharacters(*document);
  QApplication::restoreOverrideCursor();
  Editor->setRogueMarking(true);
  document->setModified(modified);
  // 3.
  CaretToEndOfLine(Editor, c);
}

void TEditForm::TurnOffRogueCharacterCheck() {
  const int c = CaretLine;
  QTextDocument* document = Editor->document();
  const bool modified = document->isModified();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  UnmarkRogueCharacters(*document);
  QApplication::restoreOverrideCursor();
  Editor->setRogueMarking(false);
  document->setModified(modified);
  CaretToEndOfLine(Editor, c);
}

// ---------------------------------------------------------------------------
// Display settings

void TEditForm::SetFont() { display_->SetFont(); }

void TEditForm::SetCustomColors() { display_->SetCustomColors(); }

void TEditForm::Font1Click() { display_->Font1Click(); }

void TEditForm::FontDialog1Apply() { display_->FontDialog1Apply(); }

void TEditForm::Color1Click() { display_->Color1Click(); }

// ---------------------------------------------------------------------------
// Commands of the search, verify, renumbering and browser work, still empty.

void TEditForm::Search2Click() {}
void TEditForm::SearchAgainF3Click() {}
void TEditForm::FindandReplace1Click() {}
void TEditForm::FindDialog1Find() {}
void TEditForm::FindObject() {}
void TEditForm::ReplaceDialog1Find() {}
QString TEditForm::ReplaceFindText() const { return QString(); }
void TEditForm::TagIdNumberFix1Click() {}
void TEditForm::Triggers1Click() {}
void TEditForm::StockObjects1Click() {}
void TEditForm::MissionObjects1Click() {}
void TEditForm::FlightWayptsClick() {}
void TEditForm::Divisions1Click() {}
void TEditForm::Vehicles1Click() {}
void TEditForm::VehicleWayptsClick() {}
void TEditForm::Structures1Click() {}
void TEditForm::Bridges3Click() {}
void TEditForm::Triggers2Click() {}

}  // namespace tolvane
