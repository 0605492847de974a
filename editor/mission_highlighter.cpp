#include "mission_highlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace tolvane {

namespace {

// Block states: a line coloured; any other state (a new line has -1) is
// a line left waiting for the view.
constexpr int Coloured = 0;
constexpr int Waiting = 1;

// Lines this far before and after the view are coloured with it, so a
// short scroll finds them ready.
constexpr int ViewMargin = 100;

bool IsBlankOrTab(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsHexDigit(QChar c) {
  return IsDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// The first ".End" at or after from; -1 when there is none.
int FindEndMarker(QStringView line, int from) {
  const int n = static_cast<int>(line.size());
  for (int i = from; i + 4 <= n; ++i) {
    if (line[i] == QLatin1Char('.') && line[i + 1] == QLatin1Char('E') && line[i + 2] == QLatin1Char('n') &&
        line[i + 3] == QLatin1Char('d'))
      return i;
  }
  return -1;
}

QTextCharFormat ColourFormat(const QColor& colour) {
  QTextCharFormat format;
  format.setForeground(colour);
  return format;
}

}  // namespace

bool LooksLikeNumber(QStringView value) {
  int i = 0;
  const int n = static_cast<int>(value.size());
  if (n == 0) return false;
  // The hexadecimal forms of a whole number.
  int hexStart = -1;
  if (value[0] == QLatin1Char('$') || value[0] == QLatin1Char('x') || value[0] == QLatin1Char('X')) hexStart = 1;
  if (n > 1 && value[0] == QLatin1Char('0') && (value[1] == QLatin1Char('x') || value[1] == QLatin1Char('X')))
    hexStart = 2;
  if (hexStart > 0) {
    if (hexStart >= n) return false;
    for (int k = hexStart; k < n; ++k)
      if (!IsHexDigit(value[k])) return false;
    return true;
  }
  if (value[i] == QLatin1Char('+') || value[i] == QLatin1Char('-')) ++i;
  int digits = 0;
  while (i < n && IsDigit(value[i])) ++i, ++digits;
  if (i < n && value[i] == QLatin1Char('.')) {
    ++i;
    while (i < n && IsDigit(value[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (value[i] == QLatin1Char('e') || value[i] == QLatin1Char('E'))) {
    ++i;
    if (i < n && (value[i] == QLatin1Char('+') || value[i] == QLatin1Char('-'))) ++i;
    int exponent = 0;
    while (i < n && IsDigit(value[i])) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == n;
}

MissionLineSpans ClassifyMissionLine(QStringView line) {
  MissionLineSpans spans;
  const int n = static_cast<int>(line.size());
  if (n == 0) return spans;
  if (n >= 2 && line[0] == QLatin1Char('/') && line[1] == QLatin1Char('/')) {
    spans.Add(0, n, MissionTextClass::Comment);
    return spans;
  }
  int start = 0;
  while (start < n && IsBlankOrTab(line[start])) ++start;
  if (start == n) {
    spans.Add(0, n, MissionTextClass::BlankLine);
    return spans;
  }
  if (line[start] != QLatin1Char('.')) {
    // The connectives between checks, exactly as the reader takes them.
    const QStringView word = line.mid(start);
    if (word == QLatin1String("AND") || word == QLatin1String("OR"))
      spans.Add(start, static_cast<int>(word.size()), MissionTextClass::Keyword);
    return spans;
  }
  // The keyword: up to the first blank or tab.
  int keywordEnd = start;
  while (keywordEnd < n && !IsBlankOrTab(line[keywordEnd])) ++keywordEnd;
  const bool endKeyword = FindEndMarker(line.mid(start, keywordEnd - start), 0) == 0;
  spans.Add(start, keywordEnd - start, endKeyword ? MissionTextClass::EndMarker : MissionTextClass::Keyword);
  if (keywordEnd == n) return spans;
  // The value runs to the end marker, if the line has one.
  const int marker = FindEndMarker(line, keywordEnd);
  int valueStart = keywordEnd;
  int valueEnd = marker >= 0 ? marker : n;
  while (valueStart < valueEnd && IsBlankOrTab(line[valueStart])) ++valueStart;
  while (valueEnd > valueStart && IsBlankOrTab(line[valueEnd - 1])) --valueEnd;
  if (valueEnd > valueStart) {
    const QStringView value = line.mid(valueStart, valueEnd - valueStart);
    spans.Add(valueStart, valueEnd - valueStart,
              LooksLikeNumber(value) ? MissionTextClass::Number : MissionTextClass::TextValue);
  }
  if (marker >= 0) {
    int markerEnd = marker;
    while (markerEnd < n && !IsBlankOrTab(line[markerEnd])) ++markerEnd;
    spans.Add(marker, markerEnd - marker, MissionTextClass::EndMarker);
  }
  return spans;
}

MissionHighlighter::MissionHighlighter(QTextDocument* document) : QObject(document), document_(document) {
  formats_[static_cast<int>(MissionTextClass::Comment)] = ColourFormat(QColor(0, 120, 0));
  QTextCharFormat blank;
  blank.setBackground(QColor(255, 190, 190));
  formats_[static_cast<int>(MissionTextClass::BlankLine)] = blank;
  formats_[static_cast<int>(MissionTextClass::Keyword)] = ColourFormat(QColor(0, 0, 170));
  formats_[static_cast<int>(MissionTextClass::EndMarker)] = ColourFormat(QColor(130, 0, 130));
  formats_[static_cast<int>(MissionTextClass::Number)] = ColourFormat(QColor(176, 96, 0));
  formats_[static_cast<int>(MissionTextClass::TextValue)] = ColourFormat(QColor(0, 110, 120));
  connect(document, &QTextDocument::contentsChange, this, &MissionHighlighter::TextChanged);
}

void MissionHighlighter::SetViewLines(int first, int last) {
  viewFirst_ = first - ViewMargin;
  viewLast_ = last + ViewMargin;
}

bool MissionHighlighter::IsWaiting(const QTextBlock& block) { return block.userState() != Coloured; }

void MissionHighlighter::HighlightWaiting(const QTextBlock& first, int count) {
  QTextBlock block = first;
  for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
    if (IsWaiting(block)) Colour(block);
}

void MissionHighlighter::TextChanged(int from, int /*removed*/, int added) {
  // The lines the change touched: new lines are waiting already; a line
  // that was coloured waits again, or is coloured now when it is near the
  // view.
  QTextBlock block = document_->findBlock(from);
  const QTextBlock last = document_->findBlock(from + added);
  const int lastNumber = last.isValid() ? last.blockNumber() : document_->blockCount() - 1;
  for (int number = block.blockNumber(); block.isValid() && number <= lastNumber; block = block.next(), ++number) {
    if (NearView(number)) {
      Colour(block);
    } else if (!IsWaiting(block)) {
      block.setUserState(Waiting);
    }
  }
}

void MissionHighlighter::Colour(QTextBlock block) {
  block.setUserState(Coloured);
  const MissionLineSpans spans = ClassifyMissionLine(block.text());
  QList<QTextLayout::FormatRange> ranges;
  ranges.reserve(spans.Count);
  for (int i = 0; i < spans.Count; ++i) {
    const MissionTextSpan& span = spans.Spans[i];
    ranges.append(QTextLayout::FormatRange{span.Start, span.Length, formats_[static_cast<int>(span.Class)]});
  }
  QTextLayout* layout = block.layout();
  if (layout->formats() == ranges) return;
  layout->setFormats(ranges);
  // The line is laid out again with its colours.
  document_->markContentsDirty(block.position(), block.length());
}

}  // namespace tolvane
