#pragma once
// Builds large, valid missions for the benchmarks: flights with planes and
// waypoint sets, vehicles with waypoints, structures, divisions, bridges and
// triggers that use every check and every action keyword, up to the tables'
// capacities, and padded with comment lines and long display texts to reach
// a wanted size.

#include <cstddef>
#include <string>

namespace tolvane::bench {

struct MissionShape {
  // The defaults fill every table to near its capacity. Aircraft, vehicles,
  // divisions and structures share the 500 entries of the tag table, so
  // they split it: 40 flights of four planes (200 aircraft records), 160
  // vehicles, 40 divisions and 100 structures make 500 tags.
  int Flights = 40;          // four planes each; flight f flies way set f + 1
  int Vehicles = 160;
  int VehicleWaypoints = 240;
  int Structures = 100;
  int Divisions = 40;
  int WaySets = 100;         // the first Flights sets have two waypoints, the others one
  int Triggers = 250;        // two checks and two actions each
  int Bridges = 50;          // bridge checks, one bridge each
  // The text grows to at least this many bytes: half of what is missing as
  // comment lines spread between the blocks, half as longer display texts.
  std::size_t PadToBytes = 0;
  // Or, when not 0, the text grows to exactly this many lines, all of the
  // padding as comment lines spread between the blocks (PadToBytes is then
  // not used).
  std::size_t PadToLines = 0;
  // The mission a ".LOADNEXTMISSION" action names; it must exist in the
  // missions folder the verifier is given.
  std::string NextMission = "next.mis";
};

// A small mission: a few of everything, every keyword still used once.
MissionShape SmallShape();

std::string GenerateMission(const MissionShape& shape);

// The type names the generated missions use, one per line.
std::string GeneratorTypeNames();

// A text for renumbering: `definitions` entities whose tag identifiers are
// out of order (every one changes), then triggers whose checks hold
// `references` tag references to them, then comment lines up to `lines`
// lines when it is longer than what came before. Line ends are "\n", as
// the editor holds them.
std::string RenumberMission(int definitions, int references, std::size_t lines);

}  // namespace tolvane::bench
