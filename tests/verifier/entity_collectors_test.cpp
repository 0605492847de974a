// Flights, divisions, vehicles and structures as pass one collects them.

#include <gtest/gtest.h>

#include "entity_collectors.h"
#include "mission_builder.h"

namespace tolvane {
namespace {

using namespace builder;

std::vector<PlaneSpec> Planes(int count, int firstTag, const std::string& lastSet = "4") {
  std::vector<PlaneSpec> planes;
  for (int i = 0; i < count; ++i) {
    planes.push_back({"Gannet", std::to_string(firstTag + i), i + 1 == count ? lastSet : "2",
                      "Kestrel " + std::to_string(i + 1)});
  }
  return planes;
}

TEST(CollectFlight, FivePlanesFillTheFlightRecordAndTheTagTable) {
  PassOneRun run = RunPassOne(FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(5, 11, "7")) + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
  const auto& aircraft = run.state.AircraftTable;
  ASSERT_EQ(aircraft.count(), 6);
  const AircraftRecord& flight = aircraft[1];
  EXPECT_EQ(flight.TagId, "10");
  EXPECT_EQ(flight.TypeName, "Flight");
  EXPECT_EQ(flight.SquadName, "Kestrel Wing");
  EXPECT_EQ(flight.FlightName, "Blue Section");
  EXPECT_EQ(flight.Plane1, "11");
  EXPECT_EQ(flight.Plane4, "14");
  EXPECT_EQ(flight.WaySet, "7");  // the last plane's
  EXPECT_TRUE(flight.Callsign.empty());
  const AircraftRecord& fifth = aircraft[6];
  EXPECT_EQ(fifth.TagId, "15");
  EXPECT_EQ(fifth.TypeName, "Gannet");
  EXPECT_EQ(fifth.Callsign, "Kestrel 5");
  EXPECT_EQ(fifth.FlightTag, "10");
  EXPECT_EQ(fifth.SquadName, "Kestrel Wing");
  EXPECT_EQ(fifth.AircraftMark, 1);
  EXPECT_TRUE(fifth.Plane1.empty());
  ASSERT_EQ(run.state.TagTable.count(), 6);
  EXPECT_EQ(run.state.TagTable[6].AircraftIndex, 6);
  EXPECT_EQ(run.state.TagTable[6].Name, "Kestrel Wing");
  EXPECT_EQ(run.state.TagTable[6].FlightName, "Blue Section");
  EXPECT_EQ(run.state.TagTable[6].AircraftMark, 1);
}

TEST(CollectFlight, RepeatedFlightTagRewritesTheEarlierFlight) {
  PassOneRun run = RunPassOne(FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(1, 11)) +
                              FlightBlock("10", "Heron Wing", "Red Section", Planes(1, 21)) + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  ASSERT_EQ(run.state.AircraftTable.count(), 3);
  EXPECT_EQ(run.state.AircraftTable[1].SquadName, "Heron Wing");
  EXPECT_EQ(run.state.AircraftTable[1].Plane1, "21");
  EXPECT_EQ(run.state.AircraftTable[3].TagId, "21");
  EXPECT_EQ(run.state.TagTable.count(), 3);
}

TEST(CollectFlight, FaultsInTheHeaderAndThePlanes) {
  // A flight tag must be a whole number; a division tag need not be.
  PassOneRun bad = RunPassOne(FlightBlock("1O", "Kestrel Wing", "Blue Section", Planes(1, 11)) + MissionEnd());
  EXPECT_EQ(bad.state.ErrNo, 21);
  EXPECT_EQ(bad.state.LineNo, 3);
  EXPECT_EQ(bad.state.AircraftTable.count(), 0);

  // A missing separator after the flight name is reported after the flight was added.
  std::string text = FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(1, 11));
  text.replace(text.find(".FlightName Blue"), 16, ".FlightName\tBlue");
  EXPECT_TRUE(RunPassOne(text + MissionEnd()).ok);
  text.replace(text.find(".FlightName\tBlue"), 16, ".FlightNameBlue");
  PassOneRun joined = RunPassOne(text + MissionEnd());
  EXPECT_FALSE(joined.ok);
  EXPECT_EQ(joined.state.ErrNo, 105);
  EXPECT_EQ(joined.state.LineNo, 9);
  EXPECT_EQ(joined.state.AircraftTable.count(), 1);

