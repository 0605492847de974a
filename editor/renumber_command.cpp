#include <QWidget>

#include "renumber_command.h"

namespace tolvane {

RenumberCommand::RenumberCommand(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {}

void RenumberCommand::TagIdNumberFix1Click() {}

}  // namespace tolvane
