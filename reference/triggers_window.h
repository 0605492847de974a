#pragma once
// "Triggers": the user's own trigger notes, kept in Triggers.txt in the
// program folder. Read once when the program starts; saved by Save, and by
// Close after a change.

#include "memo_window.h"

class QPushButton;
class QShowEvent;

namespace tolvane {

class TForm3 : public EditedMemoWindow {
  Q_OBJECT

 public:
  TForm3(QWidget* parent, AppState& state, UserDialogs& dialogs);

  QPushButton* Button1 = nullptr;     // "&Close"
  QPushButton* SaveButton = nullptr;  // "&Save"

  // Writes the memo to Triggers.txt; the changed flag is cleared when that
  // succeeds.
  void SaveButtonClick() { SaveMemo(); }
  // Saves a change first; a failed save keeps the window open.
  void Button1Click() { CloseSavingChanges(); }

 private:
  void FormCreate();
};

}  // namespace tolvane
