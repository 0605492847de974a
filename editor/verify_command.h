#pragma once
// The Verify command of document 1 and its Objects menu. Verify writes the
// text to the work file MissionTemp.fil in the program folder, runs the
// verifier over it (the same verifier as the command line's), makes the
// Objects menu's browser entries visible after a successful first pass, and
// reports the outcome: "Mission Appears To Be Ok !!", or the message with
// its line number and the statement in error selected in the text.

#include <QObject>

#include <array>

#include "document_parts.h"

class QAction;

namespace tolvane {

class RogueView;
class SearchCommands;

// The Objects menu's eight browser entries, in the order the Load steps make
// them visible: Flights, Vehicle Waypoints, Flight Waypoints, Vehicles,
// Divisions, Structures, Triggers, Bridges.
using BrowserEntries = std::array<QAction*, 8>;

class VerifyCommand : public QObject {
  Q_OBJECT

 public:
  VerifyCommand(const DocumentParts& parts, const BrowserEntries& entries, RogueView& rogue, SearchCommands& search);

  void Triggers1Click();  // "&Verify"
  // Scrolls to the line in error and selects the statement on it.
  void ShowError();

  // Each makes one browser entry of the Objects menu visible.
  void LoadFlights();
  void LoadVehWayPoints();
  void LoadFlightWayPoints();
  void LoadVehicles();
  void LoadDivisions();
  void LoadStructures();
  void LoadTriggers();
  void LoadBridges();

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

  // The verdict of the last run.
  bool MissionOk = false;

 private:
  void ShowMissionForm(int number);

  DocumentParts parts_;
  BrowserEntries entries_;
  RogueView& rogue_;
  SearchCommands& search_;
};

}  // namespace tolvane
