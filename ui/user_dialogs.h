#pragma once
// Every message box, question and file dialog of the program goes through
// this interface, so tests can script the answers and read the texts. The
// real implementation shows Qt dialogs.

#include <QString>
#include <QStringList>

class QWidget;

namespace tolvane {

enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
  QString Title;
  QString InitialFolder;
  QStringList Filters;      // "Mission Files (*.mis)", ...
  // What the type list shows for each filter, when that is not the filter
  // itself ("Mission Files" for "Mission Files (*.mis)"); empty: the filters.
  QStringList FilterCaptions;
  int FilterIndex = 1;      // 1-based, as the filter list is numbered
  QString DefaultExtension; // "*.mis", "*.txt" or "*.*"
  QString FileName;         // proposed name
};

// The default extension that goes with entry 1, 2 or 3 of the open and save
// dialogs' filter lists ("*.mis", "*.txt", "*.*"); empty for any other entry.
inline QString DefaultExtensionOfEntry(int filterIndex) {
  switch (filterIndex) {
    case 1:
      return "*.mis";
    case 2:
      return "*.txt";
    case 3:
      return "*.*";
    default:
      return QString();
  }
}

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // An information message box with one OK button.
  virtual void Inform(QWidget* parent, const QString& text) = 0;
  // A confirmation box with Yes, No and Cancel.
  virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
  // A confirmation box with Yes and Cancel (replace all).
  virtual Answer AskYesCancel(QWidget* parent, const QString& text) = 0;
  // A confirmation box with Yes and No.
  virtual Answer AskYesNo(QWidget* parent, const QString& text) = 0;
  // Open and save dialogs: the chosen path, or empty when cancelled. The
  // request's FilterIndex and DefaultExtension are updated to what the user picked.
  virtual QString ChooseOpenFile(QWidget* parent, FileDialogRequest& request) = 0;
  virtual QString ChooseSaveFile(QWidget* parent, FileDialogRequest& request) = 0;
  // Go to line: asks for a line number from 1 to last, offering current.
  // The number chosen, or 0 when cancelled (and where no one can be asked).
  virtual int AskLineNumber(QWidget* /*parent*/, int /*current*/, int /*last*/) { return 0; }
};

}  // namespace tolvane
