#include "font_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

FontDialogWithApply::FontDialogWithApply(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Font");

  faceBox_ = new QFontComboBox(this);
  faceBox_->setEditable(false);  // only fonts that exist
  sizeBox_ = new QComboBox(this);
  for (int size = MinimumSize; size <= MaximumSize; ++size) sizeBox_->addItem(QString::number(size), size);
  boldBox_ = new QCheckBox("&Bold", this);
  italicBox_ = new QCheckBox("&Italic", this);
  underlineBox_ = new QCheckBox("&Underline", this);
  strikeOutBox_ = new QCheckBox("Stri&keout", this);
  colorButton_ = new QPushButton("C&olour...", this);
  sample_ = new QLabel("AaBbYyZz  .Aircraft 123", this);
  // A fixed sample box: the largest size fits, and the dialog keeps its size.
  sample_->setFixedSize(260, 48);
  sample_->setFrameShape(QFrame::StyledPanel);
  sample_->setAlignment(Qt::AlignCenter);

  auto* effects = new QHBoxLayout;
  effects->addWidget(boldBox_);
  effects->addWidget(italicBox_);
  effects->addWidget(underlineBox_);
  effects->addWidget(strikeOutBox_);
  effects->addStretch();
  effects->addWidget(colorButton_);

  auto* form = new QFormLayout;
  form->addRow("&Font:", faceBox_);
  form->addRow("&Size:", sizeBox_);
  form->addRow("Style:", effects);
  form->addRow("Sample:", sample_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  applyButton_ = buttons->button(QDialogButtonBox::Apply);
  applyButton_->setText("&Apply");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(applyButton_, &QPushButton::clicked, this, &FontDialogWithApply::Apply);
  connect(colorButton_, &QPushButton::clicked, this, &FontDialogWithApply::ChooseColor);
  connect(faceBox_, &QFontComboBox::currentFontChanged, this, &FontDialogWithApply::UpdateSample);
  connect(sizeBox_, qOverload<int>(&QComboBox::currentIndexChanged), this, &FontDialogWithApply::UpdateSample);
  connect(boldBox_, &QCheckBox::toggled, this, &FontDialogWithApply::UpdateSample);
  connect(italicBox_, &QCheckBox::toggled, this, &FontDialogWithApply::UpdateSample);
  connect(underlineBox_, &QCheckBox::toggled, this, &FontDialogWithApply::UpdateSample);
  connect(strikeOutBox_, &QCheckBox::toggled, this, &FontDialogWithApply::UpdateSample);

  setColor(color_);
  UpdateSample();
}

void FontDialogWithApply::setCurrentFont(const QFont& font) {
  baseFont_ = font;
  // A font given in pixels has no point size of its own: use what it shows as.
  int size = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
  if (size < MinimumSize) size = MinimumSize;
  if (size > MaximumSize) size = MaximumSize;
  faceBox_->setCurrentFont(QFont(font.family()));
  sizeBox_->setCurrentIndex(size - MinimumSize);
  boldBox_->setChecked(font.bold());
  italicBox_->setChecked(font.italic());
  underlineBox_->setChecked(font.underline());
  strikeOutBox_->setChecked(font.strikeOut());
  UpdateSample();
}

QFont FontDialogWithApply::currentFont() const {
  QFont font = baseFont_;
  font.setFamily(faceBox_->currentFont().family());
  font.setPointSize(sizeBox_->currentData().toInt());
  font.setBold(boldBox_->isChecked());
  font.setItalic(italicBox_->isChecked());
  font.setUnderline(underlineBox_->isChecked());
  font.setStrikeOut(strikeOutBox_->isChecked());
  return font;
}

void FontDialogWithApply::setColor(const QColor& color) {
  color_ = color.isValid() ? color : QColor(Qt::black);
  QPixmap swatch(16, 16);
  swatch.fill(color_);
  colorButton_->setIcon(QIcon(swatch));
  UpdateSample();
}

void FontDialogWithApply::ChooseColor() {
  QColor chosen = QColorDialog::getColor(color_, this, "Text Colour", QColorDialog::DontUseNativeDialog);
  if (chosen.isValid()) setColor(chosen);
}

void FontDialogWithApply::UpdateSample() {
  if (!sample_ || !sizeBox_) return;
  sample_->setFont(currentFont());
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, color_);
  sample_->setPalette(palette);
}

}  // namespace tolvane
