#pragma once
// Everything one verification works on: the ten object tables, the error
// state, the trigger counters, the work records of pass two and read access to
// the program's type names and missions folder. Two states never share anything.

#include <cstdint>
#include <string>

#include "object_tables.h"
#include "type_names.h"

namespace tolvane {

struct MissionState {
  // Object tables.
  AircraftTableType AircraftTable;
  FlightWaypointTableType FlightWaypointTable;
  VehicleTableType VehicleTable;
  VehicleWaypointTableType VehicleWaypointTable;
  DivisionTableType DivisionTable;
  StructureTableType StructureTable;
  TriggerTableType TriggerTable;
  BridgeTableType BridgeTable;
  TagTableType TagTable;
  WaySetTableType WaySetTable;

  // Error state.
  std::int32_t ErrNo = 0;
  std::string ErrMsg;
  std::int32_t LineNo = 0;

  // Trigger state of pass one and pass two.
  bool TriggersFound = false;
  std::int32_t TriggerCheckCount = 0;
  std::int32_t TriggerActionCount = 0;

  // Work records of pass two.
  ReferenceRecordType ReferenceRecord;
  FlightWaypointRecord WaypointProbe;

  // What the program hands the verifier.
  TypeNameList TypeNames;
  std::string MissionFolder;

  // Empties every table, in the order a run clears them.
  void ClearTables() {
    AircraftTable.clear();
    FlightWaypointTable.clear();
    BridgeTable.clear();
    TriggerTable.clear();
    StructureTable.clear();
    DivisionTable.clear();
    VehicleWaypointTable.clear();
    VehicleTable.clear();
    TagTable.clear();
    WaySetTable.clear();
  }
};

// A failing step: sets the code and clears the verdict flag.
inline void Fail(MissionState& state, bool& ok, int code) {
  state.ErrNo = code;
  ok = false;
}

}  // namespace tolvane
