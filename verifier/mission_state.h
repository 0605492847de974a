#pragma once
// Everything one verification works on: the ten object tables, the error
// state, the trigger counters, the work records of pass two and, while a run
// lasts, read access to its environment (type names, next missions). Two
// states never share anything.

#include <atomic>
#include <cstdint>
#include <string>

#include "object_tables.h"
#include "verifier_environment.h"

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

  // What the front end hands the verifier; VerifyMission sets it for the
  // length of a run. Without one there are no type names and no next missions.
  const VerifierEnvironment* Environment = nullptr;
  const VerifierEnvironment& Env() const { return Environment ? *Environment : EmptyEnvironment(); }

  // A caller that may want a run under way to stop (checking as you type,
  // when the text has changed) points this at a flag it sets from any
  // thread. The statement reader looks at it every StopCheckLines lines;
  // once it is set, the run stops and Stopped says so: such a run has no
  // verdict, code or message.
  static constexpr std::int32_t StopCheckLines = 4096;
  const std::atomic<bool>* StopRequested = nullptr;
  bool Stopped = false;

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
