#include "find_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

FindDialog::FindDialog(QWidget* parent, bool withReplace) : QDialog(parent) {
  setWindowTitle(withReplace ? "Replace" : "Find");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);

  auto* fields = new QGridLayout;
  FindEdit = new QLineEdit(this);
  auto* findLabel = new QLabel("Fi&nd what:", this);
  findLabel->setBuddy(FindEdit);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(FindEdit, 0, 1);
  if (withReplace) {
    ReplaceEdit = new QLineEdit(this);
    auto* replaceLabel = new QLabel("Re&place with:", this);
    replaceLabel->setBuddy(ReplaceEdit);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(ReplaceEdit, 1, 1);
  }

  WholeWordBox = new QCheckBox("Match &whole word only", this);
  WholeWordBox->setChecked(true);
  MatchCaseBox = new QCheckBox("Match &case", this);
  auto* direction = new QGroupBox("Direction", this);
  UpButton = new QRadioButton("&Up", direction);
  DownButton = new QRadioButton("&Down", direction);
  DownButton->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(UpButton);
  directionLayout->addWidget(DownButton);
  auto* options = new QHBoxLayout;
  auto* boxes = new QVBoxLayout;
  boxes->addWidget(WholeWordBox);
  boxes->addWidget(MatchCaseBox);
  options->addLayout(boxes);
  if (!withReplace) options->addWidget(direction);
  else direction->hide();

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(options);
  left->addStretch(1);

  auto* buttons = new QVBoxLayout;
  FindNextButton = new QPushButton("&Find Next", this);
  FindNextButton->setDefault(true);
  buttons->addWidget(FindNextButton);
  connect(FindNextButton, &QPushButton::clicked, this, &FindDialog::Find);
  if (withReplace) {
    ReplaceButton = new QPushButton("&Replace", this);
    ReplaceAllButton = new QPushButton("Replace &All", this);
    buttons->addWidget(ReplaceButton);
    buttons->addWidget(ReplaceAllButton);
    connect(ReplaceButton, &QPushButton::clicked, this, &FindDialog::Replace);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &FindDialog::ReplaceAll);
  }
  CancelButton = new QPushButton("Cancel", this);
  buttons->addWidget(CancelButton);
  buttons->addStretch(1);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
}

QString FindDialog::FindText() const { return FindEdit->text(); }

void FindDialog::SetFindText(const QString& text) { FindEdit->setText(text); }

QString FindDialog::ReplaceText() const { return ReplaceEdit ? ReplaceEdit->text() : QString(); }

void FindDialog::SetReplaceText(const QString& text) {
  if (ReplaceEdit) ReplaceEdit->setText(text);
}

void FindDialog::ShowAt(const QPoint& topLeft) {
  move(topLeft);
  show();
  raise();
  activateWindow();
}

}  // namespace tolvane
