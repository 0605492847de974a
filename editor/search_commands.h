#pragma once
// Searching a document window: the object search (line by line, the whole
// line selected), the find requests the browsers and list windows leave, the
// interactive replace and replace all, with their two modeless dialogs.

#include <QObject>
#include <QString>

#include "document_parts.h"

namespace tolvane {

class SearchCommands : public QObject {
  Q_OBJECT

 public:
  explicit SearchCommands(const DocumentParts& parts);

  void Search2Click();       // "Search            F2"
  void SearchAgainF3Click();  // "Search Again       F3"
  void FindandReplace1Click();
  void FindDialog1Find();
  void FindObject();
  void ReplaceDialog1Find();
  // The replace dialog's find text (F5 acts only when it is not empty).
  QString ReplaceFindText() const;
  // The first part of a window's activation: the pending find requests.
  void TakeFindRequests();

 private:
  DocumentParts parts_;
};

}  // namespace tolvane
