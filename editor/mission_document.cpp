#include "mission_document.h"

#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string>

#include "mission_text_io.h"

namespace tolvane {

MissionDocument::MissionDocument(QObject* parent) : QObject(parent), text_(new QTextDocument(this)) {
  text_->setDocumentLayout(new QPlainTextDocumentLayout(text_));
}

bool MissionDocument::IsModified() const { return text_->isModified(); }

void MissionDocument::SetModified(bool modified) { text_->setModified(modified); }

QString MissionDocument::PlainText() const {
  // The whole text as it is held, lines ended by paragraph separators; a
  // byte 160 stays itself.
  QString text = text_->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

QByteArray MissionDocument::Latin1Text(bool* exact) const {
  return MissionBytesOf(text_->toRawText(), QChar::ParagraphSeparator, "\n", exact);
}

MissionDocument::DiskStamp MissionDocument::CurrentStamp() const {
  DiskStamp stamp;
  if (IsUntitled()) return stamp;
  const QFileInfo file(FileName);
  stamp.Exists = file.exists();
  if (stamp.Exists) {
    stamp.Size = file.size();
    stamp.Modified = file.lastModified();
  }
  return stamp;
}

void MissionDocument::NoteDiskFile() { disk_ = CurrentStamp(); }

bool MissionDocument::DiskFileChanged() const { return !IsUntitled() && !(CurrentStamp() == disk_); }

bool MissionDocument::DiskFileExists() const { return !IsUntitled() && QFileInfo::exists(FileName); }

QString TextBetween(const QTextDocument& text, int from, int to) {
  const int end = std::max(0, text.characterCount() - 1);  // the last line end is no text
  from = std::clamp(from, 0, end);
  to = std::clamp(to, 0, end);
  if (to <= from) return QString();
  QTextCursor cursor(const_cast<QTextDocument*>(&text));
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  QString selected = cursor.selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return selected;
}

namespace {

std::string_view NextLine(std::string_view text, std::size_t& at) {
  const std::size_t end = std::min(text.find('\n', at), text.size());
  const std::string_view line = text.substr(at, end - at);
  at = end + 1;
  return line;
}

}  // namespace

bool ReplaceChangedLines(QTextDocument& text, std::string_view before, std::string_view after) {
  if (std::count(before.begin(), before.end(), '\n') != std::count(after.begin(), after.end(), '\n')) return false;
  QTextCursor cursor(&text);
  cursor.beginEditBlock();
  QTextBlock block = text.firstBlock();
  std::size_t inBefore = 0;
  std::size_t inAfter = 0;
  while (inBefore <= before.size() && block.isValid()) {
    const std::string_view old = NextLine(before, inBefore);
    const std::string_view now = NextLine(after, inAfter);
    if (old != now) {
      std::size_t head = 0;
      while (head < old.size() && head < now.size() && old[head] == now[head]) ++head;
      std::size_t tail = 0;
      while (tail < old.size() - head && tail < now.size() - head &&
             old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
      const int start = block.position() + static_cast<int>(head);
      cursor.setPosition(start);
      cursor.setPosition(start + static_cast<int>(old.size() - head - tail), QTextCursor::KeepAnchor);
      cursor.insertText(QString::fromLatin1(now.data() + head, static_cast<qsizetype>(now.size() - head - tail)));
    }
    block = block.next();
  }
  cursor.endEditBlock();
  return true;
}

namespace {

int LastSeparator(const QString& path) {
  return std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                   path.lastIndexOf(QLatin1Char(':'))});
}

}  // namespace

QString FileNamePart(const QString& path) { return path.mid(LastSeparator(path) + 1); }

QString ExtensionOf(const QString& path) {
  const int dot = path.lastIndexOf(QLatin1Char('.'));
  return dot > LastSeparator(path) ? path.mid(dot) : QString();
}

QString UpperCaseAscii(const QString& text) {
  QString out = text;
  for (QChar& ch : out)
    if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ch = QChar(ch.unicode() - 'a' + 'A');
  return out;
}

}  // namespace tolvane
