#pragma once
// The sixteen tool windows: reference windows (Form1 to Form4, Form15,
// Form16), the Objects and Bridges lists (Form5, Form8) and the object
// browsers (Form6, Form7, Form9 to Form14). The frame creates one of each at
// start-up, hidden, and only ever shows and hides them.

#include <QList>

#include "app_state.h"
#include "list_windows.h"
#include "object_browser.h"
#include "reference_windows.h"
#include "user_dialogs.h"

namespace tolvane {

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

  // Form1 .. Form16 by number; nullptr for any other number.
  ToolWindow* ByNumber(int number) const;
  // Form1 to Form14, the windows a closing first document closes.
  QList<ToolWindow*> MissionWindows() const;
  QList<ToolWindow*> All() const;
};

// Creates every tool window, hidden, in the start-up order: Form1 to Form5,
// Form6, Form8, Form7, Form9 to Form16.
ToolWindows CreateToolWindows(QWidget* owner, AppState& state, UserDialogs& dialogs);

}  // namespace tolvane
