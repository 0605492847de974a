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

  void TagIdNumberFix1Click();

 private:
  DocumentParts parts_;
};

}  // namespace tolvane
