#include "mission_editor.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

#include "mission_document.h"
#include "mission_highlighter.h"
#include "mission_text_io.h"

namespace tolvane {

namespace {

// The rogue-character view: the character and the mark shown for it.
struct RogueMark {
  QChar Character;
  QChar Mark;
};
constexpr RogueMark RogueMarks[] = {
    {QLatin1Char(' '), QLatin1Char('@')},
    {QLatin1Char('\t'), QLatin1Char('#')},
};

const QColor RogueMarkColor(200, 0, 0);

QChar RogueMarkFor(QChar character) {
  for (const RogueMark& entry : RogueMarks)
    if (entry.Character == character) return entry.Mark;
  return QChar();
}

// A character that shows no glyph of its own: the controls of bytes 0 to
// 31 (but the tab), 127, and 128 to 159.
bool IsControlCharacter(QChar character) {
  const char16_t code = character.unicode();
  return (code < 0x20 && code != u'\t') || (code >= 0x7F && code <= 0x9F);
}

QString HexCode(QChar character) {
  return QString("%1").arg(character.unicode(), 2, 16, QLatin1Char('0')).toUpper();
}

// The mark in its cell, on the text's baseline; a mark wider than its cell
// (an "@" over the narrow blank of a proportional font) is narrowed to it.
void PaintRogueMark(QPainter& painter, const QFont& font, const QRectF& cell, const QString& mark) {
  const QFontMetricsF metrics(font);
  const qreal width = metrics.horizontalAdvance(mark);
  const qreal room = std::max<qreal>(cell.width(), 1.0);
  painter.save();
  painter.setFont(font);
  painter.setPen(RogueMarkColor);
  painter.translate(cell.left(), cell.top() + metrics.ascent());
  if (width > room) painter.scale(room / width, 1.0);
  painter.drawText(QPointF(0, 0), mark);
  painter.restore();
}

// A small box in the character's cell holding its code: the two digits
// side by side where they fit, one over the other where they do not.
void PaintCode(QPainter& painter, const QFont& font, const QRectF& cell, const QString& code,
               const QColor& background, const QColor& foreground) {
  const QRectF box = cell.adjusted(1, 1, 0, -1);
  if (box.width() < 3 || box.height() < 6) return;
  painter.save();
  painter.fillRect(box, background);
  painter.setPen(QPen(foreground, 0));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  QFont digits = font;
  digits.setBold(false);
  digits.setItalic(false);
  digits.setUnderline(false);
  digits.setStrikeOut(false);
  // Each digit on its own baseline, centred in its part of the box.
  auto draw = [&](const QString& text, const QRectF& part) {
    const QFontMetricsF metrics(painter.font());
    const QPointF baseline(part.center().x() - metrics.horizontalAdvance(text) / 2,
                           part.center().y() + metrics.capHeight() / 2);
    painter.drawText(baseline, text);
  };
  digits.setPixelSize(std::max(6, int(box.height() * 0.55)));
  painter.setFont(digits);
  if (QFontMetricsF(digits).horizontalAdvance(code) + 3 <= box.width()) {
    draw(code, box);
  } else {
    digits.setPixelSize(std::max(5, int(box.height() * 0.5)));
    painter.setFont(digits);
    const qreal half = box.height() / 2;
    draw(code.left(1), QRectF(box.left(), box.top() + 1, box.width(), half - 1));
    draw(code.mid(1), QRectF(box.left(), box.top() + half, box.width(), half - 1));
  }
  painter.restore();
}

const QColor GutterBackground(236, 236, 236);
const QColor GutterNumberColor(120, 120, 120);
const QColor GutterCaretBand(210, 222, 240);
const QColor CheckedErrorColor(220, 0, 0);

// The gutter's parts, left to right: room for the error mark, the digits,
// a little space before the text.
int MarkRoom(const QFontMetrics& metrics) { return metrics.height() * 3 / 4 + 2; }
constexpr int GutterPadding = 8;

}  // namespace

// The line-number gutter: a strip beside the viewport that the text area
// paints and answers tool tips for.
class LineNumberGutter : public QWidget {
 public:
  explicit LineNumberGutter(MissionEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName("Gutter");
  }
  QSize sizeHint() const override { return QSize(editor_->GutterWidth(), 0); }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintGutter(event); }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(event);
      const QString tip = editor_->GutterToolTipAt(help->pos());
      if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
      } else {
        QToolTip::showText(help->globalPos(), tip, this);
      }
      return true;
    }
    return QWidget::event(event);
  }

 private:
  MissionEditor* editor_;
};

