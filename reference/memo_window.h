#pragma once
// What the reference windows share: a memo `Memo1` filling the window above
// a row of buttons, and the reading and writing of the memo's text in the
// program folder.

#include <QPlainTextEdit>
#include <QString>

#include "tool_window.h"

class QCloseEvent;
class QPushButton;

namespace tolvane {

class MemoWindow : public ToolWindow {
  Q_OBJECT

 public:
  // How the memo shows its text.
  struct MemoLook {
    bool WordWrap = false;
    bool VerticalScrollBar = true;  // false: no scroll bars at all
  };

  QPlainTextEdit* Memo1 = nullptr;

  // The memo's text, lines separated by "\n", every character as it stands.
  QString MemoText() const;

 protected:
  MemoWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout, const MemoLook& look);

  // A button of the row under the memo, shown or hidden.
  QPushButton* MakeButton(const QString& caption, bool visible = true);
  // The memo fills the window; under it one button at the left and one at
  // the right (either may be none).
  void PlaceButtons(QPushButton* left, QPushButton* right);

  // Reads the file of that name in the program folder (8-bit text, CR LF
  // or LF). On failure answers false with the system's description of it.
  bool ReadProgramFile(const QString& name, QString& text, QString& error) const;
  // Writes the memo's text to the file of that name in the program folder
  // with CR LF line ends, replacing it in one step. A failure is reported
  // with the file's name and the system's reason, and answers false; the
  // file keeps what it held.
  bool WriteMemo(const QString& name);
};

// A memo window whose edits are kept in a file: a changed flag, set by every
// change of the memo, cleared by a successful save. Closing the window,
// by its Close button or its title bar, saves a change first; when that save
// fails the window stays open with its text.
class EditedMemoWindow : public MemoWindow {
  Q_OBJECT

 public:
  bool Changed() const { return changed_; }

  // Every change of the memo's text.
  void Memo1Change() { changed_ = true; }

 protected:
  EditedMemoWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout,
                   const MemoLook& look, const char* fileName);

  // Shows text in the memo as its unchanged contents.
  void ShowText(const QString& text);
  // Writes the memo to the window's file; the changed flag is cleared when
  // that succeeds.
  void SaveMemo();
  // Saves a change, then hides the window; a failed save keeps it open.
  void CloseSavingChanges() { close(); }

  void closeEvent(QCloseEvent* event) override;

 private:
  const char* fileName_;
  bool changed_ = false;
};

}  // namespace tolvane
