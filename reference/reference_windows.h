#pragma once
// The reference and information windows: the Checks and Actions templates,
// the user's trigger notes, the distance table, About and the readme.

#include "tool_window.h"

namespace tolvane {

#define TOLVANE_REFERENCE_WINDOW(Name)                                \
  class Name : public ToolWindow {                                    \
   public:                                                            \
    Name(QWidget* parent, AppState& state, UserDialogs& dialogs);     \
  };

TOLVANE_REFERENCE_WINDOW(TForm1)   // "Checks"
TOLVANE_REFERENCE_WINDOW(TForm2)   // "Actions"
TOLVANE_REFERENCE_WINDOW(TForm3)   // "Triggers"
TOLVANE_REFERENCE_WINDOW(TForm4)   // "Distances"
TOLVANE_REFERENCE_WINDOW(TForm15)  // "About Skyrend Tolvane"
TOLVANE_REFERENCE_WINDOW(TForm16)  // "Tolvane Readme"

#undef TOLVANE_REFERENCE_WINDOW

}  // namespace tolvane
