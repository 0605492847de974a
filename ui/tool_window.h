#pragma once
// A tool window: a top-level window that the frame creates once at start-up,
// hidden, and only ever shows and hides (reference windows, list windows,
// object browsers). Each has its caption, size and place.

#include <QWidget>

#include "app_state.h"
#include "user_dialogs.h"

class QPushButton;

namespace tolvane {

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  struct Layout {
    const char* Caption;
    int Width;
    int Height;
    int Left = -1;  // -1: centred on the screen
    int Top = -1;
    bool CloseButtonsOnly = false;  // no title-bar buttons but its own
    bool NoMaximiseButton = false;  // system menu and minimise only
  };

  ToolWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout);

  // Shows the window without a modal loop and brings it to the front; a
  // window already visible only comes forward.
  void ShowAndRaise();

 protected:
  // The look of the windows' lists, grids and memos: pale yellow (the
  // tool-tip colours), optionally in bold.
  static void PaleYellow(QWidget* view, bool bold);
  // The view fills the window; below it one button stands at the left, the
  // other at the right (either may be none).
  void LayOut(QWidget* view, QPushButton* left, QPushButton* right);

  AppState& State;
  UserDialogs& Dialogs;
};

}  // namespace tolvane
