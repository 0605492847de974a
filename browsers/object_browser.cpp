#include "object_browser.h"

namespace tolvane {

#define TOLVANE_BROWSER_LAYOUT(Name, ...) \
  Name::Name(QWidget* parent, AppState& state, UserDialogs& dialogs) \
      : ToolWindow(parent, state, dialogs, Layout{__VA_ARGS__}) {}

TOLVANE_BROWSER_LAYOUT(TForm6, "Mission Aircraft", 1006, 654)
TOLVANE_BROWSER_LAYOUT(TForm7, "Vehicle Waypoints", 437, 467)
TOLVANE_BROWSER_LAYOUT(TForm9, "Mission Flight Waypoints", 737, 502)
TOLVANE_BROWSER_LAYOUT(TForm10, "Mission Vehicles", 510, 578)
TOLVANE_BROWSER_LAYOUT(TForm11, "Mission Divisions", 414, 451)
TOLVANE_BROWSER_LAYOUT(TForm12, "Mission Structures", 234, 467)
TOLVANE_BROWSER_LAYOUT(TForm13, "Mission Triggers", 780, 519)
TOLVANE_BROWSER_LAYOUT(TForm14, "Mission Bridges", 734, 454)

#undef TOLVANE_BROWSER_LAYOUT

}  // namespace tolvane
