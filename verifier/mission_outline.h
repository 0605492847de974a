#pragma once
// Where the objects of a mission are written: one pass over the text that
// notes, for each tag identifier given in an aggregate or entity block, the
// line of that ".TagIdentifier" statement; for each way set the line of its
// first waypoint block; for each trigger the line of its ".Trigger"
// statement. Front ends put these lines beside what the verifier collected
// (the object tables carry no lines) to point at an object.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "mission_state.h"

namespace tolvane {

struct MissionOutline {
  std::map<std::string, int> TagLines;      // tag text as written (trimmed) -> line of its definition
  std::map<std::string, int> WaySetLines;   // ".Set" value -> line of the first ".WAYPOINT" with it
  std::map<std::string, int> TriggerLines;  // trigger name (first 30 characters) -> line of ".Trigger"
};

// Lines are counted as the verifier counts them (1-based; LF or CR LF). The
// scan stops at ".MissionSummary", where the objects end.
MissionOutline OutlineMission(std::string_view text);

// The line that defines the tag, 0 when none: by its text, or else by its
// value as a whole number ("007" finds "7").
int FindTagLine(const MissionOutline& outline, const std::string& tag);

// One object the verifier collected, with the line that defines it (0 when
// the text does not show it).
struct CollectedObject {
  enum class Kind { Flight, Plane, Vehicle, Division, Structure, WaySet, Trigger };
  Kind ObjectKind;
  std::string Name;    // 8-bit text, for the user
  std::string Detail;  // 8-bit text: the tag, type, count of waypoints
  int Line = 0;
  std::vector<CollectedObject> Children;  // a flight's planes
};

// The flights (with their planes), vehicles, divisions, structures, way sets
// and triggers of the tables, in that order, each in table order.
std::vector<CollectedObject> CollectedObjects(const MissionState& state, const MissionOutline& outline);

}  // namespace tolvane
