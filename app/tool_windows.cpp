#include "tool_windows.h"

namespace tolvane {

ToolWindow* ToolWindows::ByNumber(int number) const {
  const QList<ToolWindow*> all = All();
  return number >= 1 && number <= all.size() ? all.at(number - 1) : nullptr;
}

QList<ToolWindow*> ToolWindows::MissionWindows() const {
  return {Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, Form9, Form10, Form11, Form12, Form13, Form14};
}

QList<ToolWindow*> ToolWindows::All() const {
  QList<ToolWindow*> all = MissionWindows();
  all << Form15 << Form16;
  return all;
}

ToolWindows CreateToolWindows(QWidget* owner, AppState& state, UserDialogs& dialogs) {
  ToolWindows w;
  w.Form1 = new TForm1(owner, state, dialogs);
  w.Form2 = new TForm2(owner, state, dialogs);
  w.Form3 = new TForm3(owner, state, dialogs);
  w.Form4 = new TForm4(owner, state, dialogs);
  w.Form5 = new TForm5(owner, state, dialogs);
  w.Form6 = new TForm6(owner, state, dialogs);
  w.Form8 = new TForm8(owner, state, dialogs);
  w.Form7 = new TForm7(owner, state, dialogs);
  w.Form9 = new TForm9(owner, state, dialogs);
  w.Form10 = new TForm10(owner, state, dialogs);
  w.Form11 = new TForm11(owner, state, dialogs);
  w.Form12 = new TForm12(owner, state, dialogs);
  w.Form13 = new TForm13(owner, state, dialogs);
  w.Form14 = new TForm14(owner, state, dialogs);
  w.Form15 = new TForm15(owner, state, dialogs);
  w.Form16 = new TForm16(owner, state, dialogs);
  return w;
}

}  // namespace tolvane
