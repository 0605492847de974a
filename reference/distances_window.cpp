#include "distances_window.h"

#include <QPushButton>

#include "reference_texts.h"

namespace tolvane {

TForm4::TForm4(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : MemoWindow(parent, state, dialogs, Layout{"Distances", 243, 490, 640, 115}, MemoLook{true, false}) {
  CloseButton1 = MakeButton("&Close");
  PlaceButtons(nullptr, CloseButton1);
  connect(CloseButton1, &QPushButton::clicked, this, &TForm4::CloseButton1Click);
  const std::string& table = DistanceTable();
  Memo1->setPlainText(QString::fromLatin1(table.data(), static_cast<qsizetype>(table.size())));
}

}  // namespace tolvane
