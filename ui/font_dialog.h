#pragma once
// The document window's font dialog: face (installed fonts only), size 8 to
// 12 points, bold, italic, the effects underline and strikeout and a text
// colour, with OK, Cancel and Apply. Apply hands the current choice over
// while the dialog stays open.

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace tolvane {

class FontDialogWithApply : public QDialog {
  Q_OBJECT

 public:
  static constexpr int MinimumSize = 8;
  static constexpr int MaximumSize = 12;

  explicit FontDialogWithApply(QWidget* parent = nullptr);

  // The dialog opens on this font; a size outside 8 to 12 points becomes the
  // nearest size allowed.
  void setCurrentFont(const QFont& font);
  QFont currentFont() const;

  void setColor(const QColor& color);
  QColor color() const { return color_; }

  // The controls, for tests and for keyboard users' tab order.
  QFontComboBox* FaceBox() const { return faceBox_; }
  QComboBox* SizeBox() const { return sizeBox_; }
  QCheckBox* BoldBox() const { return boldBox_; }
  QCheckBox* ItalicBox() const { return italicBox_; }
  QCheckBox* UnderlineBox() const { return underlineBox_; }
  QCheckBox* StrikeOutBox() const { return strikeOutBox_; }
  QPushButton* ApplyButton() const { return applyButton_; }

 signals:
  // The Apply button: the current choice is to be used now.
  void Apply();

 private:
  void ChooseColor();
  void UpdateSample();

  QFontComboBox* faceBox_ = nullptr;
  QComboBox* sizeBox_ = nullptr;
  QCheckBox* boldBox_ = nullptr;
  QCheckBox* italicBox_ = nullptr;
  QCheckBox* underlineBox_ = nullptr;
  QCheckBox* strikeOutBox_ = nullptr;
  QPushButton* colorButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QLabel* sample_ = nullptr;
  QColor color_ = Qt::black;
  QFont baseFont_;
};

}  // namespace tolvane
