#include "list_windows.h"

namespace tolvane {

TForm5::TForm5(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : ToolWindow(parent, state, dialogs, Layout{"Objects", 280, 464, 545, 0, true}) {}

TForm8::TForm8(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : ToolWindow(parent, state, dialogs, Layout{"Bridges", 280, 513, 506, 0, true}) {}

}  // namespace tolvane
