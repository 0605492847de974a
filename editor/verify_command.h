#pragma once
// The Verify command of document 1 and its Objects menu: verifies the text,
// reports the outcome, selects the statement in error, and shows the object
// browsers and list windows.

#include <QObject>

#include "document_parts.h"

class QAction;

namespace tolvane {

// The Objects menu's entries, in menu order.
struct ObjectsMenuEntries {
  QAction* StockObjects1 = nullptr;
  QAction* MissionObjects1 = nullptr;  // "Flights"
  QAction* FlightWaypts = nullptr;
  QAction* Divisions1 = nullptr;
  QAction* Vehicles1 = nullptr;
  QAction* VehicleWaypts = nullptr;
  QAction* Structures1 = nullptr;
  QAction* Bridges3 = nullptr;
  QAction* Triggers2 = nullptr;
};

class VerifyCommand : public QObject {
  Q_OBJECT

 public:
  VerifyCommand(const DocumentParts& parts, const ObjectsMenuEntries& entries);

  void Triggers1Click();  // "&Verify"

  // The Objects menu. Stock Objects acts in any document, the others in
  // document 1 only.
  void StockObjects1Click();
  void MissionObjects1Click();
  void FlightWayptsClick();
  void Divisions1Click();
  void Vehicles1Click();
  void VehicleWayptsClick();
  void Structures1Click();
  void Bridges3Click();
  void Triggers2Click();

 private:
  void ShowMissionForm(int number);

  DocumentParts parts_;
  ObjectsMenuEntries entries_;
};

}  // namespace tolvane
