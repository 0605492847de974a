#include "renumber_command.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <string_view>

#include "app_state.h"
#include "mission_document.h"
#include "renumber.h"
#include "user_dialogs.h"

namespace tolvane {

namespace {

constexpr std::string_view kTagKeyword = ".TagIdentifier";

// Replaces the tail of each changed line, from the end of its
// ".TagIdentifier" on, by the blank and the new number. The start of the
// line stays as it is. Each line is reached by its number, never by
// walking the text.
void ApplyEdits(QTextDocument& text, const std::vector<RenumberEdit>& edits) {
  QTextCursor cursor(&text);
  cursor.beginEditBlock();
  for (const RenumberEdit& edit : edits) {
    const QTextBlock block = text.findBlockByNumber(edit.LineIndex);
    const std::size_t keyword = edit.Text.find(kTagKeyword);
    if (!block.isValid() || keyword == std::string::npos) continue;
    const std::size_t kept = keyword + kTagKeyword.size();
    const QString tail = QString::fromLatin1(edit.Text.data() + kept, static_cast<qsizetype>(edit.Text.size() - kept));
    cursor.setPosition(block.position() + static_cast<int>(kept));
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(tail, QTextCharFormat());
  }
  cursor.endEditBlock();
}

}  // namespace

RenumberCommand::RenumberCommand(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {}

void RenumberCommand::TagIdNumberFix1Click() {
  MissionDocument& document = *parts_.Document;
  if (document.DocumentNumber != 1) return;
  AppState& state = *parts_.State;

  // One byte per character, so positions in a line are positions in its block.
  const QByteArray text = document.PlainText().toLatin1();
  const RenumberResult result = Renumber(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));

  state.RenumberTable.fill(RenumberEntry{});
  std::copy(result.RenumberTable.begin(), result.RenumberTable.end(), state.RenumberTable.begin());
  state.RenumberCount = result.RenumberCount();

  if (result.ErrNo != 0) {
    parts_.Dialogs->Inform(parts_.Window, QString::fromLatin1(RenumberMessage(result).c_str()));
    return;
  }
  if (!result.Edits.empty()) ApplyEdits(*document.Text(), result.Edits);
}

}  // namespace tolvane
