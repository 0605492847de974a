#include "mission_generator.h"

namespace tolvane::bench {

namespace {

std::string N(int value) { return std::to_string(value); }

void AddFlight(std::string& out, int flight, int firstTag) {
  const int set = flight % 50 + 1;
  out += ".AGGREGATE\r\n.Type Flight\r\n.TagIdentifier " + N(firstTag) + "\r\n";
  out += ".SquadName Squad " + N(flight) + "\r\n.FlightName Flight " + N(flight) + "\r\n";
  out += ".Side Allied\r\n.Nation British\r\n.EndInfo\r\n.Entity\r\n";
  for (int plane = 1; plane <= 4; ++plane) {
    if (plane > 1) out += ".Entity\r\n";
    out += ".Type Hurrier\r\n.TagIdentifier " + N(firstTag + plane) + "\r\n.PlaneAI 1\r\n";
    out += ".PlaneWayPoints " + N(set) + "\r\n.Callsign Red " + N(plane) + "\r\n";
    out += ".PositionX 1200.5\r\n.PositionY 300\r\n.PositionZ 4500\r\n.Yaw 90\r\n.EndEntity\r\n";
  }
  out += ".EndAggregate\r\n";
}

}  // namespace

std::string GenerateMission(const MissionShape& shape) {
  std::string out;
  out += "// Generated mission for the benchmarks\r\n";
  int tag = 1;
  for (int set = 1; set <= 50; ++set) {
    for (int id = 1; id <= 3; ++id) {
      out += ".WAYPOINT\r\n.Set " + N(set) + "\r\n.ID " + N(id) + "\r\n.PositionX 100\r\n.PositionY 200\r\n";
      out += ".PositionZ 300\r\n.Speed 250\r\n.EndWayPoint\r\n";
    }
  }
  for (int f = 0; f < shape.Flights; ++f) {
    AddFlight(out, f, tag);
    tag += 5;
  }
  for (int v = 0; v < shape.Vehicles; ++v) {
    out += ".ENTITY\r\n.Type Lorry 3t\r\n.TagIdentifier " + N(tag++) + "\r\n.VehicleAI 1\r\n";
    out += ".VehicleWayPoints " + N(v % 20 + 1) + "\r\n.PositionX 10\r\n.EndEntity\r\n";
  }
  for (int w = 0; w < 200; ++w) {
    out += ".WAYPOINTVEH\r\n.TagIdentifier " + N(tag - 1) + "\r\n.Set " + N(w / 10 + 1) + "\r\n.ID " +
           N(w % 10 + 1) + "\r\n.PositionX 5\r\n.EndWayPoint\r\n";
  }
  for (int s = 0; s < shape.Structures; ++s) {
    out += ".ENTITY\r\n.Type Hangar\r\n.TagIdentifier " + N(tag++) + "\r\n.PositionX 77\r\n.PositionY 1\r\n.EndEntity\r\n";
  }
  for (int d = 0; d < shape.Divisions; ++d) {
    out += ".AGGREGATE\r\n.Type Division\r\n.TagIdentifier " + N(tag++) + "\r\n.Name Column " + N(d) +
           "\r\n.Side Axis\r\n.EndAggregate\r\n";
  }
  for (int t = 0; t < shape.Triggers; ++t) {
    out += ".Trigger\r\n.Name Watch " + N(t) + " .EndString\r\n.Check\r\n.TIME 30\r\n.EndCheck\r\n";
    out += ".Action\r\n.AWAKEOBJ\r\n.TagIdentifier 1\r\n.EndAction\r\n.EndTrigger\r\n";
  }
  while (out.size() < shape.PadToBytes) {
    out += "// padding: a long comment line that the reader skips, as authors leave notes in big missions\r\n";
  }
  out += ".MissionSummary\r\nGenerated.\r\n.EndMission\r\n";
  return out;
}

std::string GeneratorTypeNames() { return "Hurrier\r\nLorry 3t\r\nHangar\r\n"; }

}  // namespace tolvane::bench
