#include "rogue_characters.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace tolvane {

namespace {

// The character-format property that tells a mark from a typed "@" or "#".
constexpr int kMarkProperty = QTextFormat::UserProperty + 0x52;

QChar MarkFor(QChar ch) {
  if (ch == QLatin1Char(' ')) return kBlankMark;
  if (ch == QLatin1Char('\t')) return kTabMark;
  return ch;
}

QChar CharacterFor(QChar mark) {
  if (mark == kBlankMark) return QLatin1Char(' ');
  if (mark == kTabMark) return QLatin1Char('\t');
  return mark;
}

// The text of a document cut into runs of marks and runs of plain text.
struct Run {
  QString text;
  bool mark = false;
};

class RunList {
 public:
  void Add(QChar ch, bool mark) {
    if (runs_.empty() || runs_.back().mark != mark) runs_.push_back(Run{QString(), mark});
    runs_.back().text += ch;
  }
  void Add(const QString& text, bool mark) {
    if (text.isEmpty()) return;
    if (runs_.empty() || runs_.back().mark != mark) runs_.push_back(Run{QString(), mark});
    runs_.back().text += text;
  }
  // Replaces the cursor's selection by the runs, marks in the mark format.
  void InsertAt(QTextCursor& cursor) const {
    const QTextCharFormat plain;
    const QTextCharFormat mark = RogueMarkFormat();
    for (const Run& run : runs_) cursor.insertText(run.text, run.mark ? mark : plain);
  }

 private:
  std::vector<Run> runs_;
};

// Calls visit(text, isMark) for every piece of the document between from and
// to, in order, and visit("\n", false) for every line end in between.
template <typename Visit>
void VisitPieces(const QTextDocument& document, int from, int to, Visit visit) {
  if (to <= from) return;
  for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const int start = std::max(fragment.position(), from);
      const int end = std::min(fragment.position() + fragment.length(), to);
      if (start >= end) continue;
      visit(fragment.text().mid(start - fragment.position(), end - start),
            IsRogueMark(fragment.charFormat()));
    }
    const int lineEnd = block.position() + block.length() - 1;
    if (block.next().isValid() && lineEnd >= from && lineEnd < to) visit(QStringLiteral("\n"), false);
  }
}

// Replaces the whole text of the document by the runs, as one edit block.
void ReplaceWholeText(QTextDocument& document, const RunList& runs) {
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
  cursor.setCharFormat(QTextCharFormat());
  runs.InsertAt(cursor);
  cursor.endEditBlock();
}

}  // namespace

QString RogueReminderText() { return QStringLiteral("  Space = @   Tab = # "); }

QString RogueReminderBlank() { return QString(22, QLatin1Char(' ')); }

QTextCharFormat RogueMarkFormat() {
  QTextCharFormat format;
  format.setProperty(kMarkProperty, true);
  format.setForeground(QColor(200, 0, 0));
  return format;
}

bool IsRogueMark(const QTextCharFormat& format) { return format.boolProperty(kMarkProperty); }

void MarkRogueCharacters(QTextDocument& document) {
  // Marks already in the text (brought back by an undo) stay marks.
  RunList runs;
  VisitPieces(document, 0, document.characterCount(), [&](const QString& text, bool isMark) {
    if (isMark) {
      runs.Add(text, true);
      return;
    }
    for (const QChar ch : text) {
      const QChar shown = MarkFor(ch);
      runs.Add(shown, shown != ch);
    }
  });
  ReplaceWholeText(document, runs);
}

void UnmarkRogueCharacters(QTextDocument& document) {
  RunList runs;
  runs.Add(UnmarkedText(document), false);
  ReplaceWholeText(document, runs);
}

bool HasRogueMarks(const QTextDocument& document) {
  bool found = false;
  VisitPieces(document, 0, document.characterCount(),
              [&](const QString&, bool isMark) { found = found || isMark; });
  return found;
}

QString UnmarkedText(const QTextDocument& document, int from, int to) {
  QString out;
  out.reserve(std::max(0, to - from));
  VisitPieces(document, from, to, [&](const QString& text, bool isMark) {
    if (!isMark) {
      out += text;
      return;
    }
    for (const QChar ch : text) out += CharacterFor(ch);
  });
  return out;
}

QString UnmarkedText(const QTextDocument& document) {
  // The document's last position is its closing line end, which is no text.
  return UnmarkedText(document, 0, document.characterCount() - 1);
}

void InsertMarked(QTextCursor& cursor, const QString& text) {
  RunList runs;
  for (const QChar ch : text) {
    const QChar shown = MarkFor(ch);
    runs.Add(shown, shown != ch);
  }
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  runs.InsertAt(cursor);
  cursor.endEditBlock();
}

void ClearMarksIn(QTextDocument& document, int from, int to) {
  from = std::max(from, 0);
  to = std::min(to, document.characterCount() - 1);
  std::vector<std::pair<int, int>> marked;
  int position = from;
  VisitPieces(document, from, to, [&](const QString& text, bool isMark) {
    if (isMark) marked.emplace_back(position, position + text.size());
    position += text.size();
  });
  if (marked.empty()) return;
  QTextCursor cursor(&document);
  cursor.joinPreviousEditBlock();
  for (const auto& [start, end] : marked) {
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.setCharFormat(QTextCharFormat());
  }
  cursor.endEditBlock();
}

}  // namespace tolvane
