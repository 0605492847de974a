#include "tool_window.h"

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

}  // namespace tolvane
