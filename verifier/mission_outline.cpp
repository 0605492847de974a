#include "mission_outline.h"

#include <cstdlib>

namespace tolvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The line's keyword (up to the first blank) in upper case, and the rest.
std::string UpperKeyword(std::string_view statement, std::string_view& rest) {
  std::size_t end = 0;
  while (end < statement.size() && !IsBlank(statement[end])) ++end;
  std::string keyword(statement.substr(0, end));
  for (char& c : keyword) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  rest = statement.substr(end);
  return keyword;
}

// A text value: up to two characters before the first ".End", trimmed.
std::string TextValue(std::string_view rest) {
  const std::size_t end = rest.find(".End");
  if (end != std::string_view::npos) rest = rest.substr(0, end >= 1 ? end - 1 : 0);
  return std::string(Trimmed(rest));
}

bool WholeNumber(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return end && *end == '\0';
}

}  // namespace

MissionOutline OutlineMission(std::string_view text) {
  enum class Block { None, Object, Waypoint, Trigger };
  MissionOutline outline;
  Block block = Block::None;
  int blockLine = 0;
  bool triggerNamed = false;
  int lineNo = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = next;
    ++lineNo;
    if (line.size() >= 2 && line[0] == '/' && line[1] == '/') continue;
    std::string_view statement = Trimmed(line);
    if (statement.empty() || statement[0] != '.') continue;
    std::string_view rest;
    const std::string keyword = UpperKeyword(statement, rest);
    if (keyword == ".MISSIONSUMMARY") break;
    if (keyword == ".AGGREGATE" || keyword == ".ENTITY") {
      block = Block::Object;
    } else if (keyword == ".WAYPOINT") {
      block = Block::Waypoint;
      blockLine = lineNo;
    } else if (keyword == ".WAYPOINTVEH") {
      block = Block::None;  // its tag is a reference to the vehicle
    } else if (keyword == ".TRIGGER") {
      block = Block::Trigger;
      blockLine = lineNo;
      triggerNamed = false;
    } else if (block == Block::Object && keyword == ".TAGIDENTIFIER") {
      outline.TagLines.emplace(std::string(Trimmed(rest)), lineNo);
    } else if (block == Block::Waypoint && keyword == ".SET") {
      outline.WaySetLines.emplace(std::string(Trimmed(rest)), blockLine);
    } else if (block == Block::Trigger && !triggerNamed && keyword == ".NAME") {
      triggerNamed = true;
      outline.TriggerLines.emplace(TextValue(rest).substr(0, 30), blockLine);
    }
  }
  return outline;
}

int FindTagLine(const MissionOutline& outline, const std::string& tag) {
  const auto found = outline.TagLines.find(tag);
  if (found != outline.TagLines.end()) return found->second;
  long wanted = 0;
  if (!WholeNumber(tag, wanted)) return 0;
  for (const auto& [text, line] : outline.TagLines) {
    long value = 0;
    if (WholeNumber(text, value) && value == wanted) return line;
  }
  return 0;
}

std::vector<CollectedObject> CollectedObjects(const MissionState& state, const MissionOutline& outline) {
  using Kind = CollectedObject::Kind;
  std::vector<CollectedObject> objects;
  auto tagged = [&](Kind kind, std::string name, const std::string& tag, std::string detail) {
    return CollectedObject{kind, std::move(name), "tag " + tag + (detail.empty() ? "" : ", " + detail),
                           FindTagLine(outline, tag), {}};
  };
  const int aircraft = state.AircraftTable.count();
  for (int i = 1; i <= aircraft; ++i) {
    const AircraftRecord& flight = state.AircraftTable[i];
    if (flight.TypeName.str() != "Flight") continue;
    CollectedObject entry = tagged(Kind::Flight, flight.SquadName.str() + " / " + flight.FlightName.str(),
                                   flight.TagId.str(), "way set " + flight.WaySet.str());
    for (int k = 1; k <= aircraft; ++k) {
      const AircraftRecord& plane = state.AircraftTable[k];
      if (k == i || plane.TypeName.str() == "Flight" || plane.FlightTag.str() != flight.TagId.str()) continue;
      const std::string name = plane.Callsign.empty() ? plane.TypeName.str() : plane.Callsign.str();
      entry.Children.push_back(tagged(Kind::Plane, name, plane.TagId.str(), plane.TypeName.str()));
    }
    objects.push_back(std::move(entry));
  }
  for (int i = 1; i <= state.VehicleTable.count(); ++i) {
    const VehicleRecord& vehicle = state.VehicleTable[i];
    objects.push_back(tagged(Kind::Vehicle, vehicle.TypeName.str(), vehicle.TagId.str(), ""));
  }
  for (int i = 1; i <= state.DivisionTable.count(); ++i) {
    const DivisionRecord& division = state.DivisionTable[i];
    objects.push_back(tagged(Kind::Division, division.Name.str(), division.TagId.str(), ""));
  }
  for (int i = 1; i <= state.StructureTable.count(); ++i) {
    const StructureRecord& structure = state.StructureTable[i];
    objects.push_back(tagged(Kind::Structure, structure.TypeName.str(), structure.TagId.str(), ""));
  }
  for (int i = 1; i <= state.WaySetTable.count(); ++i) {
    const WaySetRecord& set = state.WaySetTable[i];
    const auto line = outline.WaySetLines.find(set.SetText.str());
    objects.push_back({Kind::WaySet, "Way set " + set.SetText.str(), std::to_string(set.WaypointCount) + " waypoints",
                       line == outline.WaySetLines.end() ? 0 : line->second, {}});
  }
  for (int i = 1; i <= state.TriggerTable.count(); ++i) {
    const TriggerRecord& trigger = state.TriggerTable[i];
    const auto line = outline.TriggerLines.find(trigger.TriggerName.str());
    objects.push_back({Kind::Trigger, trigger.TriggerName.str(), trigger.LinkedTrigger.str(),
                       line == outline.TriggerLines.end() ? 0 : line->second, {}});
  }
  return objects;
}

}  // namespace tolvane
