#include "tool_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

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

void ToolWindow::PaleYellow(QWidget* view, bool bold) {
  QPalette palette = view->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  view->setPalette(palette);
  if (bold) {
    QFont font = view->font();
    font.setBold(true);
    view->setFont(font);
  }
}

void ToolWindow::LayOut(QWidget* view, QPushButton* left, QPushButton* right) {
  auto* buttons = new QHBoxLayout;
  if (left) buttons->addWidget(left);
  buttons->addStretch(1);
  if (right) buttons->addWidget(right);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view, 1);
  layout->addLayout(buttons);
}

void ToolWindow::ShowAndRaise() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace tolvane
