#pragma once
// The Checks and Actions windows: the built-in cut-and-paste lists of every
// check and every action of the mission language. Each run starts with the
// built-in list; edits stay while the program runs and are written to the
// list's file in the program folder when the window is closed after a
// change. That file is never read back.

#include <string>

#include "memo_window.h"

class QPushButton;

namespace tolvane {

class TemplateListWindow : public EditedMemoWindow {
  Q_OBJECT

 public:
  QPushButton* CloseButton1 = nullptr;  // "&Close"
  QPushButton* SaveButton1 = nullptr;   // "&Save", hidden

  // Writes the memo to the list's file; the changed flag is cleared when
  // that succeeds.
  void SaveButton1Click() { SaveMemo(); }
  // Saves a change first; a failed save keeps the window open.
  void CloseButton1Click() { CloseSavingChanges(); }

 protected:
  TemplateListWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout,
                     const char* fileName, const std::string& list);
};

// "Checks": the 28 checks, written to Checks.Txt.
class TForm1 : public TemplateListWindow {
  Q_OBJECT

 public:
  TForm1(QWidget* parent, AppState& state, UserDialogs& dialogs);
};

// "Actions": the 25 actions and the sound numbers, written to Actions.Txt.
class TForm2 : public TemplateListWindow {
  Q_OBJECT

 public:
  TForm2(QWidget* parent, AppState& state, UserDialogs& dialogs);
};

}  // namespace tolvane
