#pragma once
// Reading and writing mission texts. A mission is 8-bit text: every byte is
// one character (Latin-1 both ways), so any byte value 1 to 255 survives an
// open and a save. Lines are read with CR LF or LF alone and written with
// CR LF. A save replaces the file in one step: if anything goes wrong the
// file keeps its previous contents.

#include <QByteArray>
#include <QString>

#include <string_view>

namespace tolvane {

// Reads the whole file at path into text, with its line ends turned into
// "\n". On failure answers false, leaves text empty and puts the system's
// own description of the problem, with the path, into error.
bool ReadMissionText(const QString& path, QString& text, QString& error);

// Writes text (lines separated by "\n") to path with CR LF line ends and
// one byte per character. The file is replaced only when everything was
// written. A text holding a character outside Latin-1 is refused, never
// written with a stand-in: the message names the character and its line.
// On failure answers false, leaves any existing file as it was and puts the
// description, with the path, into error.
bool WriteMissionText(const QString& path, const QString& text, QString& error);

// A mission file holds Latin-1 characters only, one byte each. Typographic
// quotes, dashes and the ellipsis have plain equivalents (' " - ...) and are
// replaced by them in text; any other character outside Latin-1 cannot be
// held. Answers false when text holds such a character, and puts the first
// one into refused.
bool FitMissionCharacters(QString& text, QString& refused);

// A character as a message names it: "€" (U+20AC); one that shows nothing
// (a control or a separator) by its code alone: U+2028.
QString DescribeCharacter(const QString& character);

// The verifier's work file in the program folder, and the one way the Verify
// command writes the editor's text to it: like a save (CR LF, one byte per
// character, replaced in one step), with the same failure reports.
QString MissionTempFilePath(const QString& programFolder);
bool WriteMissionTempFile(const QString& programFolder, const QString& text, QString& error);

// Replaces the file at path with bytes in one step: they go to a new file
// beside it, which takes the old one's place only when every byte is on
// disk. A file the user may not write is refused, not replaced; a folder in
// its place is refused too. A short write (a full disk, a file size limit)
// is a failure. On failure answers false, leaves any existing file as it
// was, leaves no partial file behind and puts the system's own description,
// with the path, into error.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

// Turns "\r\n", a lone "\n" and a lone "\r" into "\n". The editor holds
// no line-end character inside a line, so a lone "\r" ends its line.
QString NormaliseLineEnds(const QString& text);

// A file's bytes as the editor holds them: one character a byte, each line
// end ("\r\n", "\n" or "\r") turned into "\n".
QString TextFromMissionBytes(std::string_view bytes);
// The bytes a save writes for a text of Latin-1 characters: one byte a
// character, each line break (by default "\n") written as lineEnd. A wider
// character stands as "?", and exact (when given) tells whether there was
// none. The document's own text has paragraph separators for line breaks.
QByteArray MissionBytesOf(QStringView text, QChar lineBreak = QLatin1Char('\n'), std::string_view lineEnd = "\r\n",
                          bool* exact = nullptr);

}  // namespace tolvane
