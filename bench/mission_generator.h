#pragma once
// Builds large, valid missions for the benchmarks: flights with planes and
// waypoint sets, vehicles with waypoints, structures, divisions and triggers,
// repeated up to the tables' capacities and padded with comments and notes to
// reach a wanted size.

#include <cstddef>
#include <string>

namespace tolvane::bench {

struct MissionShape {
  // The defaults stay inside every table's capacity: 30 flights of four
  // planes with three waypoints each fill 450 of the 600 flight waypoints.
  int Flights = 30;             // four planes each
  int Vehicles = 150;
  int Structures = 150;
  int Divisions = 40;
  int Triggers = 100;
  std::size_t PadToBytes = 0;   // comment lines added until the text is this long
};

std::string GenerateMission(const MissionShape& shape);

// The type names the generated missions use, one per line.
std::string GeneratorTypeNames();

}  // namespace tolvane::bench
