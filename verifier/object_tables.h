#pragma once
// The mission object tables: fixed-capacity arrays of fixed-width records with
// a count. Records are numbered from 1; records 1 to count are in use.

#include <cassert>
#include <cstdint>
#include <vector>

#include "short_text.h"

namespace tolvane {

template <typename Record, int Capacity>
class ObjectTable {
 public:
  static constexpr int capacity = Capacity;

  int count() const { return static_cast<int>(records_.size()); }
  bool full() const { return count() >= Capacity; }
  bool empty() const { return records_.empty(); }

  // 1-based access, as the tables are numbered; only records 1 to count exist.
  Record& operator[](int number) {
    assert(number >= 1 && number <= count());
    return records_[static_cast<std::size_t>(number - 1)];
  }
  const Record& operator[](int number) const {
    assert(number >= 1 && number <= count());
    return records_[static_cast<std::size_t>(number - 1)];
  }

  // Appends at count + 1. A full table adds nothing and answers false;
  // nothing is ever written past the capacity.
  bool append(const Record& record) {
    if (full()) return false;
    // Room for the whole table at once: no record is ever moved, and only
    // the pages the records fill are touched.
    if (records_.capacity() == 0) records_.reserve(Capacity);
    records_.push_back(record);
    return true;
  }

  void clear() { records_.clear(); }

  typename std::vector<Record>::iterator begin() { return records_.begin(); }
  typename std::vector<Record>::iterator end() { return records_.end(); }
  typename std::vector<Record>::const_iterator begin() const { return records_.begin(); }
  typename std::vector<Record>::const_iterator end() const { return records_.end(); }

 private:
  std::vector<Record> records_;
};

// One per flight and one per plane of a flight.
struct AircraftRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<25> SquadName;
  ShortText<25> FlightName;
  ShortText<15> Callsign;
  std::uint8_t AircraftMark = 0;
  ShortText<5> Plane1, Plane2, Plane3, Plane4;
  ShortText<5> WaySet;
  ShortText<5> FlightTag;
};

// One per waypoint a flight can be sent to, plus way-set and waypoint changes.
struct FlightWaypointRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<25> SquadName;
  ShortText<25> FlightName;
  ShortText<15> Callsign;
  ShortText<5> WaySet;
  ShortText<5> WaypointId;
};

struct VehicleRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<25> ItemType;
  ShortText<5> WaySet;
};

struct VehicleWaypointRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<5> WaySet;
  ShortText<5> WaypointId;
};

struct DivisionRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<25> Name;
};

struct StructureRecord {
  ShortText<5> TagId;
  ShortText<15> TypeName;
};

struct TriggerRecord {
  ShortText<25> TypeName;
  ShortText<30> TriggerName;
  ShortText<25> LinkedTrigger;
};

struct BridgeRecord {
  ShortText<25> BridgeName;
  ShortText<10> TypeName;
  ShortText<25> ReferencedBy;
  ShortText<5> LineText;
};

// The cross index of every tagged object; a tag may appear more than once.
struct TagRecord {
  ShortText<5> TagId;
  ShortText<25> TypeName;
  ShortText<25> Name;
  ShortText<25> FlightName;
  std::uint8_t AircraftMark = 0;
  ShortText<15> Callsign;
  std::int32_t AircraftIndex = 0;
};

struct WaySetRecord {
  ShortText<5> SetText;
  std::int32_t WaypointCount = 0;
};

// The work record into which check and action statements are read.
struct ReferenceRecordType {
  ShortText<5> TagId;
  ShortText<25> SquadName;
  ShortText<25> FlightName;
  ShortText<15> Callsign;
  ShortText<5> WaySet;
  ShortText<5> Waypoint;
};

using AircraftTableType = ObjectTable<AircraftRecord, 500>;
using FlightWaypointTableType = ObjectTable<FlightWaypointRecord, 600>;
using VehicleTableType = ObjectTable<VehicleRecord, 500>;
using VehicleWaypointTableType = ObjectTable<VehicleWaypointRecord, 250>;
using DivisionTableType = ObjectTable<DivisionRecord, 500>;
using StructureTableType = ObjectTable<StructureRecord, 500>;
using TriggerTableType = ObjectTable<TriggerRecord, 250>;
using BridgeTableType = ObjectTable<BridgeRecord, 56>;
using TagTableType = ObjectTable<TagRecord, 500>;
using WaySetTableType = ObjectTable<WaySetRecord, 100>;

// Codes reported when an adder finds its table full. The four tables that
// have no code of their own in the message table stop with the nearest one.
namespace FullCode {
constexpr int Aircraft = 68;
constexpr int FlightWaypoint = 85;
constexpr int Vehicle = 100;
constexpr int VehicleWaypoint = 101;
constexpr int Division = 128;
constexpr int Structure = 129;
constexpr int Trigger = 68;
constexpr int Bridge = 68;
constexpr int Tag = 127;
constexpr int WaySet = 130;
}  // namespace FullCode

}  // namespace tolvane
