#pragma once
// The document window: one per open mission text, a child of the frame's
// work area. It holds the text area `Editor` and its own menus, which the
// frame merges into its menu bar while the window is active: File in group
// 0; Edit, Search, Font, Color, Verify and Objects in group 1.
//
// Only the window numbered 1 (the first mission opened) verifies: its
// "&Verify" and "&Objects" menus appear when its file name ends in ".mis",
// and closing it empties the object tables, clears the find requests and
// lets the next file opened become number 1 again.

#include <QString>
#include <QWidget>

#include <functional>

#include "app_state.h"
#include "menu_merging.h"
#include "user_dialogs.h"

class QAction;
class QMenu;
class QPrinter;

namespace tolvane {

class DisplaySettingsCommands;
class MissionEditor;
class TFrameForm;

class TEditForm : public QWidget, public MenuMergeSource {
  Q_OBJECT

 public:
  TEditForm(TFrameForm* frame, AppState& state, UserDialogs& dialogs);
  ~TEditForm() override;

  // Loads the file at path into this window (just made by the frame's Open),
  // applies the display settings and numbers the document. Answers false
  // when the file cannot be read; the window then holds no text, keeps the
  // name "Untitled" and has taken no document number.
  bool OpenDocument(const QString& path);

  // Recomputes CaretLine and CaretColumn and shows them in the status bar.
  void UpdateCursorPos();

  // The menus this window brings to the frame's menu bar.
  QList<MergeMenuItem> MergeMenuItems() const override;

  // Fields.
  QString FileName;
  int CaretColumn = 0;
  int CaretLine = 0;
  int DocumentNumber = 0;
  bool RogueMarking = false;
  bool RenumberCheckPending = false;

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
  QMenu* Search1 = nullptr;
  QAction* Search2 = nullptr;
  QAction* SearchAgainF3 = nullptr;
  QAction* FindandReplace1 = nullptr;
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

  // The save dialog's settings, kept between uses.
  FileDialogRequest SaveFileDialog;

  // Handlers.
  void FormActivate();
  void New1Click();
  void Open1Click();
  void Close1Click();
  // Saves the document. Answers true when the text was written; false when
  // the user cancelled the save dialog or the write failed (the failure has
  // been reported with the system's own text).
  bool Save1Click();
  bool Saveas1Click();
  void SaveFileDialogTypeChange(int filterIndex);
  void Print1Click();
  void Printersetup1Click();
  void Exit1Click();
  void Edit1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void Selectall1Click();
  void EditorSelectionChange();
  void EditorKeyDown(int key, Qt::KeyboardModifiers shift);

  // The rogue-character view.
  void TurnOnRogueCheckCommand();   // the menu item "Turn On Rogue Character Check"
  void TurnOffRogueCheckCommand();  // the menu item "Turn Off Rogue Character Check"
  void TurnOnRogueCheck1Click();
  void TurnOffRogueCheck1Click();
  void RogueCharacterCheck();
  void TurnOffRogueCharacterCheck();

  // Display settings.
  void SetFont();
  void SetCustomColors();
  void Font1Click();
  void FontDialog1Apply();
  void Color1Click();

  // Commands that come with the search, verify, renumbering and browser
  // work; for now they do nothing.
  void Search2Click();
  void SearchAgainF3Click();
  void FindandReplace1Click();
  void FindDialog1Find();
  void FindObject();
  void ReplaceDialog1Find();
  void TagIdNumberFix1Click();
  void Triggers1Click();  // the Verify command
  void StockObjects1Click();
  void MissionObjects1Click();
  void FlightWayptsClick();
  void Divisions1Click();
  void Vehicles1Click();
  void VehicleWayptsClick();
  void Structures1Click();
  void Bridges3Click();
  void Triggers2Click();

  // Empties the object tables, clears the find requests and sets
  // DocumentCount and SearchLine to 0.
  void ResetMissionState();

  // The printer the Print and Printer setup commands use.
  QPrinter& Printer();
  // The print and printer set-up dialogs; tests put their own answers here.
  // Print goes ahead when the print dialog answers true.
  std::function<bool(QPrinter&)> PrintDialogHook;
  std::function<void(QPrinter&)> PrinterSetupDialogHook;

  TFrameForm* Frame() const { return frame_; }

  // The close query: offers to save changes. False when the window must stay.
  bool FormCloseQuery();
  // The next close goes ahead without asking again: the frame has asked
  // every window before it closes any at exit.
  void AgreeToClose() { closeAgreed_ = true; }
  DisplaySettingsCommands& Display() { return *display_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FormCreate();
  void SubWindowStateChanged(Qt::WindowStates before, Qt::WindowStates now);
  void CreateMenus();
  void FormClose();
  // Writes the text to FileName. False (reported) when the write failed.
  bool WriteDocument();
  // The file-name part of a path: the text after its last separator.
  static QString FileNamePart(const QString& path);
  bool ShowPrintDialog(QPrinter& printer);
  void ShowPrinterSetupDialog(QPrinter& printer);
  // The replace dialog's find text (F5 acts only when it is not empty).
  QString ReplaceFindText() const;

  TFrameForm* frame_;
  AppState& state_;
  UserDialogs& dialogs_;
  DisplaySettingsCommands* display_ = nullptr;
  bool closeAgreed_ = false;
  QPrinter* printer_ = nullptr;
};

}  // namespace tolvane
