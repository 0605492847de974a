#include "triggers_window.h"

#include <QPushButton>

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
  // Notes that cannot be read are reported now, at the program's start; the
  // memo stays empty and the program goes on.
  QString text;
  QString error;
  if (!ReadProgramFile("Triggers.txt", text, error)) Dialogs.Inform(this, error);
  ShowText(text);
}

}  // namespace tolvane
