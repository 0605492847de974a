#pragma once
// The ten object tables described as data: each table's name, its fields in
// record order with their names and kinds, its count, and any field of any
// record as text. The JSON report and the object browsers read the tables
// through these descriptors instead of naming every field by hand.

#include <string>
#include <string_view>

#include "mission_state.h"

namespace tolvane {

enum class FieldKind { Text, Number };

struct FieldDescriptor {
  std::string_view Name;  // "TagId", "WaypointCount", ...
  FieldKind Kind;
  // The field of a record as text: a text as stored, a number in decimal.
  std::string (*Read)(const void* record);
};

class TableDescriptor {
 public:
  std::string_view Name;  // "AircraftTable", ...
  const FieldDescriptor* Fields;
  int FieldCount;

  // The field's index in record order, -1 when the table has no such field.
  int FieldIndex(std::string_view fieldName) const;
  // Records in use: 1 to Count.
  int Count(const MissionState& state) const { return CountRecords(state); }
  // Field `field` (0-based, in record order) of record `record` (1-based) as
  // text; empty when there is no such record or field.
  std::string Text(const MissionState& state, int record, int field) const;

  // How the descriptor reaches its table in a state: its count, and record n
  // (1 to count) for the field readers.
  int (*CountRecords)(const MissionState&);
  const void* (*RecordAt)(const MissionState&, int);
};

constexpr int TableDescriptorCount = 10;

// The ten descriptors in a fixed order: AircraftTable, FlightWaypointTable,
// VehicleTable, VehicleWaypointTable, DivisionTable, StructureTable,
// TriggerTable, BridgeTable, TagTable, WaySetTable.
const TableDescriptor* TableDescriptors();

// The descriptor of the table of that name, nullptr when there is none.
const TableDescriptor* FindTableDescriptor(std::string_view tableName);

}  // namespace tolvane
