#include "search_commands.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include "app_state.h"
#include "find_dialogs.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "replace_all.h"
#include "user_dialogs.h"

#include <algorithm>

namespace tolvane {

QTextBlock FirstLineHolding(const QTextDocument& text, int firstLine, const QString& wanted) {
  const QTextBlock first = text.findBlockByNumber(firstLine);
  if (wanted.isEmpty() || !first.isValid() || wanted.contains(QChar::ParagraphSeparator)) return QTextBlock();
  // One search through the text as it is held (lines end in a paragraph
  // separator, positions are the document's), not a copy of each line: a
  // wanted text holds no separator, so where it stands is the line that
  // holds it.
  const QString held = text.toRawText();
  const qsizetype at = held.indexOf(wanted, first.position());
  return at < 0 ? QTextBlock() : text.findBlock(static_cast<int>(at));
}

SearchCommands::SearchCommands(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {}

FindDialog* SearchCommands::FindDialog1() {
  if (!findDialog_) {
    findDialog_ = new FindDialog(parts_.Window, false);
    connect(findDialog_, &FindDialog::Find, this, &SearchCommands::FindDialog1Find);
  }
  return findDialog_;
}

FindDialog* SearchCommands::ReplaceDialog1() {
  if (!replaceDialog_) {
    replaceDialog_ = new FindDialog(parts_.Window, true);
    // Find Next and Replace both run the interactive replace; Replace All
    // runs replace all.
    connect(replaceDialog_, &FindDialog::Find, this, &SearchCommands::ReplaceDialog1Find);
    connect(replaceDialog_, &FindDialog::Replace, this, &SearchCommands::ReplaceDialog1Find);
    connect(replaceDialog_, &FindDialog::ReplaceAll, this, &SearchCommands::ReplaceDialog1DoReplaceAll);
  }
  return replaceDialog_;
}

QPoint SearchCommands::DialogPlace() const {
  const MissionEditor* editor = parts_.Editor;
  return editor->mapToGlobal(QPoint(0, 0)) + QPoint(editor->width() / 2 + 100, 0);
}

void SearchCommands::ScrollLines(int lines) {
  QScrollBar* bar = parts_.Editor->verticalScrollBar();
  bar->setValue(bar->value() + lines);
}

void SearchCommands::CaretToStart() { parts_.Editor->setTextCursor(QTextCursor(parts_.Editor->document())); }

void SearchCommands::Search2Click() { FindDialog1()->ShowAt(DialogPlace()); }

void SearchCommands::FindandReplace1Click() { ReplaceDialog1()->ShowAt(DialogPlace()); }

void SearchCommands::SearchAgainF3Click() { FindDialog1Find(); }

void SearchCommands::FindDialog1Find() {
  parts_.State->SearchText = FindDialog1()->FindText();
  FindObject();
}

void SearchCommands::FindObject() {
  AppState& state = *parts_.State;
  MissionEditor* editor = parts_.Editor;
  // 1. The lines after the last match (from the first line when there is
  //    none yet); an empty text matches nothing.
  const QTextBlock match = FirstLineHolding(*editor->document(), state.SearchLine + 1, state.SearchText);
  // 3. No match: the search starts again next time.
  if (!match.isValid()) {
    FindDialog1()->close();
    parts_.Dialogs->Inform(parts_.Window, state.SearchText + " not found.");
    state.SearchLine = NoSearchLine;
    state.SearchText.clear();
    editor->setFocus();
    return;
  }
  // 2. The match.
  const int i = match.blockNumber();
  state.SearchLine = i;
  ScrollLines(i - (editor->CaretLine() - 1));
  QTextCursor line(match);
  line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  editor->setTextCursor(line);
  editor->setFocus();
  FindDialog1()->SetFindText(state.SearchText);
  Search2Click();
}

void SearchCommands::TakeFindRequests() {
  AppState& state = *parts_.State;
  for (int number = 0; number < FindRequestRowCount; ++number) {
    const auto row = static_cast<FindRequestRow>(number);
    QString& text = state.RequestText(row);
    bool& flag = state.Request(row).Flag;
    if (text.isEmpty() || !flag) continue;
    // 1. to 3.
    if (state.SearchText != text) state.SearchLine = NoSearchLine;
    state.SearchText = text;
    if (state.SearchLine >= parts_.Editor->document()->blockCount() - 1) state.SearchLine = NoSearchLine;
    // 4.
    FindObject();
    // 5.
    flag = false;
    text.clear();
  }
}

QString SearchCommands::ReplaceFindText() const { return replaceDialog_ ? replaceDialog_->FindText() : QString(); }

void SearchCommands::ReplaceDialog1Find() {
  FindDialog* dialog = ReplaceDialog1();
  MissionEditor* editor = parts_.Editor;
  QTextDocument* document = editor->document();
  const QString findText = dialog->FindText();
  // 1. and 2.
  dialog->close();
  int last = editor->CaretLine();
  CaretToStart();
  // 3.
  for (;;) {
    const QTextCursor current = editor->textCursor();
    const int start = current.hasSelection() ? current.selectionEnd() : 0;
    const QTextCursor found =
        findText.isEmpty() ? QTextCursor() : document->find(findText, start, QTextDocument::FindWholeWords);
    if (found.isNull()) {
      parts_.Dialogs->Inform(parts_.Window, findText + " not found.");
      dialog->SetFindText(QString());
      dialog->SetReplaceText(QString());
      CaretToStart();
      editor->setFocus();
      if (last > 0) ScrollLines(-last);
      return;
    }
    editor->setTextCursor(found);
    const int d = editor->CaretLine() - last;
    last = editor->CaretLine();
    if (d > 0) ScrollLines(d);
    editor->setTextCursor(found);
    editor->setFocus();
    switch (parts_.Dialogs->AskYesNoCancel(parts_.Window, findText + " found.  Replace?")) {
      case Answer::Yes: {
        QTextCursor replaced = editor->textCursor();
        replaced.insertText(dialog->ReplaceText());
        editor->setTextCursor(replaced);  // no selection: the next pass starts at the top
        break;
      }
      case Answer::No:
        break;  // the selection stays: the next pass starts after it
      case Answer::Cancel:
      default:
        CaretToStart();
        return;
    }
  }
}

void SearchCommands::GoToLine1Click() {
  MissionEditor* editor = parts_.Editor;
  const int line = parts_.Dialogs->AskLineNumber(parts_.Window, editor->CaretLine(), editor->blockCount());
  if (line < 1) return;
  const QTextBlock block = editor->document()->findBlockByNumber(std::min(line, editor->blockCount()) - 1);
  editor->setTextCursor(QTextCursor(block));
  editor->centerCursor();
  editor->setFocus();
}

namespace {

bool IsLatin1Line(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() > 0xFF || c == QLatin1Char('\n') || c == QLatin1Char('\r')) return false;
  return true;
}

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

bool SearchCommands::ReplaceAllInText(const QString& findText, const QString& replaceText) {
  MissionDocument& document = *parts_.Document;
  // A text of Latin-1 characters and words of one line each: one byte a
  // character, and only the lines that change are rewritten.
  bool exact = false;
  const QByteArray before =
      IsLatin1Line(findText) && IsLatin1Line(replaceText) ? document.Latin1Text(&exact) : QByteArray();
  if (exact) {
    const ReplaceAllResult result = ReplaceAllOccurrences(View(before), View(findText.toLatin1()),
                                                          View(replaceText.toLatin1()));
    if (result.FirstPosition == std::string::npos) return false;
    if (ReplaceChangedLines(*document.Text(), View(before), result.Text)) return true;
  }
  // Otherwise the whole text at once (UTF-8 keeps every character whole).
  const QByteArray text = document.PlainText().toUtf8();
  const ReplaceAllResult result = ReplaceAllOccurrences(View(text), findText.toStdString(), replaceText.toStdString());
  if (result.FirstPosition == std::string::npos) return false;
  QTextCursor all(document.Text());
  all.beginEditBlock();
  all.select(QTextCursor::Document);
  all.insertText(QString::fromUtf8(result.Text.data(), static_cast<qsizetype>(result.Text.size())));
  all.endEditBlock();
  return true;
}

void SearchCommands::ReplaceDialog1DoReplaceAll() {
  FindDialog* dialog = ReplaceDialog1();
  MissionEditor* editor = parts_.Editor;
  const QString findText = dialog->FindText();
  const QString replaceText = dialog->ReplaceText();
  // 1.
  if (parts_.Dialogs->AskYesCancel(parts_.Window, "Are you sure you want to replace all " + findText + " with " +
                                                      replaceText + "?") != Answer::Yes)
    return;
  // 2.
  const int last = editor->CaretLine();
  dialog->close();
  // 3. and 5., in one pass over the text, then one edit (one undo step).
  if (!ReplaceAllInText(findText, replaceText)) {
    // 4.
    parts_.Dialogs->Inform(parts_.Window, "Could not find \"" + findText + "\".");
    return;
  }
  // 6.
  dialog->SetFindText(QString());
  dialog->SetReplaceText(QString());
  CaretToStart();
  editor->setFocus();
  if (last > 0) ScrollLines(-last);
  parts_.Dialogs->Inform(parts_.Window, "Done Replacing!");
}

}  // namespace tolvane
