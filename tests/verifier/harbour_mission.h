#pragma once
// A valid mission for the trigger tests, with the first trigger's body
// replaceable: Kestrel Wing / Red Section (tag 100; planes 101 "Red One" and
// 102 "Red Two" on waypoint set 3 of four waypoints), Heron Group / Blue
// Section (tag 200; plane 201 "Blue One", no set), lorry 300 on vehicle set 5
// (vehicle waypoint tag 301), division 400 "Harbour Guard", warehouse 500, the
// bridge "Old Mill Bridge", and the triggers "Harbour Alarm" and "Convoy Lost".

#include <string>
#include <string_view>
#include <vector>

#include "mission_builder.h"
#include "mission_state.h"
#include "verify.h"

namespace tolvane::harbour {

using namespace tolvane::builder;

inline const std::vector<std::string>& HarbourTypeNames() {
  static const std::vector<std::string> names = {"Hawkmoth", "Stormcrow", "Lorry", "Halftrack", "Warehouse"};
  return names;
}

// Splits "a|b|c" into its lines.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = text.find('|', start);
    lines.emplace_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return lines;
}

// The objects of the mission, before its triggers.
inline std::string HarbourObjects() {
  return WaypointBlock("3", "1") + WaypointBlock("3", "2") + WaypointBlock("3", "3") + WaypointBlock("3", "4") +
         FlightBlock("100", "Kestrel Wing", "Red Section",
                     {{"Hawkmoth", "101", "3", "Red One"}, {"Hawkmoth", "102", "3", "Red Two"}}) +
         FlightBlock("200", "Heron Group", "Blue Section", {{"Stormcrow", "201", "49", "Blue One"}}) +
         DivisionBlock("400", "Harbour Guard") + VehicleBlock("Lorry", "300", "5") +
         VehicleWaypointBlock("301", "5", "1") + StructureBlock("Warehouse", "500");
}

// The second trigger: it names the bridge, so pass one lists it.
inline std::string ConvoyLostTrigger() {
  return TriggerBlock("Convoy Lost", {".Check", ".OBJECTDAMAGED", ".BridgeName Old Mill Bridge .EndString",
                                      ".Amount 100", ".EndCheck", ".Action", ".ENDSIM", ".EndAction"});
}

// The whole mission with the given lines between the first trigger's name
// and its ".EndTrigger".
inline std::string HarbourMission(const std::vector<std::string>& body) {
  return HarbourObjects() + TriggerBlock("Harbour Alarm", body) + ConvoyLostTrigger() + MissionEnd();
}

// A body of one check block ("KEYWORD|statement|...|.EndCheck", the lines
// after ".Check") and one action that ends the mission.
inline std::vector<std::string> CheckBody(std::string_view checkBlock) {
  std::vector<std::string> body = {".Check"};
  for (std::string& line : SplitLines(checkBlock)) body.push_back(std::move(line));
  body.insert(body.end(), {".Action", ".ENDSIM", ".EndAction"});
  return body;
}

// The tables as pass one fills them from the mission (its first trigger a time
// check), with the mission's type names loaded and no next mission to be found.
inline void FillTables(MissionState& state) {
  static const MissionFolderEnvironment environment = [] {
    TypeNameList names;
    for (const std::string& name : HarbourTypeNames()) names.TypeNameTable.emplace_back(name);
    names.TypeNamesLoaded = true;
    return MissionFolderEnvironment(names, "/nonexistent-missions");
  }();
  PassOneRun run = RunPassOne(HarbourMission(CheckBody(".TIME 5|.EndCheck")), HarbourTypeNames());
  state = std::move(run.state);
  state.Environment = &environment;
}

struct Verdict {
  bool ok = false;
  int code = -1;
  int line = 0;
  int pass = 0;
  std::string statement;
};

// Both passes over the text, with the mission's type names loaded.
inline Verdict VerifyText(const std::string& text) {
  TypeNameList names;
  for (const std::string& name : HarbourTypeNames()) names.TypeNameTable.emplace_back(name);
  names.TypeNamesLoaded = true;
  MissionState state;
  const VerifyResult result = VerifyMissionBytes(state, MissionFolderEnvironment(names, ""), text);
  return {result.MissionOk, state.ErrNo, state.LineNo, result.LastPass, result.LocateText};
}

}  // namespace tolvane::harbour
