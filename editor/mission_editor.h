#pragma once
// The document window's text area: plain text, no word wrap, the tab key
// inserts a tab. It knows the rogue-character marks: text leaving it
// (clipboard, drag) has the marks read back as blanks and tabs, text coming
// in while the marks are shown has its blanks and tabs marked, and a
// character typed beside a mark is plain text, never a mark.

#include <QPlainTextEdit>

#include <utility>
#include <vector>

namespace tolvane {

class MissionEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Shows the given text (a plain-text document), or a new one of its own.
  explicit MissionEditor(QWidget* parent = nullptr, QTextDocument* text = nullptr);

  // 1-based line and column of the selection's start.
  int CaretLine() const;
  int CaretColumn() const;

  // Whether blanks and tabs coming in are to be shown as marks.
  void setRogueMarking(bool on) { rogueMarking_ = on; }
  bool rogueMarking() const { return rogueMarking_; }

 signals:
  // A key pressed while the editor has the focus; the key still goes on to
  // the editor.
  void KeyDown(int key, Qt::KeyboardModifiers modifiers);
  // The clipboard keys, handed to the window's own commands.
  void CutRequested();
  void CopyRequested();
  void PasteRequested();
  // The context menu is the window's own.
  void ContextMenuRequested(const QPoint& globalPosition);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Runs an edit of the user's and takes the mark property off whatever it
  // inserted.
  template <typename Edit>
  void TypedEdit(Edit edit);
  void NoteChange(int position, int removed, int added);

  bool rogueMarking_ = false;
  bool watching_ = false;
  std::vector<std::pair<int, int>> inserted_;
};

}  // namespace tolvane
