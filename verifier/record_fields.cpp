#include "record_fields.h"

#include <iterator>
#include <type_traits>

namespace tolvane {

namespace {

template <typename T>
struct MemberOf;
template <typename Record, typename Field>
struct MemberOf<Field Record::*> {
  using RecordType = Record;
  using FieldType = Field;
};

template <auto Member>
std::string ReadField(const void* record) {
  using Traits = MemberOf<decltype(Member)>;
  const auto& value = static_cast<const typename Traits::RecordType*>(record)->*Member;
  if constexpr (std::is_integral_v<typename Traits::FieldType>) {
    return std::to_string(static_cast<long long>(value));
  } else {
    return value.str();
  }
}

template <auto Member>
constexpr FieldDescriptor Field(std::string_view name) {
  using Traits = MemberOf<decltype(Member)>;
  return {name, std::is_integral_v<typename Traits::FieldType> ? FieldKind::Number : FieldKind::Text,
          &ReadField<Member>};
}

template <auto Table>
int CountOf(const MissionState& state) {
  return (state.*Table).count();
}

template <auto Table>
const void* RecordOf(const MissionState& state, int record) {
  return &(state.*Table)[record];
}

template <auto Table, std::size_t N>
TableDescriptor Describe(std::string_view name, const FieldDescriptor (&fields)[N]) {
  return {name, fields, static_cast<int>(N), &CountOf<Table>, &RecordOf<Table>};
}

using A = AircraftRecord;
const FieldDescriptor kAircraftFields[] = {
    Field<&A::TagId>("TagId"),         Field<&A::TypeName>("TypeName"), Field<&A::SquadName>("SquadName"),
    Field<&A::FlightName>("FlightName"), Field<&A::Callsign>("Callsign"), Field<&A::AircraftMark>("AircraftMark"),
    Field<&A::Plane1>("Plane1"),       Field<&A::Plane2>("Plane2"),     Field<&A::Plane3>("Plane3"),
    Field<&A::Plane4>("Plane4"),       Field<&A::WaySet>("WaySet"),     Field<&A::FlightTag>("FlightTag"),
};

using FW = FlightWaypointRecord;
const FieldDescriptor kFlightWaypointFields[] = {
    Field<&FW::TagId>("TagId"),           Field<&FW::TypeName>("TypeName"), Field<&FW::SquadName>("SquadName"),
    Field<&FW::FlightName>("FlightName"), Field<&FW::Callsign>("Callsign"), Field<&FW::WaySet>("WaySet"),
    Field<&FW::WaypointId>("WaypointId"),
};

using V = VehicleRecord;
const FieldDescriptor kVehicleFields[] = {
    Field<&V::TagId>("TagId"), Field<&V::TypeName>("TypeName"), Field<&V::ItemType>("ItemType"),
    Field<&V::WaySet>("WaySet"),
};

using VW = VehicleWaypointRecord;
const FieldDescriptor kVehicleWaypointFields[] = {
    Field<&VW::TagId>("TagId"), Field<&VW::TypeName>("TypeName"), Field<&VW::WaySet>("WaySet"),
    Field<&VW::WaypointId>("WaypointId"),
};

using D = DivisionRecord;
const FieldDescriptor kDivisionFields[] = {
    Field<&D::TagId>("TagId"), Field<&D::TypeName>("TypeName"), Field<&D::Name>("Name"),
};

using S = StructureRecord;
const FieldDescriptor kStructureFields[] = {
    Field<&S::TagId>("TagId"), Field<&S::TypeName>("TypeName"),
};

using T = TriggerRecord;
const FieldDescriptor kTriggerFields[] = {
    Field<&T::TypeName>("TypeName"), Field<&T::TriggerName>("TriggerName"),
    Field<&T::LinkedTrigger>("LinkedTrigger"),
};

using B = BridgeRecord;
const FieldDescriptor kBridgeFields[] = {
    Field<&B::BridgeName>("BridgeName"), Field<&B::TypeName>("TypeName"), Field<&B::ReferencedBy>("ReferencedBy"),
    Field<&B::LineText>("LineText"),
};

using G = TagRecord;
const FieldDescriptor kTagFields[] = {
    Field<&G::TagId>("TagId"),           Field<&G::TypeName>("TypeName"),
    Field<&G::Name>("Name"),             Field<&G::FlightName>("FlightName"),
    Field<&G::AircraftMark>("AircraftMark"), Field<&G::Callsign>("Callsign"),
    Field<&G::AircraftIndex>("AircraftIndex"),
};

using W = WaySetRecord;
const FieldDescriptor kWaySetFields[] = {
    Field<&W::SetText>("SetText"), Field<&W::WaypointCount>("WaypointCount"),
};

using M = MissionState;
const TableDescriptor kTables[TableDescriptorCount] = {
    Describe<&M::AircraftTable>("AircraftTable", kAircraftFields),
    Describe<&M::FlightWaypointTable>("FlightWaypointTable", kFlightWaypointFields),
    Describe<&M::VehicleTable>("VehicleTable", kVehicleFields),
    Describe<&M::VehicleWaypointTable>("VehicleWaypointTable", kVehicleWaypointFields),
    Describe<&M::DivisionTable>("DivisionTable", kDivisionFields),
    Describe<&M::StructureTable>("StructureTable", kStructureFields),
    Describe<&M::TriggerTable>("TriggerTable", kTriggerFields),
    Describe<&M::BridgeTable>("BridgeTable", kBridgeFields),
    Describe<&M::TagTable>("TagTable", kTagFields),
    Describe<&M::WaySetTable>("WaySetTable", kWaySetFields),
};

}  // namespace

int TableDescriptor::FieldIndex(std::string_view fieldName) const {
  for (int field = 0; field < FieldCount; ++field) {
    if (Fields[field].Name == fieldName) return field;
  }
  return -1;
}

std::string TableDescriptor::Text(const MissionState& state, int record, int field) const {
  if (record < 1 || record > Count(state) || field < 0 || field >= FieldCount) return std::string();
  return Fields[field].Read(RecordAt(state, record));
}

const TableDescriptor* TableDescriptors() { return kTables; }

const TableDescriptor* FindTableDescriptor(std::string_view tableName) {
  for (const TableDescriptor& table : kTables) {
    if (table.Name == tableName) return &table;
  }
  return nullptr;
}

}  // namespace tolvane
