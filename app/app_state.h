#pragma once
// The program's shared state: one object owned by the frame and handed to
// every window that uses it. Names are the ones the windows and the verifier
// use; nothing here is a process-wide global.

#include <QString>

#include <array>

#include "mission_state.h"

namespace tolvane {

// The display settings and missions folder kept in Tolvane.INI.
struct DisplaySettings {
  QString MissionFolder;
  QString FontName;
  int FontSize = 0;
  int FontColor = 0;  // colour value: red in the lowest byte, green, blue
  QString FontStyle;  // only "Bold" has a meaning
  int EditorColor = 0;
  // False until the values come from Tolvane.INI or from a Font or Color
  // command; until then a document window keeps its own initial look.
  bool Loaded = false;
};

// A find request left by a browser or list window for the document window.
struct FindRequest {
  bool Flag = false;
  QString Text;
  void clear() { Flag = false; Text.clear(); }
};

struct RenumberEntry {
  QString OldTag;
  QString NewTag;
};

struct AppState {
  QString ProgramFolder;  // the working directory at start-up, no trailing separator
  DisplaySettings Settings;
  TypeNameList TypeNames;  // TypeNameTable, TypeNameCount, TypeNamesLoaded

  int DocumentCount = 0;

  // Find requests of the eight browsers and the two list windows.
  FindRequest AircraftFind, FlightWaypointFind, VehicleFind, VehicleWaypointFind, DivisionFind,
      StructureFind, TriggerFind, BridgeFind;
  bool ObjectFindFlag = false;
  bool BridgeListFindFlag = false;

  // The editor's resumable line search and the verifier's statement text.
  QString SearchText;
  int SearchLine = 0;
  QString LocateText;

  // Tag renumbering.
  std::array<RenumberEntry, 500> RenumberTable{};
  int RenumberCount = 0;

  // The verifier's tables and error state, owned by document 1.
  MissionState Mission;

  QString ProgramFile(const QString& name) const { return ProgramFolder + "/" + name; }

  void ClearFindRequests() {
    for (FindRequest* r : {&AircraftFind, &FlightWaypointFind, &VehicleFind, &VehicleWaypointFind,
                           &DivisionFind, &StructureFind, &TriggerFind, &BridgeFind}) {
      r->clear();
    }
    ObjectFindFlag = false;
    BridgeListFindFlag = false;
  }
};

}  // namespace tolvane
