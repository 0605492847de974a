#include "mission_document.h"

#include <QPlainTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>

#include "rogue_characters.h"

namespace tolvane {

MissionDocument::MissionDocument(QObject* parent) : QObject(parent), text_(new QTextDocument(this)) {
  text_->setDocumentLayout(new QPlainTextDocumentLayout(text_));
}

bool MissionDocument::IsModified() const { return text_->isModified(); }

void MissionDocument::SetModified(bool modified) { text_->setModified(modified); }

QString MissionDocument::PlainText() const { return UnmarkedText(*text_); }

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
