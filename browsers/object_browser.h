#pragma once
// The object browsers: one window per kind of object the verifier collected,
// each a read-only grid over its table.

#include "tool_window.h"

namespace tolvane {

#define TOLVANE_BROWSER(Name)                                         \
  class Name : public ToolWindow {                                    \
   public:                                                            \
    Name(QWidget* parent, AppState& state, UserDialogs& dialogs);     \
  };

TOLVANE_BROWSER(TForm6)   // "Mission Aircraft"
TOLVANE_BROWSER(TForm7)   // "Vehicle Waypoints"
TOLVANE_BROWSER(TForm9)   // "Mission Flight Waypoints"
TOLVANE_BROWSER(TForm10)  // "Mission Vehicles"
TOLVANE_BROWSER(TForm11)  // "Mission Divisions"
TOLVANE_BROWSER(TForm12)  // "Mission Structures"
TOLVANE_BROWSER(TForm13)  // "Mission Triggers"
TOLVANE_BROWSER(TForm14)  // "Mission Bridges"

#undef TOLVANE_BROWSER

}  // namespace tolvane
