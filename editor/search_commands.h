#pragma once
// Searching a document window, three ways:
// - the object search (FindObject): line by line, forward, exact text; the
//   whole line that holds it is selected. It serves the Search menu, F3 and
//   F4, and the find requests the browsers and list windows leave;
// - the interactive replace: whole words in any letter case, a question
//   before each replacement;
// - replace all: exact text, every occurrence, one confirmation, one edit.
// The find and replace dialogs are modeless and belong to the window.

#include <QObject>
#include <QString>
#include <QTextBlock>

#include "document_parts.h"

class QTextDocument;

namespace tolvane {

class FindDialog;

// The first line from firstLine (0-based) on that holds the wanted text,
// exactly; none when no line does or the text is empty.
QTextBlock FirstLineHolding(const QTextDocument& text, int firstLine, const QString& wanted);

class SearchCommands : public QObject {
  Q_OBJECT

 public:
  explicit SearchCommands(const DocumentParts& parts);

  void Search2Click();        // "Search            F2": shows the find dialog
  void SearchAgainF3Click();  // "Search Again       F3"
  void FindandReplace1Click();
  void FindDialog1Find();
  void FindObject();
  void ReplaceDialog1Find();
  void ReplaceDialog1DoReplaceAll();
  // "Go to Line": asks for a line number and puts the caret at its start.
  void GoToLine1Click();
  // The replace dialog's find text (F5 acts only when it is not empty).
  QString ReplaceFindText() const;
  // The first part of the window's activation: the pending find requests,
  // in their fixed order.
  void TakeFindRequests();

  FindDialog* FindDialog1();
  FindDialog* ReplaceDialog1();

 private:
  // Where both dialogs stand: right of the middle of the text area.
  QPoint DialogPlace() const;
  void ScrollLines(int lines);
  // Replaces every occurrence in the text as one edit; false when there is
  // none (nothing changed).
  bool ReplaceAllInText(const QString& findText, const QString& replaceText);
  void CaretToStart();

  DocumentParts parts_;
  FindDialog* findDialog_ = nullptr;
  FindDialog* replaceDialog_ = nullptr;
};

}  // namespace tolvane
