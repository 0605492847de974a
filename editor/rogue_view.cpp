#include "rogue_view.h"

#include <QAction>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include "document_host.h"
#include "mission_document.h"
#include "mission_editor.h"

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

QString RogueReminderText() { return QStringLiteral("  Space = @   Tab = # "); }

QString RogueReminderBlank() { return QString(22, QLatin1Char(' ')); }

RogueView::RogueView(const DocumentParts& parts, QAction* turnOn, QAction* turnOff)
    : QObject(parts.Window), parts_(parts), turnOn_(turnOn), turnOff_(turnOff) {}

void RogueView::ResetMenus() {
  turnOn_->setEnabled(true);
  turnOff_->setEnabled(false);
  parts_.Editor->setRogueMarking(false);
}

QString RogueView::Reminder() const {
  return parts_.Document->RogueMarking ? RogueReminderText() : RogueReminderBlank();
}

void RogueView::SetReminder(const QString& text) {
  // The status bar shows the active window's reminder only.
  if (parts_.Host && parts_.Host->IsActiveDocument(dynamic_cast<DocumentWindow*>(parts_.Window)))
    parts_.Host->SetStatusText(1, text);
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

void RogueView::RogueCharacterCheck() { ShowMarks(true); }

void RogueView::TurnOffRogueCharacterCheck() { ShowMarks(false); }

void RogueView::ShowMarks(bool shown) {
  MissionEditor* editor = parts_.Editor;
  // 1. The caret's line before the view changes.
  const int c = editor->CaretLine();
  // 2. The marks are painted over the text, which stays as it is.
  editor->setRogueMarking(shown);
  // 3. The caret to the end of the line it was on.
  CaretToEndOfLine(editor, c);
}

}  // namespace tolvane
