#pragma once
// "About Skyrend Tolvane": what the program is, its version and its
// licence, on a raised panel above the Close button.

#include "tool_window.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tolvane {

class TForm15 : public ToolWindow {
  Q_OBJECT

 public:
  TForm15(QWidget* parent, AppState& state, UserDialogs& dialogs);

  QFrame* Panel1 = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Purpose = nullptr;
  QLabel* Licence = nullptr;
  QLabel* Greeting = nullptr;
  QPushButton* Button1 = nullptr;  // "&Close"

  void Button1Click() { close(); }
};

}  // namespace tolvane
