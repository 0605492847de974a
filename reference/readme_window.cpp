#include "readme_window.h"

#include <QEvent>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>

namespace tolvane {

TForm16::TForm16(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : MemoWindow(parent, state, dialogs, Layout{"Tolvane Readme", 906, 681, 56, 26, false, true},
                 MemoLook{true, true}) {
  SaveButton = MakeButton("Save", false);
  CloseButton = MakeButton("Close");
  PlaceButtons(SaveButton, CloseButton);
  connect(SaveButton, &QPushButton::clicked, this, &TForm16::SaveButtonClick);
  connect(CloseButton, &QPushButton::clicked, this, &TForm16::CloseButtonClick);
}

void TForm16::FormActivate() {
  QString text, error;
  if (!ReadProgramFile("Readme.txt", text, error)) {
    if (!failureTold_) {
      failureTold_ = true;
      Dialogs.Inform(this, error);
    }
    return;
  }
  failureTold_ = false;
  // The same text again keeps the place the reader had scrolled to.
  if (MemoText() != text) Memo1->setPlainText(text);
}

bool TForm16::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return MemoWindow::event(event);
}

void TForm16::showEvent(QShowEvent* event) {
  MemoWindow::showEvent(event);
  FormActivate();
}

void TForm16::hideEvent(QHideEvent* event) {
  MemoWindow::hideEvent(event);
  if (!event->spontaneous()) failureTold_ = false;
}

}  // namespace tolvane
