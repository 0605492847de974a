#include "mission_editor.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "rogue_characters.h"

namespace tolvane {

MissionEditor::MissionEditor(QWidget* parent, QTextDocument* text) : QPlainTextEdit(parent) {
  if (text) setDocument(text);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setTabChangesFocus(false);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(document(), &QTextDocument::contentsChange, this, &MissionEditor::NoteChange);
}

int MissionEditor::CaretLine() const {
  const QTextBlock block = document()->findBlock(textCursor().selectionStart());
  return block.isValid() ? block.blockNumber() + 1 : 1;
}

int MissionEditor::CaretColumn() const {
  const int start = textCursor().selectionStart();
  const QTextBlock block = document()->findBlock(start);
  return block.isValid() ? start - block.position() + 1 : 1;
}

void MissionEditor::NoteChange(int position, int /*removed*/, int added) {
  if (watching_ && added > 0) inserted_.emplace_back(position, position + added);
}

template <typename Edit>
void MissionEditor::TypedEdit(Edit edit) {
  inserted_.clear();
  watching_ = true;
  edit();
  watching_ = false;
  const auto ranges = std::move(inserted_);
  inserted_.clear();
  for (const auto& [from, to] : ranges) ClearMarksIn(*document(), from, to);
}

void MissionEditor::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key(), event->modifiers());
  if (event->matches(QKeySequence::Cut)) {
    emit CutRequested();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    emit CopyRequested();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    emit PasteRequested();
    event->accept();
    return;
  }
#ifndef Q_OS_MACOS
  // Alt with a character is a menu key, never typing: a key that opens no
  // menu leaves the text as it is. Ctrl with Alt stays typing (AltGr).
  const Qt::KeyboardModifiers held = event->modifiers();
  if ((held & Qt::AltModifier) && !(held & Qt::ControlModifier) && !event->text().isEmpty() &&
      event->text().at(0).isPrint()) {
    event->ignore();
    return;
  }
#endif
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
    // Undo and redo bring back the text with its own formats, marks included.
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  TypedEdit([&] { QPlainTextEdit::keyPressEvent(event); });
}

void MissionEditor::inputMethodEvent(QInputMethodEvent* event) {
  TypedEdit([&] { QPlainTextEdit::inputMethodEvent(event); });
}

void MissionEditor::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuRequested(event->globalPos());
  event->accept();
}

QMimeData* MissionEditor::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  auto* data = new QMimeData;
  data->setText(UnmarkedText(*document(), cursor.selectionStart(), cursor.selectionEnd()));
  return data;
}

bool MissionEditor::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void MissionEditor::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  const QString text = source->text();
  QTextCursor cursor = textCursor();
  if (rogueMarking_) {
    InsertMarked(cursor, text);
  } else {
    cursor.insertText(text, QTextCharFormat());
  }
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace tolvane
