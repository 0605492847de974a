#include "mission_editor.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>

#include "mission_document.h"
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

}  // namespace

MissionEditor::MissionEditor(QWidget* parent, QTextDocument* text) : QPlainTextEdit(parent) {
  if (text) setDocument(text);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setTabChangesFocus(false);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
