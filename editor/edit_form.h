#pragma once
// The document window: one per open mission text, a child of the frame's
// work area. It holds the text area `Editor` and its own menus, which the
// frame merges into its menu bar while the window is active: File in group
// 0; Edit, Search, Font, Color, Verify and Objects in group 1.
//
// The window itself creates its menus, numbers its document and keeps the
// Edit menu and the caret position; each other handler hands on to the
// command object of its subject (files, display settings, rogue view,
// verify, search, renumbering). The frame is known only as a DocumentHost.
//
// Only the window numbered 1 (the first mission opened) verifies: its
// "&Verify" and "&Objects" menus appear when its file name ends in ".mis",
// and closing it empties the object tables, clears the find requests and
// lets the next file opened become number 1 again.

#include <QString>
#include <QStringList>
#include <QWidget>

#include "app_state.h"
#include "document_host.h"
#include "user_dialogs.h"

class QAction;
class QMenu;

namespace tolvane {

class DisplaySettingsCommands;
class FileCommands;
class LiveCheck;
class MissionDocument;
class MissionEditor;
class RenumberCommand;
class RogueView;
class SearchCommands;
class VerifyCommand;

class TEditForm : public QWidget, public DocumentWindow {
  Q_OBJECT

 public:
  // host: the frame that holds the window (none for a window on its own).
  TEditForm(DocumentHost* host, AppState& state, UserDialogs& dialogs);
  ~TEditForm() override;

  // DocumentWindow.
  QWidget* Widget() override { return this; }
  // Loads the file at path into this window (just made by the frame's Open),
  // applies the display settings and numbers the document. Answers false
  // when the file cannot be read; the window then holds no text, keeps the
  // name "Untitled" and has taken no document number.
  bool OpenDocument(const QString& path) override;
  // The window has become the active child: first the find requests, then
  // the "&Verify" menu by document number, then the status bar; last, a
  // file changed on disk is offered for reloading.
  void FormActivate() override;
  bool FormCloseQuery() override;
  void AgreeToClose() override { closeAgreed_ = true; }
  void TakeDocumentNumber(int number) override;
  QList<MergeMenuItem> MergeMenuItems() const override;
  // The captions of the window's items on the frame's menu bar, in order.
  static QStringList MenuBarCaptions();

  // Recomputes CaretLine and CaretColumn and shows them in the status bar
  // while the window is the active one.
  void UpdateCursorPos();

  // The document: text, FileName, DocumentNumber, RogueMarking.
  MissionDocument* Document = nullptr;
  int CaretColumn = 0;
  int CaretLine = 0;

  // The text area.
  MissionEditor* Editor = nullptr;

  // Menus and items.
  QMenu* File1 = nullptr;
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Close1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Saveas1 = nullptr;
  QAction* Print1 = nullptr;
  QAction* Printersetup1 = nullptr;
  QAction* N2 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* Cut1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Paste1 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* Selectall1 = nullptr;
  QAction* TurnOnRogueCheck1 = nullptr;
  QAction* TurnOffRogueCheck1 = nullptr;
  QAction* TagIdNumberFix1 = nullptr;
  // After the standard items: undo and redo, checking as you type.
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QAction* CheckAsYouType1 = nullptr;
  QMenu* Search1 = nullptr;
  QAction* Search2 = nullptr;
  QAction* SearchAgainF3 = nullptr;
  QAction* FindandReplace1 = nullptr;
  QAction* GoToLine1 = nullptr;  // after the standard items
  QAction* Font1 = nullptr;
  QAction* Color1 = nullptr;
  QAction* Checker1 = nullptr;
  QMenu* Objects1 = nullptr;
  QAction* StockObjects1 = nullptr;
  QAction* MissionObjects1 = nullptr;  // "Flights"
  QAction* FlightWaypts = nullptr;
  QAction* Divisions1 = nullptr;
  QAction* Vehicles1 = nullptr;
  QAction* VehicleWaypts = nullptr;
  QAction* Structures1 = nullptr;
  QAction* Bridges3 = nullptr;
  QAction* Triggers2 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Cut2 = nullptr;
  QAction* Copy2 = nullptr;
  QAction* Paste2 = nullptr;

  // The window's own handlers.
  void New1Click();
  void Open1Click();
  void Close1Click();
  void Exit1Click();
  void Edit1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void Selectall1Click();
  void EditorSelectionChange();
  void EditorKeyDown(int key, Qt::KeyboardModifiers shift);
  // Turns checking as you type on or off, for every window and the next
  // start.
  void CheckAsYouType1Click(bool on);
  // Empties the object tables, clears the find requests and sets
  // DocumentCount and SearchLine to 0.
  void ResetMissionState();

  // The command objects the other handlers hand on to.
  FileCommands& Files() { return *files_; }
  DisplaySettingsCommands& Display() { return *display_; }
  RogueView& Rogue() { return *rogue_; }
  VerifyCommand& Verify() { return *verify_; }
  SearchCommands& Search() { return *search_; }
  RenumberCommand& Renumber() { return *renumber_; }
  LiveCheck& Checking() { return *liveCheck_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CreateMenus();
  void FormClose();

  DocumentHost* host_;
  AppState& state_;
  UserDialogs& dialogs_;
  FileCommands* files_ = nullptr;
  DisplaySettingsCommands* display_ = nullptr;
  RogueView* rogue_ = nullptr;
  VerifyCommand* verify_ = nullptr;
  SearchCommands* search_ = nullptr;
  RenumberCommand* renumber_ = nullptr;
  LiveCheck* liveCheck_ = nullptr;
  bool closeAgreed_ = false;
};

}  // namespace tolvane
