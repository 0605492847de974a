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

TEST(RecordFields, EveryTableByNameWithItsRecords) {
  const MissionState state = HarbourState();
  for (int i = 0; i < TableDescriptorCount; ++i) {
    const TableDescriptor& table = TableDescriptors()[i];
    SCOPED_TRACE(table.Name);
    EXPECT_EQ(FindTableDescriptor(table.Name), &table);
    EXPECT_GT(table.Count(state), 0);
    for (int field = 0; field < table.FieldCount; ++field) {
      EXPECT_EQ(table.FieldIndex(table.Fields[field].Name), field);
    }
  }
  EXPECT_EQ(FindTableDescriptor("Aircraft"), nullptr);
  EXPECT_EQ(FindTableDescriptor("aircrafttable"), nullptr);
}

TEST(RecordFields, FieldsReadAsTextAndNumbersInDecimal) {
  const MissionState state = HarbourState();
  const TableDescriptor& aircraft = *FindTableDescriptor("AircraftTable");
  const int squad = aircraft.FieldIndex("SquadName");
  const int mark = aircraft.FieldIndex("AircraftMark");
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
