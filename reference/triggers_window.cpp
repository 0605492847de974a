#include "triggers_window.h"

#include <QPushButton>
#include <QShowEvent>

namespace tolvane {

TForm3::TForm3(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : EditedMemoWindow(parent, state, dialogs, Layout{"Triggers", 611, 631, 400, 64}, MemoLook{false, true},
                       "Triggers.txt") {
  SaveButton = MakeButton("&Save");
  Button1 = MakeButton("&Close");
  PlaceButtons(SaveButton, Button1);
  connect(SaveButton, &QPushButton::clicked, this, &TForm3::SaveButtonClick);
  connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
  FormCreate();
}

void TForm3::FormCreate() {
  QString text;
  ReadProgramFile("Triggers.txt", text, loadError_);
  ShowText(text);
}

void TForm3::showEvent(QShowEvent* event) {
  EditedMemoWindow::showEvent(event);
  if (loadError_.isEmpty() || event->spontaneous()) return;
  const QString error = loadError_;
  loadError_.clear();
  Dialogs.Inform(this, error);
}

}  // namespace tolvane
