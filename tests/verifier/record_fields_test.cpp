// The table descriptors against a verified mission: every table and field
// reachable by name, numbers in decimal, and nothing outside the records.

#include <gtest/gtest.h>

#include "harbour_mission.h"
#include "record_fields.h"

namespace tolvane {
namespace {

MissionState HarbourState() {
  MissionState state;
  VerifyMissionBytes(state, EmptyEnvironment(), harbour::HarbourMission(harbour::CheckBody(".TIME 5|.EndCheck")));
  return state;
}

TEST(RecordFields, TheTenTablesByNameWithTheirCounts) {
  const MissionState state = HarbourState();
  const struct {
    const char* name;
    int count;
    int fields;
  } tables[] = {
      {"AircraftTable", state.AircraftTable.count(), 12},
      {"FlightWaypointTable", state.FlightWaypointTable.count(), 7},
      {"VehicleTable", state.VehicleTable.count(), 4},
      {"VehicleWaypointTable", state.VehicleWaypointTable.count(), 4},
      {"DivisionTable", state.DivisionTable.count(), 3},
      {"StructureTable", state.StructureTable.count(), 2},
      {"TriggerTable", state.TriggerTable.count(), 3},
      {"BridgeTable", state.BridgeTable.count(), 4},
      {"TagTable", state.TagTable.count(), 7},
      {"WaySetTable", state.WaySetTable.count(), 2},
  };
  for (int i = 0; i < TableDescriptorCount; ++i) {
    SCOPED_TRACE(tables[i].name);
    const TableDescriptor* table = FindTableDescriptor(tables[i].name);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, &TableDescriptors()[i]);  // in their fixed order
    EXPECT_GT(table->Count(state), 0);
    EXPECT_EQ(table->Count(state), tables[i].count);
    EXPECT_EQ(table->FieldCount, tables[i].fields);
  }
  EXPECT_EQ(FindTableDescriptor("Aircraft"), nullptr);
  EXPECT_EQ(FindTableDescriptor("aircrafttable"), nullptr);
}

TEST(RecordFields, FieldsReadAsTextAndNumbersInDecimal) {
  const MissionState state = HarbourState();
  const TableDescriptor& aircraft = *FindTableDescriptor("AircraftTable");
  const int squad = aircraft.FieldIndex("SquadName");
  const int mark = aircraft.FieldIndex("AircraftMark");
  ASSERT_EQ(aircraft.FieldIndex("TagId"), 0);
  ASSERT_EQ(squad, 2);
  ASSERT_EQ(mark, 5);
  EXPECT_EQ(aircraft.FieldIndex("FlightTag"), 11);
  EXPECT_EQ(aircraft.FieldIndex("Squad"), -1);
  EXPECT_EQ(aircraft.Fields[squad].Kind, FieldKind::Text);
  EXPECT_EQ(aircraft.Fields[mark].Kind, FieldKind::Number);
  for (int record = 1; record <= aircraft.Count(state); ++record) {
    EXPECT_EQ(aircraft.Text(state, record, 0), state.AircraftTable[record].TagId.str());
    EXPECT_EQ(aircraft.Text(state, record, squad), state.AircraftTable[record].SquadName.str());
    EXPECT_EQ(aircraft.Text(state, record, mark), std::to_string(state.AircraftTable[record].AircraftMark));
  }
  const TableDescriptor& sets = *FindTableDescriptor("WaySetTable");
  EXPECT_EQ(sets.Text(state, 1, sets.FieldIndex("SetText")), "3");
  EXPECT_EQ(sets.Text(state, 1, sets.FieldIndex("WaypointCount")), "4");
  const TableDescriptor& tags = *FindTableDescriptor("TagTable");
  EXPECT_EQ(tags.Fields[tags.FieldIndex("AircraftIndex")].Kind, FieldKind::Number);

  // Outside the records and fields there is nothing.
  EXPECT_EQ(aircraft.Text(state, 0, 0), "");
  EXPECT_EQ(aircraft.Text(state, aircraft.Count(state) + 1, 0), "");
  EXPECT_EQ(aircraft.Text(state, 1, -1), "");
  EXPECT_EQ(aircraft.Text(state, 1, aircraft.FieldCount), "");
  EXPECT_EQ(aircraft.Text(MissionState(), 1, 0), "");
}

#ifndef NDEBUG
TEST(ObjectTableDeathTest, ARecordOutsideTheRecordsInUseIsCaught) {
  // Records are numbered 1 to count; anything else is a fault of the caller.
  MissionState state;
  state.WaySetTable.append(WaySetRecord());
  EXPECT_EQ(state.WaySetTable[1].WaypointCount, 0);
  EXPECT_DEATH(static_cast<void>(state.WaySetTable[0]), "");
  EXPECT_DEATH(static_cast<void>(state.WaySetTable[2]), "");
}
#endif

}  // namespace
}  // namespace tolvane
