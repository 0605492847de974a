#pragma once
// "Distances": metres, the distance unit of missions, in statute miles.
// The table may be edited while the program runs; nothing is kept.

#include "memo_window.h"

class QPushButton;

namespace tolvane {

class TForm4 : public MemoWindow {
  Q_OBJECT

 public:
  TForm4(QWidget* parent, AppState& state, UserDialogs& dialogs);

  QPushButton* CloseButton1 = nullptr;  // "&Close"

  void CloseButton1Click() { close(); }
};

}  // namespace tolvane
