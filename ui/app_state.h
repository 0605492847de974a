#pragma once
// The program's shared state: one object owned by the frame and handed to
// every window that uses it. Names are the ones the windows and the verifier
// use; nothing here is a process-wide global.

#include <QString>

#include <array>
#include <cstdint>

#include "mission_state.h"
#include "renumber.h"
#include "verifier_environment.h"

namespace tolvane {

// The display settings and missions folder kept in Tolvane.INI.
struct DisplaySettings {
  QString MissionFolder;
  QString FontName;
  int FontSize = 0;
  int FontColor = 0;  // colour value: red in the lowest byte, green, blue
  QString FontStyle;  // only "Bold" has a meaning
  int EditorColor = 0;
  // False when Tolvane.INI is there but its first two lines are no missions
  // folder (an empty, binary or foreign file): the verifier then looks for
  // next missions nowhere, and the line is written back as it was.
  bool MissionFolderUsable = false;
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

// The windows that leave find requests, in the fixed order a document window
// takes them when it becomes active. The two list windows share LocateText
// as their request text; the browsers each have their own.
enum class FindRequestRow {
  Objects,          // Form5, ObjectFindFlag
  BridgeList,       // Form8, BridgeListFindFlag
  Aircraft,         // Form6
  VehicleWaypoint,  // Form7
  FlightWaypoint,   // Form9
  Division,         // Form11
  Structure,        // Form12
  Vehicle,          // Form10
  Trigger,          // Form13
  Bridge,           // Form14
};
constexpr int FindRequestRowCount = 10;

constexpr int NoSearchLine = -1;

inline bool UsesLocateText(FindRequestRow row) {
  return row == FindRequestRow::Objects || row == FindRequestRow::BridgeList;
}

struct AppState {
  QString ProgramFolder;  // the working directory at start-up, no trailing separator
  DisplaySettings Settings;
  TypeNameList TypeNames;  // TypeNameTable, TypeNameCount, TypeNamesLoaded

  int DocumentCount = 0;

  // The find requests, in the order they are taken. The rows of the two list
  // windows use only their flag; their text is LocateText.
  std::array<FindRequest, FindRequestRowCount> FindRequests{};
  FindRequest& Request(FindRequestRow row) { return FindRequests[static_cast<std::size_t>(row)]; }
  QString& RequestText(FindRequestRow row) { return UsesLocateText(row) ? LocateText : Request(row).Text; }
  bool& ObjectFindFlag() { return Request(FindRequestRow::Objects).Flag; }
  bool& BridgeListFindFlag() { return Request(FindRequestRow::BridgeList).Flag; }

  // The editor's resumable line search and the verifier's statement text.
  // SearchLine is the line index of the last match, NoSearchLine before the
  // first, so a match on the first line is told from none.
  QString SearchText;
  int SearchLine = NoSearchLine;
  QString LocateText;

  // Tag renumbering: the definitions of the last run, in text order.
  std::array<RenumberEntry, RenumberCapacity> RenumberTable{};
  int RenumberCount = 0;

  // The verifier's tables and error state, owned by document 1, and what it
  // is given: the type names and the missions folder.
  MissionState Mission;
  MissionFolderEnvironment Environment;

  // Checking as you type in document 1; kept in the program's own settings
  // file (UserSettings), never in Tolvane.INI.
  bool CheckAsYouType = true;

  QString ProgramFile(const QString& name) const { return ProgramFolder + "/" + name; }

  // Every flag false and every browser's text empty; LocateText keeps its value.
  void ClearFindRequests() {
    for (FindRequest& request : FindRequests) request.clear();
  }
};

}  // namespace tolvane
