#include <QWidget>

#include "search_commands.h"

namespace tolvane {

SearchCommands::SearchCommands(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {}

void SearchCommands::Search2Click() {}
void SearchCommands::SearchAgainF3Click() {}
void SearchCommands::FindandReplace1Click() {}
void SearchCommands::FindDialog1Find() {}
void SearchCommands::FindObject() {}
void SearchCommands::ReplaceDialog1Find() {}
QString SearchCommands::ReplaceFindText() const { return QString(); }
void SearchCommands::TakeFindRequests() {}

}  // namespace tolvane
