#pragma once
// The modeless find and replace dialogs a document window searches with.
// The find dialog has a find text, the options direction, whole word and
// match case, Find Next and Cancel; the replace dialog adds a replace text,
// Replace and Replace All. The options are shown; the search commands do
// not consult them. Showing a dialog that is open brings it forward.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  // withReplace: the replace dialog.
  FindDialog(QWidget* parent, bool withReplace);

  QString FindText() const;
  void SetFindText(const QString& text);
  QString ReplaceText() const;
  void SetReplaceText(const QString& text);

  // Shows the dialog without a modal loop with its top-left corner at a
  // screen position; an open dialog comes forward.
  void ShowAt(const QPoint& topLeft);

  QLineEdit* FindEdit = nullptr;
  QLineEdit* ReplaceEdit = nullptr;  // the replace dialog only
  QRadioButton* UpButton = nullptr;
  QRadioButton* DownButton = nullptr;
  QCheckBox* WholeWordBox = nullptr;
  QCheckBox* MatchCaseBox = nullptr;
  QPushButton* FindNextButton = nullptr;
  QPushButton* ReplaceButton = nullptr;     // the replace dialog only
  QPushButton* ReplaceAllButton = nullptr;  // the replace dialog only
  QPushButton* CancelButton = nullptr;

 signals:
  void Find();
  void Replace();
  void ReplaceAll();
};

}  // namespace tolvane