MissionEditor::MissionEditor(QWidget* parent, QTextDocument* text) : QPlainTextEdit(parent) {
  if (text) setDocument(text);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setTabChangesFocus(false);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  highlighter_ = new MissionHighlighter(document());
  gutter_ = new LineNumberGutter(this);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &MissionEditor::UpdateGutterWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, &MissionEditor::UpdateGutter);
  connect(this, &QPlainTextEdit::cursorPositionChanged, gutter_, qOverload<>(&QWidget::update));
  UpdateGutterWidth();
}

// ---------------------------------------------------------------------------
// The gutter

int MissionEditor::GutterWidth() const { return GutterWidthFor(shownLines_ > 0 ? shownLines_ : blockCount()); }

int MissionEditor::GutterWidthFor(int lines) const {
  const QFontMetrics metrics(font());
  int digits = 3;
  for (lines = std::max(1, lines); lines >= 1000; lines /= 10) ++digits;
  return MarkRoom(metrics) + metrics.horizontalAdvance(QLatin1Char('9')) * digits + GutterPadding;
}

void MissionEditor::UpdateGutterWidth() { SetGutterWidth(GutterWidth()); }

void MissionEditor::SetGutterWidth(int width) {
  if (viewportMargins().left() != width) setViewportMargins(width, 0, 0, 0);
  const QRect area = contentsRect();
  gutter_->setGeometry(QRect(area.left(), area.top(), width, area.height()));
}

void MissionEditor::ShowText(const QString& text) {
  // The gutter keeps the new text's width while the old text goes and the
  // new one comes.
  shownLines_ = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
  UpdateGutterWidth();
  setPlainText(text);
  shownLines_ = 0;
  UpdateGutterWidth();
}

void MissionEditor::UpdateGutter(const QRect& rect, int dy) {
  if (dy != 0) {
    gutter_->scroll(0, dy);
  } else {
    gutter_->update(0, rect.y(), gutter_->width(), rect.height());
  }
  if (rect.contains(viewport()->rect())) UpdateGutterWidth();
  UpdateViewLines();
}

void MissionEditor::UpdateViewLines() {
  const int first = firstVisibleBlock().blockNumber();
  const int lines = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 1;
  highlighter_->SetViewLines(first, first + lines);
}

void MissionEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateGutterWidth();
  UpdateViewLines();
}

void MissionEditor::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateGutterWidth();
}

int MissionEditor::GutterLineAt(int y) const {
  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  for (; block.isValid(); block = block.next()) {
    const qreal bottom = top + blockBoundingRect(block).height();
    if (block.isVisible() && y >= top && y < bottom) return block.blockNumber() + 1;
    if (top > y) break;
    top = bottom;
  }
  return 0;
}

void MissionEditor::PaintGutter(QPaintEvent* event) {
  QPainter painter(gutter_);
  painter.fillRect(event->rect(), GutterBackground);
  QFont numbers = font();
  numbers.setBold(false);
  QFont caretNumber = numbers;
  caretNumber.setBold(true);
  const QFontMetrics metrics(numbers);
  const int right = gutter_->width() - GutterPadding / 2 - 2;
  const int caretLine = CaretLine();
  const int errorLine = CheckedErrorLine();

  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  while (block.isValid() && top <= event->rect().bottom()) {
    const qreal height = blockBoundingRect(block).height();
    if (block.isVisible() && top + height >= event->rect().top()) {
      const int line = block.blockNumber() + 1;
      const QRect row(0, qRound(top), gutter_->width(), qRound(height));
      if (line == caretLine) painter.fillRect(row, GutterCaretBand);
      painter.setFont(line == caretLine ? caretNumber : numbers);
      painter.setPen(line == caretLine ? palette().color(QPalette::WindowText) : GutterNumberColor);
      painter.drawText(QRect(0, row.top(), right, metrics.height()), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(line));
      if (line == errorLine) {
        // A red disc with a white bar: the line the check stopped at.
        const int size = std::max(6, metrics.height() * 3 / 4 - 2);
        const QRectF disc(3, row.top() + (metrics.height() - size) / 2.0, size, size);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(CheckedErrorColor);
        painter.drawEllipse(disc);
        painter.setPen(QPen(Qt::white, std::max(1.5, size / 6.0)));
        painter.drawLine(QPointF(disc.left() + size * 0.25, disc.center().y()),
                         QPointF(disc.right() - size * 0.25, disc.center().y()));
        painter.restore();
      }
    }
    top += height;
    block = block.next();
  }
  painter.setPen(QColor(200, 200, 200));
  painter.drawLine(gutter_->width() - 1, event->rect().top(), gutter_->width() - 1, event->rect().bottom());
}

