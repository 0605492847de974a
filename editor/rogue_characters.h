#pragma once
// The rogue-character view: every blank of the text is shown as "@" and
// every tab as "#". The characters put in are marks: they carry a property
// of their character format (and a colour), so turning the view off puts
// back exactly the blanks and tabs they replaced. An "@" or "#" that was in
// the text before, or that the user types or pastes while the view is on, is
// no mark and stays as it is. The marks live in the document itself, so
// undo and redo bring them back with the text.
//
// Each rewrite of the whole text is one edit block: one replacement of the
// text, one undo step, quick also on texts of several megabytes.

#include <QString>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace tolvane {

inline constexpr QChar kBlankMark = QLatin1Char('@');
inline constexpr QChar kTabMark = QLatin1Char('#');

// The status bar reminder while the view is on, and what replaces it after.
QString RogueReminderText();   // "  Space = @   Tab = # "
QString RogueReminderBlank();  // 22 blanks

// The format of a mark, and whether a format is one.
QTextCharFormat RogueMarkFormat();
bool IsRogueMark(const QTextCharFormat& format);

// Replaces every blank and tab of the document by its mark. One edit block.
void MarkRogueCharacters(QTextDocument& document);

// Replaces every mark by the character it stands for; every other character,
// "@" and "#" included, stays. Clears all character formats. One edit block.
void UnmarkRogueCharacters(QTextDocument& document);

// True when the document holds at least one mark.
bool HasRogueMarks(const QTextDocument& document);

// The text between two positions with every mark read back as the blank or
// tab it stands for; lines are separated by "\n". The document is not
// changed.
QString UnmarkedText(const QTextDocument& document, int from, int to);
QString UnmarkedText(const QTextDocument& document);

// Inserts text at the cursor (in place of its selection) with its blanks and
// tabs shown as marks; "@" and "#" in it are no marks.
void InsertMarked(QTextCursor& cursor, const QString& text);

// Takes the mark property off every character between two positions, so
// characters that picked up a mark's format by being typed beside one are
// plain text. Changes nothing (and adds no undo step) when no mark is there.
// Joins the previous edit block, so it undoes together with the typing.
void ClearMarksIn(QTextDocument& document, int from, int to);

}  // namespace tolvane
