#include "template_windows.h"

#include <QPushButton>

#include "reference_texts.h"

namespace tolvane {

TemplateListWindow::TemplateListWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout,
                                       const char* fileName, const std::string& list)
    : EditedMemoWindow(parent, state, dialogs, layout, MemoLook{false, true}, fileName) {
  SaveButton1 = MakeButton("&Save", false);
  CloseButton1 = MakeButton("&Close");
  PlaceButtons(SaveButton1, CloseButton1);
  connect(SaveButton1, &QPushButton::clicked, this, &TemplateListWindow::SaveButton1Click);
  connect(CloseButton1, &QPushButton::clicked, this, &TemplateListWindow::CloseButton1Click);
  ShowText(QString::fromLatin1(list.data(), static_cast<qsizetype>(list.size())));
}

TForm1::TForm1(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : TemplateListWindow(parent, state, dialogs, Layout{"Checks", 480, 619, 511, 84}, "Checks.Txt", ChecksList()) {}

TForm2::TForm2(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : TemplateListWindow(parent, state, dialogs, Layout{"Actions", 560, 616, 440, 80}, "Actions.Txt",
                         ActionsList()) {}

}  // namespace tolvane
