#include "about_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TOLVANE_VERSION
#error "the build gives the program's version"
#endif

namespace tolvane {

namespace {

QLabel* Label(QWidget* parent, const QString& text, int pointSizeStep = 0, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QFont font = label->font();
  if (pointSizeStep != 0) font.setPointSize(font.pointSize() + pointSizeStep);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

}  // namespace

TForm15::TForm15(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : ToolWindow(parent, state, dialogs, Layout{"About Skyrend Tolvane", 365, 507, -1, -1, true}) {
  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setLineWidth(2);

  ProductName = Label(Panel1, "Skyrend Tolvane", 6, true);
  Version = Label(Panel1, QStringLiteral("Version " TOLVANE_VERSION));
  Purpose = Label(Panel1,
                  "An editor and verifier for Skyrend mission files.\n\n"
                  "Write your missions by hand, let Tolvane read them the way the "
                  "simulation will, and it points you to the first line that needs "
                  "your attention. Browse the flights, vehicles, divisions, "
                  "structures, triggers and bridges a mission sets up, renumber its "
                  "tag identifiers, and keep the templates of every check and action "
                  "at hand.");
  Licence = Label(Panel1,
                  "Tolvane is free to use, copy, share and change, on its own or as "
                  "part of other work, for any purpose and without charge. It comes "
                  "as it is, without any warranty: whoever uses it does so at their "
                  "own risk, and nobody who made it answers for any loss it may "
                  "cause. Keep this notice with every copy.");
  Greeting = Label(Panel1, "Good flying, and may your missions verify first time.", 0, true);

  auto* panelColumn = new QVBoxLayout(Panel1);
  panelColumn->setContentsMargins(14, 16, 14, 16);
  panelColumn->setSpacing(12);
  panelColumn->addWidget(ProductName);
  panelColumn->addWidget(Version);
  panelColumn->addWidget(Purpose);
  panelColumn->addWidget(Licence);
  panelColumn->addStretch(1);
  panelColumn->addWidget(Greeting);

  Button1 = new QPushButton("&Close", this);
  connect(Button1, &QPushButton::clicked, this, &TForm15::Button1Click);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(Button1);
  buttonRow->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  column->addWidget(Panel1, 1);
  column->addLayout(buttonRow);
}

}  // namespace tolvane