// ---------------------------------------------------------------------------
// The error of checking as you type

void MissionEditor::ShowCheckedError(const QTextCursor& statement, const QString& toolTip) {
  checkedError_ = statement;
  checkedErrorTip_ = toolTip;
  ShowExtraSelections();
  gutter_->update();
}

void MissionEditor::ClearCheckedError() {
  if (checkedError_.isNull() && checkedErrorTip_.isEmpty()) return;
  checkedError_ = QTextCursor();
  checkedErrorTip_.clear();
  ShowExtraSelections();
  gutter_->update();
}

int MissionEditor::CheckedErrorLine() const {
  if (checkedError_.isNull()) return 0;
  const QTextBlock block = document()->findBlock(checkedError_.selectionStart());
  return block.isValid() ? block.blockNumber() + 1 : 0;
}

void MissionEditor::ShowExtraSelections() {
  QList<QTextEdit::ExtraSelection> selections;
  if (!checkedError_.isNull() && checkedError_.hasSelection()) {
    QTextEdit::ExtraSelection underline;
    underline.cursor = checkedError_;
    underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    underline.format.setUnderlineColor(CheckedErrorColor);
    selections.append(underline);
  }
  setExtraSelections(selections);
}

QString MissionEditor::ToolTipAt(const QPoint& viewportPoint) const {
  if (checkedError_.isNull() || !checkedError_.hasSelection()) return QString();
  QTextCursor start(document());
  start.setPosition(checkedError_.selectionStart());
  QTextCursor end(document());
  end.setPosition(checkedError_.selectionEnd());
  const QRect first = cursorRect(start);
  const QRect last = cursorRect(end);
  const QRect span(QPoint(first.left(), first.top()), QPoint(last.right(), last.bottom()));
  return span.contains(viewportPoint) ? checkedErrorTip_ : QString();
}

QString MissionEditor::GutterToolTipAt(const QPoint& gutterPoint) const {
  const int line = GutterLineAt(gutterPoint.y());
  return line != 0 && line == CheckedErrorLine() ? checkedErrorTip_ : QString();
}

bool MissionEditor::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = ToolTipAt(help->pos());
    if (tip.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
  }
  return QPlainTextEdit::viewportEvent(event);
}

int MissionEditor::CaretLine() const {
  const QTextBlock block = document()->findBlock(textCursor().selectionStart());
  return block.isValid() ? block.blockNumber() + 1 : 1;
}

int MissionEditor::CaretColumn() const {
  const int start = textCursor().selectionStart();
  const QTextBlock block = document()->findBlock(start);
  return block.isValid() ? start - block.position() + 1 : 1;
}

void MissionEditor::setRogueMarking(bool on) {
  if (rogueMarking_ == on) return;
  rogueMarking_ = on;
  viewport()->update();
}

