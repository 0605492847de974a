#include "mission_document.h"

#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace tolvane {

MissionDocument::MissionDocument(QObject* parent) : QObject(parent), text_(new QTextDocument(this)) {
  text_->setDocumentLayout(new QPlainTextDocumentLayout(text_));
}

bool MissionDocument::IsModified() const { return text_->isModified(); }

void MissionDocument::SetModified(bool modified) { text_->setModified(modified); }

QString MissionDocument::PlainText() const { return TextBetween(*text_, 0, text_->characterCount()); }

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
