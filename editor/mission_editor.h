#pragma once
// The document window's text area: plain text, no word wrap, the tab key
// inserts a tab.
//
// What it shows beyond the text is painted, never put into the text: while
// the rogue-character view is on, a red "@" over each blank and a red "#"
// at each tab of the lines in view; at all times, each control character (a
// byte 1 to 31 other than the tab, 127, or 128 to 159) as a small box with
// its code in hexadecimal (a NUL takes no room in the line to show one). The text itself, its undo steps and its modified
// flag never change for either.
//
// Beside the text stands a gutter with the line numbers (the first line is
// 1) and the caret's line marked. The text is coloured by its classes
// (MissionHighlighter). An error found by checking as you type is shown as
// a wavy underline of its statement and a mark in the gutter, with its
// message as their tool tip.
//
// It holds only what a mission file can hold: a typed or pasted character
// outside Latin-1 becomes its plain equivalent (quotes, dashes, the
// ellipsis) or is refused with a notice naming it.

#include <QList>
#include <QPlainTextEdit>
#include <QRectF>
#include <QTextCursor>

namespace tolvane {

class MissionHighlighter;

class MissionEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Shows the given text (a plain-text document), or a new one of its own.
  explicit MissionEditor(QWidget* parent = nullptr, QTextDocument* text = nullptr);

  // Shows a whole new text (setPlainText), the gutter made wide enough for
  // its lines first: a change of the text area's width lays out every line
  // of the text again.
  void ShowText(const QString& text);

  // 1-based line and column of the selection's start.
  int CaretLine() const;
  int CaretColumn() const;

  // The rogue-character view: the marks are painted while it is on.
  void setRogueMarking(bool on);
  bool rogueMarking() const { return rogueMarking_; }

  // One thing painted over a character: its cell in the viewport and what
  // is drawn there ("@", "#" or a hexadecimal code such as "85").
  struct PaintedMark {
    int Position = 0;  // the character's position in the text
    QRectF Cell;
    QString Shown;
    bool IsCode = false;  // a boxed hexadecimal code, not a rogue mark
  };
  // What is painted over the characters in the given part of the viewport.
  QList<PaintedMark> MarksIn(const QRect& area) const;

  MissionHighlighter* Highlighter() const { return highlighter_; }

  // The line-number gutter at the left of the text.
  QWidget* Gutter() const { return gutter_; }
  int GutterWidth() const;
  // The 1-based line shown at a height of the gutter; 0 below the last.
  int GutterLineAt(int y) const;

  // The error found by checking as you type: the statement's characters
  // (a cursor, so it follows later edits) and the text of its tool tip. An
  // empty selection marks the line in the gutter only.
  void ShowCheckedError(const QTextCursor& statement, const QString& toolTip);
  void ClearCheckedError();
  bool HasCheckedError() const { return !checkedError_.isNull(); }
  // The 1-based line of the error as the text stands now; 0 when none.
  int CheckedErrorLine() const;
  QTextCursor CheckedErrorStatement() const { return checkedError_; }
  QString CheckedErrorToolTip() const { return checkedErrorTip_; }
  // The tool tip for a point of the viewport, or of the gutter.
  QString ToolTipAt(const QPoint& viewportPoint) const;
  QString GutterToolTipAt(const QPoint& gutterPoint) const;

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
  // A typed or pasted text was refused; the notice names the character.
  void TextRefused(const QString& notice);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Fits text to what a mission holds; false (with the notice sent) when a
  // character must be refused. how: "typed" or "pasted".
  bool FitIncoming(QString& text, const char* how);
  void InsertTyped(const QString& text);

  void UpdateGutterWidth();
  int GutterWidthFor(int lines) const;
  void SetGutterWidth(int width);
  void UpdateGutter(const QRect& rect, int dy);
  void UpdateViewLines();
  void PaintGutter(QPaintEvent* event);
  void ShowExtraSelections();
  friend class LineNumberGutter;

  bool rogueMarking_ = false;
  MissionHighlighter* highlighter_ = nullptr;
  QWidget* gutter_ = nullptr;
  int shownLines_ = 0;  // while ShowText is at work: the new text's lines
  QTextCursor checkedError_;
  QString checkedErrorTip_;
};

}  // namespace tolvane
