#pragma once
// Colours for mission text, for display only: the text, its undo steps and
// its modified flag never change. Each line is classed on its own, by one
// scan of its characters:
// - a comment line (two slashes in column 1);
// - a line of blanks and tabs only, which the reader rejects where a
//   statement must stand;
// - a statement: its dot keyword (or the connective "AND" or "OR"), an end
//   marker (a keyword or marker beginning ".End"), and its value, a number
//   or a text.
//
// Only colours change, never the font, so every character keeps its width
// and the painted rogue marks and control codes stay over their characters.
//
// The colours are the layout's formats of each line, set by the highlighter
// itself: a changed line near the view is coloured at once; the others, and
// every line of a whole text opened or replaced, are left waiting and
// coloured when they come into view (HighlightWaiting, called before the
// text area paints them). So opening or replacing a long text costs one
// look at each changed line, not a classing of every line.

#include <QObject>
#include <QTextCharFormat>

#include <array>

class QTextBlock;
class QTextDocument;

namespace tolvane {

enum class MissionTextClass { Comment, BlankLine, Keyword, EndMarker, Number, TextValue };
constexpr int MissionTextClassCount = 6;

struct MissionTextSpan {
  int Start = 0;
  int Length = 0;
  MissionTextClass Class = MissionTextClass::TextValue;
};

// The classed parts of one line, in line order; at most four.
struct MissionLineSpans {
  std::array<MissionTextSpan, 4> Spans{};
  int Count = 0;
  void Add(int start, int length, MissionTextClass kind) {
    if (length > 0 && Count < static_cast<int>(Spans.size())) Spans[Count++] = {start, length, kind};
  }
};

MissionLineSpans ClassifyMissionLine(QStringView line);

// True for a value the verifier reads as a number: a decimal number with an
// optional sign, fraction and exponent, or a whole number in one of the
// hexadecimal forms ($1F, x1F, 0x1F).
bool LooksLikeNumber(QStringView value);

class MissionHighlighter : public QObject {
  Q_OBJECT

 public:
  explicit MissionHighlighter(QTextDocument* document);

  // The lines (0-based block numbers) in or near the view: these are
  // coloured at once when they change, the others wait.
  void SetViewLines(int first, int last);
  // Colours the waiting lines among count lines from first on.
  void HighlightWaiting(const QTextBlock& first, int count);
  static bool IsWaiting(const QTextBlock& block);

  QTextCharFormat Format(MissionTextClass kind) const { return formats_[static_cast<int>(kind)]; }

 private:
  // The lines from..to (characters) have changed.
  void TextChanged(int from, int removed, int added);
  bool NearView(int blockNumber) const { return blockNumber >= viewFirst_ && blockNumber <= viewLast_; }
  // Gives the line the formats of its classes, and marks it coloured.
  void Colour(QTextBlock block);

  QTextDocument* document_;
  std::array<QTextCharFormat, MissionTextClassCount> formats_;
  int viewFirst_ = 0;
  int viewLast_ = 0;
};

}  // namespace tolvane
