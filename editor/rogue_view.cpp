#include <QWidget>

#include "rogue_view.h"

#include <QAction>
#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "document_host.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "rogue_characters.h"

namespace tolvane {

namespace {

// Puts the caret at the end of the 1-based line; before any line was
// recorded, at the end of the last line.
void CaretToEndOfLine(QPlainTextEdit* editor, int line) {
  QTextDocument* document = editor->document();
  QTextBlock block = line >= 1 ? document->findBlockByNumber(line - 1) : QTextBlock();
  if (!block.isValid()) block = document->lastBlock();
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock);
  editor->setTextCursor(cursor);
  editor->ensureCursorVisible();
}

}  // namespace

RogueView::RogueView(const DocumentParts& parts, QAction* turnOn, QAction* turnOff)
    : QObject(parts.Window), parts_(parts), turnOn_(turnOn), turnOff_(turnOff) {}

void RogueView::ResetMenus() {
  turnOn_->setEnabled(true);
  turnOff_->setEnabled(false);
}

QString RogueView::Reminder() const {
  return parts_.Document->RogueMarking ? RogueReminderText() : RogueReminderBlank();
}

void RogueView::SetReminder(const QString& text) {
  if (parts_.Host) parts_.Host->SetStatusText(1, text);
}

void RogueView::TurnOnRogueCheckCommand() {
  parts_.Document->RogueMarking = true;
  TurnOnRogueCheck1Click();
}

void RogueView::TurnOffRogueCheckCommand() {
  parts_.Document->RogueMarking = false;
  TurnOffRogueCheck1Click();
}

void RogueView::TurnOnRogueCheck1Click() {
  turnOn_->setEnabled(false);
  turnOff_->setEnabled(true);
  SetReminder(RogueReminderText());
  RogueCharacterCheck();
}

void RogueView::TurnOffRogueCheck1Click() {
  turnOn_->setEnabled(true);
  turnOff_->setEnabled(false);
  SetReminder(RogueReminderBlank());
  TurnOffRogueCharacterCheck();
}

void RogueView::RogueCharacterCheck() {
  MissionEditor* editor = parts_.Editor;
  // 1.
  const int c = editor->CaretLine();
  // 2. Every line rewritten, as one edit. The saved file is the same with or
  //    without the marks, so the modified flag stays as it was.
  QTextDocument* document = editor->document();
  const bool modified = document->isModified();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  MarkRogueCharacters(*document);
  QApplication::restoreOverrideCursor();
  editor->setRogueMarking(true);
  document->setModified(modified);
  // 3.
  CaretToEndOfLine(editor, c);
}

void RogueView::TurnOffRogueCharacterCheck() {
  MissionEditor* editor = parts_.Editor;
  const int c = editor->CaretLine();
  QTextDocument* document = editor->document();
  const bool modified = document->isModified();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  UnmarkRogueCharacters(*document);
  QApplication::restoreOverrideCursor();
  editor->setRogueMarking(false);
  document->setModified(modified);
  CaretToEndOfLine(editor, c);
}

}  // namespace tolvane
