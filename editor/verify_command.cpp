#include <QWidget>

#include "verify_command.h"

#include "document_host.h"
#include "mission_document.h"

namespace tolvane {

VerifyCommand::VerifyCommand(const DocumentParts& parts, const ObjectsMenuEntries& entries)
    : QObject(parts.Window), parts_(parts), entries_(entries) {}

void VerifyCommand::Triggers1Click() {}

void VerifyCommand::ShowMissionForm(int number) {
  if (parts_.Document->DocumentNumber != 1 || !parts_.Host) return;
  parts_.Host->ShowToolForm(number);
}

void VerifyCommand::StockObjects1Click() {
  if (parts_.Host) parts_.Host->ShowToolForm(5);
}
void VerifyCommand::MissionObjects1Click() { ShowMissionForm(6); }
void VerifyCommand::FlightWayptsClick() { ShowMissionForm(9); }
void VerifyCommand::Divisions1Click() { ShowMissionForm(11); }
void VerifyCommand::Vehicles1Click() { ShowMissionForm(10); }
void VerifyCommand::VehicleWayptsClick() { ShowMissionForm(7); }
void VerifyCommand::Structures1Click() { ShowMissionForm(12); }
void VerifyCommand::Bridges3Click() { ShowMissionForm(14); }
void VerifyCommand::Triggers2Click() { ShowMissionForm(13); }

}  // namespace tolvane
