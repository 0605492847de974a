#include "tool_windows.h"

#include <QGuiApplication>
#include <QScreen>

namespace tolvane {

ToolWindow::ToolWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout)
    : QWidget(parent, Qt::Window), State(state), Dialogs(dialogs) {
  setWindowTitle(layout.Caption);
  resize(layout.Width, layout.Height);
  if (layout.Left >= 0) {
    move(layout.Left, layout.Top);
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - layout.Width) / 2, area.y() + (area.height() - layout.Height) / 2);
  }
  if (layout.CloseButtonsOnly) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  } else if (layout.NoMaximiseButton) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  }
  hide();
}

void ToolWindow::ShowAndRaise() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

#define TOLVANE_TOOL_WINDOW_LAYOUT(Name, ...) \
  Name::Name(QWidget* parent, AppState& state, UserDialogs& dialogs) \
      : ToolWindow(parent, state, dialogs, Layout{__VA_ARGS__}) {}

TOLVANE_TOOL_WINDOW_LAYOUT(TForm1, "Checks", 480, 619, 511, 84)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm2, "Actions", 560, 616, 440, 80)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm3, "Triggers", 611, 631, 400, 64)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm4, "Distances", 243, 490, 640, 115)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm5, "Objects", 280, 464, 545, 0, true)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm6, "Mission Aircraft", 1006, 654)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm7, "Vehicle Waypoints", 437, 467)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm8, "Bridges", 280, 513, 506, 0, true)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm9, "Mission Flight Waypoints", 737, 502)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm10, "Mission Vehicles", 510, 578)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm11, "Mission Divisions", 414, 451)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm12, "Mission Structures", 234, 467)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm13, "Mission Triggers", 780, 519)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm14, "Mission Bridges", 734, 454)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm15, "About Skyrend Tolvane", 365, 507, -1, -1, true)
TOLVANE_TOOL_WINDOW_LAYOUT(TForm16, "Tolvane Readme", 906, 681, 56, 26, false, true)

#undef TOLVANE_TOOL_WINDOW_LAYOUT

QList<QWidget*> ToolWindows::MissionWindows() const {
  return {Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, Form9, Form10, Form11, Form12, Form13, Form14};
}

QList<QWidget*> ToolWindows::All() const {
  QList<QWidget*> all = MissionWindows();
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
