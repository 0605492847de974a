#pragma once
// "Tolvane Readme": Readme.txt from the program folder, read again each time
// the window is shown or activated, so edits made in it last only until then.

#include "memo_window.h"

class QPushButton;
class QShowEvent;

namespace tolvane {

class TForm16 : public MemoWindow {
  Q_OBJECT

 public:
  TForm16(QWidget* parent, AppState& state, UserDialogs& dialogs);

  QPushButton* CloseButton = nullptr;  // "Close"
  QPushButton* SaveButton = nullptr;   // "Save", hidden

  // Loads Readme.txt in place of what the memo shows. When the file cannot
  // be read the memo keeps its text and the failure is told, once while the
  // window stays shown, so that closing the message (which activates the
  // window again) does not bring it back.
  void FormActivate();
  void CloseButtonClick() { close(); }
  // Writes the memo to Readme.txt.
  void SaveButtonClick() { WriteMemo("Readme.txt"); }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  bool failureTold_ = false;
};

}  // namespace tolvane
