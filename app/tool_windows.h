#pragma once
// The sixteen tool windows: reference windows (Form1 to Form4, Form15,
// Form16), the Objects and Bridges lists (Form5, Form8) and the object
// browsers (Form6, Form7, Form9 to Form14). The frame creates one of each at
// start-up, hidden, and only ever shows and hides them. For now each is an
// empty window with its caption, size and place; their contents come later.

#include <QWidget>

#include "app_state.h"
#include "user_dialogs.h"

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
  AppState& State;
  UserDialogs& Dialogs;
};

#define TOLVANE_TOOL_WINDOW(Name)                                             \
  class Name : public ToolWindow {                                            \
   public:                                                                    \
    Name(QWidget* parent, AppState& state, UserDialogs& dialogs);             \
  };

TOLVANE_TOOL_WINDOW(TForm1)   // "Checks"
TOLVANE_TOOL_WINDOW(TForm2)   // "Actions"
TOLVANE_TOOL_WINDOW(TForm3)   // "Triggers"
TOLVANE_TOOL_WINDOW(TForm4)   // "Distances"
TOLVANE_TOOL_WINDOW(TForm5)   // "Objects"
TOLVANE_TOOL_WINDOW(TForm6)   // "Mission Aircraft"
TOLVANE_TOOL_WINDOW(TForm7)   // "Vehicle Waypoints"
TOLVANE_TOOL_WINDOW(TForm8)   // "Bridges"
TOLVANE_TOOL_WINDOW(TForm9)   // "Mission Flight Waypoints"
TOLVANE_TOOL_WINDOW(TForm10)  // "Mission Vehicles"
TOLVANE_TOOL_WINDOW(TForm11)  // "Mission Divisions"
TOLVANE_TOOL_WINDOW(TForm12)  // "Mission Structures"
TOLVANE_TOOL_WINDOW(TForm13)  // "Mission Triggers"
TOLVANE_TOOL_WINDOW(TForm14)  // "Mission Bridges"
TOLVANE_TOOL_WINDOW(TForm15)  // "About Skyrend Tolvane"
TOLVANE_TOOL_WINDOW(TForm16)  // "Tolvane Readme"

#undef TOLVANE_TOOL_WINDOW

// The one instance of each, owned by the frame.
struct ToolWindows {
  TForm1* Form1 = nullptr;
  TForm2* Form2 = nullptr;
  TForm3* Form3 = nullptr;
  TForm4* Form4 = nullptr;
  TForm5* Form5 = nullptr;
  TForm6* Form6 = nullptr;
  TForm7* Form7 = nullptr;
  TForm8* Form8 = nullptr;
  TForm9* Form9 = nullptr;
  TForm10* Form10 = nullptr;
  TForm11* Form11 = nullptr;
  TForm12* Form12 = nullptr;
  TForm13* Form13 = nullptr;
  TForm14* Form14 = nullptr;
  TForm15* Form15 = nullptr;
  TForm16* Form16 = nullptr;

  // Form1 to Form14, the windows a closing first document closes.
  QList<QWidget*> MissionWindows() const;
  QList<QWidget*> All() const;
};

// Creates every tool window, hidden, in the start-up order: Form1 to Form5,
// Form6, Form8, Form7, Form9 to Form16.
ToolWindows CreateToolWindows(QWidget* owner, AppState& state, UserDialogs& dialogs);

}  // namespace tolvane
