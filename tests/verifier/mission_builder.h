#pragma once
// Small helpers for verifier tests: mission texts built from parts, and a
// pass-one run over such a text held in memory.
//
//   std::string text = Lines({".WAYPOINT", ".Set 3", ".ID 1", ".EndWayPoint"}) +
//                      FlightBlock("10", "Kestrel Wing", "Blue Section", {{"Gannet", "11", "3", "Kestrel 1"}}) +
//                      MissionEnd();
//   PassOneRun run = RunPassOne(text);
//   EXPECT_TRUE(run.ok) << run.state.ErrMsg << " at " << run.state.LineNo;
//
// Every line ends with CR LF, as the editor writes it. All names used by the
// blocks are invented for the tests.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "mission_file.h"
#include "mission_state.h"
#include "pass_one.h"
#include "verifier_environment.h"

namespace tolvane::builder {

// Each line followed by CR LF.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The close of a mission: the summary section and the final ".EndMission".
inline std::string MissionEnd() { return Lines({".MissionSummary", "An invented mission for the tests.", ".EndMission"}); }

// One plane of a flight: the five statements read by position after ".Entity"
// (type, tag, AI, waypoint set, callsign), then a position and ".EndEntity".
struct PlaneSpec {
  std::string type;
  std::string tag;
  std::string waySet;
  std::string callsign;
};

// A flight aggregate with its info section and planes.
inline std::string FlightBlock(const std::string& tag, const std::string& squad, const std::string& flight,
                               const std::vector<PlaneSpec>& planes) {
  std::string text = Lines({".AGGREGATE", ".Type Flight"});
  text += Lines({".TagIdentifier " + tag, ".Side Allied", ".Nation British", ".Info", ".SquadName " + squad,
                 ".EndSquadName", ".FlightName " + flight, ".EndFlightName", ".Spread", ".EndInfo"});
  for (const PlaneSpec& plane : planes) {
    text += Lines({".Entity", ".Type " + plane.type, ".TagIdentifier " + plane.tag, ".PlaneAI 1",
                   ".PlaneWayPoints " + plane.waySet, ".Callsign " + plane.callsign, ".PositionX 1500.5",
                   ".PositionY 320", ".Yaw 90", ".EndEntity"});
  }
  return text + Lines({".EndAggregate"});
}

// A division aggregate.
inline std::string DivisionBlock(const std::string& tag, const std::string& name) {
  return Lines({".AGGREGATE", ".Type Division", ".TagIdentifier " + tag, ".Side Axis", ".Name " + name, ".EndName",
                ".EndAggregate"});
}

// A vehicle entity; an empty set leaves out its ".VehicleWayPoints" line.
inline std::string VehicleBlock(const std::string& type, const std::string& tag, const std::string& waySet = "") {
  std::vector<std::string> lines = {".ENTITY", ".Type " + type, ".TagIdentifier " + tag, ".VehicleAI 1"};
  if (!waySet.empty()) lines.push_back(".VehicleWayPoints " + waySet);
  lines.push_back(".PositionX 40.25");
  lines.push_back(".EndEntity");
  return Lines(lines);
}

// A structure entity.
inline std::string StructureBlock(const std::string& type, const std::string& tag) {
  return Lines({".ENTITY", ".Type " + type, ".TagIdentifier " + tag, ".PositionX 812.5", ".PositionY 64",
                ".EndEntity"});
}

// A flight waypoint block.
inline std::string WaypointBlock(const std::string& set, const std::string& id) {
  return Lines({".WAYPOINT", ".Set " + set, ".ID " + id, ".PositionX 100", ".PositionY 200", ".Speed 180",
                ".EndWayPoint"});
}

// A vehicle waypoint block; an empty tag leaves out its ".TagIdentifier" line.
inline std::string VehicleWaypointBlock(const std::string& tag, const std::string& set, const std::string& id) {
  std::vector<std::string> lines = {".WAYPOINTVEH"};
  if (!tag.empty()) lines.push_back(".TagIdentifier " + tag);
  lines.push_back(".Set " + set);
  lines.push_back(".ID " + id);
  lines.push_back(".PositionX 5");
  lines.push_back(".EndWayPoint");
  return Lines(lines);
}

// A trigger block: ".Trigger", the name with its end marker, the body lines
// as given, ".EndTrigger".
inline std::string TriggerBlock(const std::string& name, const std::vector<std::string>& body) {
  std::vector<std::string> lines = {".Trigger", ".Name " + name + " .EndString"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back(".EndTrigger");
  return Lines(lines);
}

// A body of one time check and one action of the given kind (its lines
// between ".Action" and ".EndAction").
inline std::vector<std::string> CheckAndAction(const std::vector<std::string>& actionLines) {
  std::vector<std::string> body = {".Check", ".TIME 30", ".EndCheck", ".Action"};
  body.insert(body.end(), actionLines.begin(), actionLines.end());
  body.push_back(".EndAction");
  return body;
}

// The outcome of pass one over a text.
struct PassOneRun {
  MissionState state;
  bool ok = false;
  std::string statement;  // the last statement read (the editor's LocateText)
};

// Runs pass one over the text as the Verify command would: code and line
// start at 0. The type names, when given, are what the program loaded.
inline PassOneRun RunPassOne(std::string text, const std::vector<std::string>& typeNames = {}) {
  PassOneRun run;
  TypeNameList names;
  for (const std::string& name : typeNames) names.TypeNameTable.emplace_back(name);
  names.TypeNamesLoaded = !typeNames.empty();
  const MissionFolderEnvironment environment(names, "");
  run.state.Environment = &environment;
  run.state.ErrNo = 0;
  run.state.LineNo = 0;
  MissionFile file;
  file.OpenBytes(std::move(text));
  run.ok = true;
  PassOne(run.state, file, run.ok, run.statement);
  run.state.Environment = nullptr;
  return run;
}

}  // namespace tolvane::builder
