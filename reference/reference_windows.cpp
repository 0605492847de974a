#include "reference_windows.h"

namespace tolvane {

#define TOLVANE_REFERENCE_LAYOUT(Name, ...) \
  Name::Name(QWidget* parent, AppState& state, UserDialogs& dialogs) \
      : ToolWindow(parent, state, dialogs, Layout{__VA_ARGS__}) {}

TOLVANE_REFERENCE_LAYOUT(TForm1, "Checks", 480, 619, 511, 84)
TOLVANE_REFERENCE_LAYOUT(TForm2, "Actions", 560, 616, 440, 80)
TOLVANE_REFERENCE_LAYOUT(TForm3, "Triggers", 611, 631, 400, 64)
TOLVANE_REFERENCE_LAYOUT(TForm4, "Distances", 243, 490, 640, 115)
TOLVANE_REFERENCE_LAYOUT(TForm15, "About Skyrend Tolvane", 365, 507, -1, -1, true)
TOLVANE_REFERENCE_LAYOUT(TForm16, "Tolvane Readme", 906, 681, 56, 26, false, true)

#undef TOLVANE_REFERENCE_LAYOUT

}  // namespace tolvane
