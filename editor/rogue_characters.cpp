#include "rogue_characters.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <vector>

namespace tolvane {

namespace {

// The character-format property that tells a mark from a typed "@" or "#".
constexpr int kMarkProperty = QTextFormat::UserProperty + 0x52;

using Range = std::pair<int, int>;  // [start, end) in document positions

// The ranges of marks between from and to, in order, adjacent ones joined.
std::vector<Range> MarkRanges(const QTextDocument& document, int from, int to) {
  std::vector<Range> ranges;
  if (to <= from) return ranges;
  for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid() || !IsRogueMark(fragment.charFormat())) continue;
      const int start = std::max(fragment.position(), from);
      const int end = std::min(fragment.position() + fragment.length(), to);
      if (start >= end) continue;
      if (!ranges.empty() && ranges.back().second == start) {
        ranges.back().second = end;
      } else {
        ranges.emplace_back(start, end);
      }
    }
  }
  return ranges;
}

// The document's characters between from and to as they are held: line
// ends as QChar::ParagraphSeparator, byte 160 as itself.
QString RawText(const QTextDocument& document, int from, int to) {
  if (to <= from) return QString();
  QTextCursor cursor(const_cast<QTextDocument*>(&document));
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  return cursor.selectedText();
}

// The last position that holds text (the document ends with a line end of
// its own that is no text).
int TextEnd(const QTextDocument& document) { return std::max(0, document.characterCount() - 1); }

bool StandsForMark(QChar ch) { return ch == QLatin1Char(' ') || ch == QLatin1Char('\t'); }

QChar MarkFor(QChar ch) { return ch == QLatin1Char('\t') ? kTabMark : kBlankMark; }

QChar CharacterFor(QChar mark) {
  if (mark == kBlankMark) return QLatin1Char(' ');
  if (mark == kTabMark) return QLatin1Char('\t');
  return mark;
}

// Reads every mark of raw (which starts at document position offset) back
// as the character it stands for.
void ReadMarksBack(QString& raw, int offset, const std::vector<Range>& marks) {
  for (const auto& [start, end] : marks)
    for (int i = start; i < end; ++i) raw[i - offset] = CharacterFor(raw[i - offset]);
}

// Replaces the whole text by text in one edit block and gives the ranges
// the mark format.
void ReplaceWholeText(QTextDocument& document, const QString& text, const std::vector<Range>& marks) {
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
  cursor.setBlockCharFormat(QTextCharFormat());
  cursor.insertText(text, QTextCharFormat());
  const QTextCharFormat mark = RogueMarkFormat();
  for (const auto& [start, end] : marks) {
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.setCharFormat(mark);
  }
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
  const int end = TextEnd(document);
  QString text = RawText(document, 0, end);
  // Marks already in the text (brought back by an undo) stay marks.
  const std::vector<Range> existing = MarkRanges(document, 0, end);
  std::vector<Range> marks;
  auto add = [&marks](int start, int stop) {
    if (!marks.empty() && marks.back().second >= start) {
      marks.back().second = std::max(marks.back().second, stop);
    } else {
      marks.emplace_back(start, stop);
    }
  };
  std::size_t next = 0;
  const int n = text.size();
  for (int i = 0; i < n; ++i) {
    while (next < existing.size() && existing[next].second <= i) ++next;
    if (next < existing.size() && existing[next].first <= i) {
      add(i, i + 1);
    } else if (StandsForMark(text[i])) {
      text[i] = MarkFor(text[i]);
      add(i, i + 1);
    }
  }
  ReplaceWholeText(document, text, marks);
}

void UnmarkRogueCharacters(QTextDocument& document) {
  const int end = TextEnd(document);
  QString text = RawText(document, 0, end);
  ReadMarksBack(text, 0, MarkRanges(document, 0, end));
  ReplaceWholeText(document, text, {});
}

bool HasRogueMarks(const QTextDocument& document) {
  return !MarkRanges(document, 0, TextEnd(document)).empty();
}

QString UnmarkedText(const QTextDocument& document, int from, int to) {
  from = std::max(from, 0);
  to = std::min(to, TextEnd(document));
  QString text = RawText(document, from, to);
  ReadMarksBack(text, from, MarkRanges(document, from, to));
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

QString UnmarkedText(const QTextDocument& document) { return UnmarkedText(document, 0, TextEnd(document)); }

void InsertMarked(QTextCursor& cursor, const QString& text) {
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  const int start = cursor.position();
  // One character per position: a CR LF pair is one line end in the text.
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  std::vector<Range> marks;
  for (int i = 0; i < shown.size(); ++i) {
    if (!StandsForMark(shown[i])) continue;
    shown[i] = MarkFor(shown[i]);
    marks.emplace_back(start + i, start + i + 1);
  }
  cursor.insertText(shown, QTextCharFormat());
  const int after = cursor.position();
  QTextCursor marker(cursor.document());
  const QTextCharFormat mark = RogueMarkFormat();
  for (const auto& [from, to] : marks) {
    marker.setPosition(from);
    marker.setPosition(to, QTextCursor::KeepAnchor);
    marker.setCharFormat(mark);
  }
  cursor.setPosition(after);
  cursor.endEditBlock();
}

void ClearMarksIn(QTextDocument& document, int from, int to) {
  from = std::max(from, 0);
  to = std::min(to, TextEnd(document));
  const std::vector<Range> marked = MarkRanges(document, from, to);
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