QList<MissionEditor::PaintedMark> MissionEditor::MarksIn(const QRect& area) const {
  QList<PaintedMark> marks;
  QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF bounds = blockBoundingRect(block).translated(offset);
    if (bounds.top() > area.bottom()) break;
    offset.ry() += bounds.height();
    if (!block.isVisible() || bounds.bottom() < area.top()) continue;
    const QTextLayout* layout = block.layout();
    const QPointF origin = bounds.topLeft() + layout->position();
    const QString text = block.text();
    for (int n = 0; n < layout->lineCount(); ++n) {
      const QTextLine line = layout->lineAt(n);
      const int lineEnd = std::min<int>(line.textStart() + line.textLength(), text.size());
      // Only the characters within the area: a line may be very long.
      const int from = std::max(line.textStart(), line.xToCursor(area.left() - origin.x()) - 1);
      const int to = std::min(lineEnd, line.xToCursor(area.right() - origin.x()) + 1);
      for (int i = from; i < to; ++i) {
        const QChar character = text.at(i);
        PaintedMark mark;
        if (rogueMarking_) {
          const QChar rogue = RogueMarkFor(character);
          if (!rogue.isNull()) mark.Shown = rogue;
        }
        if (mark.Shown.isEmpty() && IsControlCharacter(character)) {
          mark.Shown = HexCode(character);
          mark.IsCode = true;
        }
        if (mark.Shown.isEmpty()) continue;
        const qreal left = line.cursorToX(i);
        const qreal right = line.cursorToX(i + 1);
        // A character given no width (a NUL) has no room for a code.
        if (mark.IsCode && right <= left) continue;
        mark.Position = block.position() + i;
        mark.Cell = QRectF(origin.x() + left, origin.y() + line.y(), right - left, line.height());
        marks.append(mark);
      }
    }
  }
  return marks;
}

void MissionEditor::paintEvent(QPaintEvent* event) {
  // The lines in view that still wait for their colours get them first.
  const int lines = viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 2;
  highlighter_->HighlightWaiting(firstVisibleBlock(), lines);
  QPlainTextEdit::paintEvent(event);
  const QList<PaintedMark> marks = MarksIn(event->rect());
  if (marks.isEmpty()) return;
  QPainter painter(viewport());
  const QTextCursor cursor = textCursor();
  const QPalette colours = palette();
  for (const PaintedMark& mark : marks) {
    if (!mark.IsCode) {
      PaintRogueMark(painter, font(), mark.Cell, mark.Shown);
      continue;
    }
    const bool selected = mark.Position >= cursor.selectionStart() && mark.Position < cursor.selectionEnd();
    PaintCode(painter, font(), mark.Cell, mark.Shown,
              colours.color(selected ? QPalette::Highlight : QPalette::Base),
              colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
  }
}

bool MissionEditor::FitIncoming(QString& text, const char* how) {
  QString refused;
  if (FitMissionCharacters(text, refused)) return true;
  emit TextRefused(
      QString("Not %1: %2 cannot be saved in a mission file").arg(QLatin1String(how), DescribeCharacter(refused)));
  return false;
}

void MissionEditor::InsertTyped(const QString& text) {
  QTextCursor cursor = textCursor();
  cursor.insertText(text);
  setTextCursor(cursor);
  ensureCursorVisible();
}

void MissionEditor::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key(), event->modifiers());
  if (event->matches(QKeySequence::Cut)) {
    emit CutRequested();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Copy)) {
    emit CopyRequested();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    emit PasteRequested();
    event->accept();
    return;
  }
#ifndef Q_OS_MACOS
  // Alt with a character is a menu key, never typing: a key that opens no
  // menu leaves the text as it is. Ctrl with Alt stays typing (AltGr).
  const Qt::KeyboardModifiers held = event->modifiers();
  if ((held & Qt::AltModifier) && !(held & Qt::ControlModifier) && !event->text().isEmpty() &&
      event->text().at(0).isPrint()) {
    event->ignore();
    return;
  }
#endif
  // A typed character outside Latin-1 goes in as its plain equivalent, or
  // not at all.
  QString typed = event->text();
  const bool wide = std::any_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.unicode() > 0xFF; });
  if (wide) {
    if (FitIncoming(typed, "typed")) InsertTyped(typed);
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void MissionEditor::inputMethodEvent(QInputMethodEvent* event) {
  QString commit = event->commitString();
  if (!commit.isEmpty() && !FitIncoming(commit, "typed")) commit.clear();
  if (commit == event->commitString()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent fitted(event->preeditString(), event->attributes());
  fitted.setCommitString(commit, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&fitted);
  event->accept();
}

void MissionEditor::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuRequested(event->globalPos());
  event->accept();
}

QMimeData* MissionEditor::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  auto* data = new QMimeData;
  data->setText(TextBetween(*document(), cursor.selectionStart(), cursor.selectionEnd()));
  return data;
}

bool MissionEditor::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void MissionEditor::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  // One line end per line, whatever the source used.
  QString text = NormaliseLineEnds(source->text());
  if (!FitIncoming(text, "pasted")) return;
  QTextCursor cursor = textCursor();
  cursor.insertText(text);
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace tolvane