  // Unknown statements in the info section pass; inside a plane they stop with 114.
  text = FlightBlock("10", "Kestrel Wing", "Blue Section", Planes(1, 11));
  std::string info = text;
  info.insert(info.find(".EndInfo"), ".Weather Fine\r\n");
  PassOneRun lenient = RunPassOne(info + Lines({".EndMission"}));
  EXPECT_TRUE(lenient.ok);
  EXPECT_EQ(lenient.state.ErrNo, 0);  // the finding is not left behind
  std::string plane = text;
  plane.insert(plane.find(".Yaw"), ".Weather Fine\r\n");
  PassOneRun strict = RunPassOne(plane + MissionEnd());
  EXPECT_EQ(strict.state.ErrNo, 114);
  EXPECT_EQ(strict.state.LineNo, 21);

  // After a plane only ".Entity" or ".EndAggregate" may follow.
  std::string after = text;
  after.insert(after.find(".EndAggregate"), ".Notes\r\n");
  PassOneRun stray = RunPassOne(after + MissionEnd());
  EXPECT_EQ(stray.state.ErrNo, 90);
  EXPECT_EQ(stray.statement, ".Notes");
}

TEST(CollectAggregate, TypeAndDivisions) {
  PassOneRun run = RunPassOne(DivisionBlock("A7", "Iron Column") + MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  ASSERT_EQ(run.state.DivisionTable.count(), 1);
  EXPECT_EQ(run.state.DivisionTable[1].TagId, "A7");
  EXPECT_EQ(run.state.DivisionTable[1].Name, "Iron Column");
  EXPECT_EQ(run.state.DivisionTable[1].TypeName, "Division");
  EXPECT_EQ(run.state.TagTable[1].Name, "Iron Column");
  EXPECT_EQ(run.state.TagTable[1].AircraftMark, 0);

  // Any other aggregate is passed over; its lines are then top-level statements.
  PassOneRun convoy = RunPassOne(
      Lines({".AGGREGATE", ".Type Convoy", ".TagIdentifier 40", ".Name Supply Run", ".EndAggregate"}) + MissionEnd());
  EXPECT_TRUE(convoy.ok);
  EXPECT_EQ(convoy.state.DivisionTable.count(), 0);

  PassOneRun untyped = RunPassOne(Lines({".AGGREGATE", ".Side Allied"}) + MissionEnd());
  EXPECT_EQ(untyped.state.ErrNo, 50);
  PassOneRun joined = RunPassOne(Lines({".Aggregate", ".TypeFlight"}) + MissionEnd());
  EXPECT_EQ(joined.state.ErrNo, 105);
  PassOneRun untagged = RunPassOne(Lines({".AGGREGATE", ".Type Division", ".Name Iron Column"}) + MissionEnd());
  EXPECT_EQ(untagged.state.ErrNo, 9);
  EXPECT_EQ(untagged.state.LineNo, 3);
}

TEST(CollectEntity, VehiclesAndStructures) {
  PassOneRun run = RunPassOne(VehicleBlock("Lorry 3t", "300", "5") + VehicleBlock("Lorry 3t", "300", "6") +
                              VehicleBlock("Half Track", "301") + StructureBlock("Signal Tower Mk II", "400") +
                              MissionEnd());
  ASSERT_TRUE(run.ok) << run.state.ErrMsg;
  ASSERT_EQ(run.state.VehicleTable.count(), 2);  // a repeated tag is stored once
  EXPECT_EQ(run.state.VehicleTable[1].WaySet, "5");
  EXPECT_EQ(run.state.VehicleTable[1].ItemType, "[Vehicle]");
  EXPECT_TRUE(run.state.VehicleTable[2].WaySet.empty());
  ASSERT_EQ(run.state.StructureTable.count(), 1);
  EXPECT_EQ(run.state.StructureTable[1].TypeName, "Signal Tower Mk");  // 15 characters
  ASSERT_EQ(run.state.TagTable.count(), 3);
  EXPECT_EQ(run.state.TagTable[1].Name, "[Vehicle]");
  EXPECT_EQ(run.state.TagTable[3].TypeName, "Signal Tower Mk II");

  PassOneRun speed = RunPassOne(Lines({".ENTITY", ".Type Lorry", ".TagIdentifier 5", ".Speed 20"}) + MissionEnd());
  EXPECT_EQ(speed.state.ErrNo, 121);
  EXPECT_EQ(speed.state.LineNo, 4);

  std::string open = StructureBlock("Hangar", "400");
  open.erase(open.find(".EndEntity"));
  std::string next = StructureBlock("Hangar", "401");
  next.replace(0, 7, ".Entity");
  PassOneRun runOn = RunPassOne(open + next + MissionEnd());
  EXPECT_EQ(runOn.state.ErrNo, 92);
  EXPECT_EQ(runOn.state.LineNo, 6);
  EXPECT_EQ(runOn.state.StructureTable.count(), 1);  // what came before the stop stays
}

TEST(CollectEntity, SixDigitTagsKeepTheirFirstFive) {
  PassOneRun run = RunPassOne(VehicleBlock("Lorry", "123456") + VehicleBlock("Lorry", "123457") + MissionEnd());
  ASSERT_TRUE(run.ok);
  ASSERT_EQ(run.state.VehicleTable.count(), 1);
  EXPECT_EQ(run.state.VehicleTable[1].TagId, "12345");
}

TEST(TableCapacity, AircraftDivisionsAndTags) {
  // 100 flights of four planes are 500 aircraft; one more flight gives 68.
  std::string flights;
  for (int f = 0; f < 100; ++f) flights += FlightBlock(std::to_string(f * 5 + 1), "Sq", "Fl", Planes(4, f * 5 + 2));
  PassOneRun full = RunPassOne(flights + MissionEnd());
  ASSERT_TRUE(full.ok) << full.state.ErrMsg;
  EXPECT_EQ(full.state.AircraftTable.count(), 500);
  PassOneRun past = RunPassOne(flights + FlightBlock("900", "Sq", "Fl", Planes(1, 901)) + MissionEnd());
  EXPECT_EQ(past.state.ErrNo, 68);
  EXPECT_EQ(past.state.AircraftTable.count(), 500);
  EXPECT_EQ(past.state.TagTable.count(), 500);

  std::string divisions;
  for (int d = 1; d <= 500; ++d) divisions += DivisionBlock(std::to_string(d), "Column");
  EXPECT_TRUE(RunPassOne(divisions + MissionEnd()).ok);
  PassOneRun division501 = RunPassOne(divisions + DivisionBlock("501", "Column") + MissionEnd());
  EXPECT_EQ(division501.state.ErrNo, 128);
  EXPECT_EQ(division501.state.DivisionTable.count(), 500);

  // A division that takes the 500th tag is stored; the next tagged object gives 127.
  std::string structures;
  for (int s = 1; s <= 499; ++s) structures += StructureBlock("Hangar", std::to_string(s));
  PassOneRun tagFull = RunPassOne(structures + DivisionBlock("D1", "Column") + MissionEnd());
  ASSERT_TRUE(tagFull.ok);
  EXPECT_EQ(tagFull.state.TagTable.count(), 500);
  PassOneRun tag501 = RunPassOne(structures + DivisionBlock("D1", "Column") + VehicleBlock("Lorry", "77") + MissionEnd());
  EXPECT_EQ(tag501.state.ErrNo, 127);
  EXPECT_EQ(tag501.state.TagTable.count(), 500);
}

TEST(UpdateFlightRecord, UnknownFlightTagGives99) {
  MissionState state;
  AircraftRecord flight;
  flight.TagId = "42";
  bool ok = true;
  UpdateFlightRecord(state, flight, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 99);
  AircraftRecord untagged;
  ok = true;
  AddAircraft(state, untagged, ok);  // an empty tag is never a repeat
  AddAircraft(state, untagged, ok);
  EXPECT_EQ(state.AircraftTable.count(), 2);
  EXPECT_EQ(FindAircraftTag(state, ShortText<5>("42")), 0);
}

}  // namespace
}  // namespace tolvane
