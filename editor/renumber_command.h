#pragma once
// "Tag Id Number Fix ": renumbers the tag identifiers of document 1 and
// rewrites the references to them in its triggers, as one edit.

#include <QObject>

#include "document_parts.h"

namespace tolvane {

class RenumberCommand : public QObject {
  Q_OBJECT

 public:
  explicit RenumberCommand(const DocumentParts& parts);

  // Only in document 1. Every value the command reads is checked before
  // any line changes: on a failure nothing changes and the code's message
  // is shown; a successful run changes the text and shows nothing. The
  // changed lines are replaced in one edit block, one undo step.
  void TagIdNumberFix1Click();

 private:
  DocumentParts parts_;
};

}  // namespace tolvane
