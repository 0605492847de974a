#pragma once
// One document window's text and document state: the file it belongs to,
// its document number and whether the rogue-character marking is on. The
// text area shows this text; the window's commands work on it. The marking
// is only shown: it never changes the text.

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <string_view>

class QTextDocument;

namespace tolvane {

inline const char* const UntitledName = "Untitled";

class MissionDocument : public QObject {
  Q_OBJECT

 public:
  explicit MissionDocument(QObject* parent = nullptr);

  QTextDocument* Text() const { return text_; }

  // Full path of the file; "Untitled" while the text has none.
  QString FileName = UntitledName;
  bool IsUntitled() const { return FileName == UntitledName; }
  // The DocumentCount the window received when its file was opened (0 for a
  // window made by the frame's New). Only document 1 verifies.
  int DocumentNumber = 0;
  // True while the user has the rogue-character marking turned on.
  bool RogueMarking = false;
  // Cleared on creation and on open; no command sets it.
  bool RenumberCheckPending = false;

  bool IsModified() const;
  void SetModified(bool modified);

  // The text as a save writes it: lines separated by "\n", every character
  // as it is held.
  QString PlainText() const;
  // The same text one byte a character, for the commands that work on
  // bytes. exact (when given) tells whether every character was Latin-1;
  // a wider one (the text area refuses them) stands as "?".
  QByteArray Latin1Text(bool* exact = nullptr) const;

  // The file as it stood on disk when the text was last read from it or
  // written to it; DiskFileChanged tells whether it has changed (or gone)
  // since. A text without a file has nothing to compare.
  void NoteDiskFile();
  bool DiskFileChanged() const;
  bool DiskFileExists() const;

 private:
  struct DiskStamp {
    bool Exists = false;
    qint64 Size = -1;
    QDateTime Modified;
    bool operator==(const DiskStamp& other) const {
      return Exists == other.Exists && Size == other.Size && Modified == other.Modified;
    }
  };
  DiskStamp CurrentStamp() const;

  QTextDocument* text_;
  DiskStamp disk_;
};

// The text between two positions of a document as it is held, lines
// separated by "\n"; a byte 160 stays itself (toPlainText() would give a
// blank).
QString TextBetween(const QTextDocument& text, int from, int to);

// Rewrites a text as one edit block (one undo step), touching only the
// lines that differ between before (the text as it stands, one byte a
// character, lines separated by "\n") and after, and of each such line only
// the characters from its first to its last difference. The two must have
// as many lines; answers false, changing nothing, when they do not.
bool ReplaceChangedLines(QTextDocument& text, std::string_view before, std::string_view after);

// The file-name part of a path: the text after its last separator ("/",
// "\" or ":").
QString FileNamePart(const QString& path);
// The extension of a path: from the last "." after the last separator, dot
// included; empty when there is none.
QString ExtensionOf(const QString& path);
// a to z as A to Z; every other character as it is.
QString UpperCaseAscii(const QString& text);

}  // namespace tolvane
