#include "mission_generator.h"

#include <string_view>
#include <vector>

namespace tolvane::bench {

namespace {

std::string N(int value) { return std::to_string(value); }

const char* const kVehicleTypes[] = {"Lorry 3t", "Half Track", "Field Gun", "Scout Car"};
constexpr int kVehicleTypeCount = 4;

// What one check or action block refers to, chosen per trigger.
struct Subjects {
  std::string Squad, Flight, Plane, Squad2, Flight2;
  int FlightTag, PlaneTag, StructureTag, VehicleTag, DivisionTag, WaySet;
  std::string Division, VehicleType, OtherTrigger, NextMission;
};

// A check block, its keyword line first. Names stand as {SQUAD} and the like.
const char* const kChecks[] = {
    ".TIME 30",
    ".FLIGHTCLOSETOTARGET\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.TagIdentifier {STAG}\n"
    ".Distance 6000",
    ".PLANEREACHED\n.TagIdentifier {PTAG}\n.Waypoint 2",
    ".FLIGHTREACHED\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Waypoint 2",
    ".REACHEDMINALT\n.TagIdentifier {PTAG}\n.Altitude 1000",
    ".REACHEDMAXALT\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Plane {PLANE} .EndString\n"
    ".Altitude 4000",
    ".REACHEDMINSPEED\n.TagIdentifier {PTAG}\n.Speed 200",
    ".REACHEDMAXSPEED\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Plane {PLANE} .EndString\n"
    ".Speed 450",
    ".PLANEDAMAGED\n.TagIdentifier {PTAG}\n.Amount 30",
    ".OBJECTDAMAGED\n.TagIdentifier {STAG}\n.Amount 75",
    ".OBJECTNOTDAMAGED\n.TagIdentifier {STAG}\n.Amount 10",
    ".PLANENOTDAMAGED\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Plane {PLANE} .EndString\n"
    ".Amount 10",
    ".PLANESREMAINING\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Amount 1",
    ".PLANESALIVEMO\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Amount 2",
    ".DIVISIONHEALTHGREATERTHAN\n.Division {DIV} .EndString\n.Amount 50",
    ".DIVISIONHEALTHLESSTHAN\n.Division {DIV} .EndString\n.Amount 90",
    ".ALLIEDVEHICLESDESTROYED\n.Type {VTYPE} .EndString\n.Number 1",
    ".AXISVEHICLESDESTROYED\n.Type {VTYPE} .EndString\n.Number 1",
    ".DIVISIONVEHICLESDESTROYED\n.Division {DIV} .EndString\n.Type {VTYPE} .EndString\n.Number 2",
    ".ALLMOCOMPLETED",
    ".UNITSDESTROYED\n.Type {VTYPE} .EndString\n.Number 3",
    ".FUELLEVEL\n.TagIdentifier {PTAG}\n.Amount 25",
    ".RANDOM 75",
    ".FLIGHTCLOSETOFLIGHT\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Squad {SQUAD2} .EndString\n"
    ".Flight {FLIGHT2} .EndString\n.Distance 2000",
    ".CLOSETOTARGET\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Plane {PLANE} .EndString\n"
    ".TagIdentifier {STAG}\n.Distance 3000",
    ".FLIGHTCLOSETODIVISION\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.TagIdentifier {DTAG}\n"
    ".Distance 1000",
    ".PLANESREMAININGINSQUAD\n.Squad {SQUAD} .EndString\n.Amount 1",
    ".PLANESALIVEINSQUADMO\n.Squad {SQUAD} .EndString\n.Amount 2",
};

// An action block; {TEXT} is a display text, which may run over many lines.
const char* const kActions[] = {
    ".CHANGEFLIGHTWAYPOINT\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Waypoint 2",
    ".CHANGEWAYSET\n.TagIdentifier {FTAG}\n.WaySet {SET}",
    ".PLAYSOUND\n.SoundID 4",
    ".PLAYEFFECT\n.Effect 3",
    ".DISPLAYTEXT\n.StartString {TEXT} .EndString",
    ".DISPLAYSCROLLINGTEXT\n.TimeDuration 8.5\n.RightCorner 1",
    ".DISPLAYFADINGTEXT\n.StartString Well done {FLIGHT} .EndString\n.Xpos 0.5\n.Ypos 0.3",
    ".DISPLAYLOGO",
    ".ENDSIM",
    ".DAMAGEOBJ\n.TagIdentifier {STAG}\n.Amount 60",
    ".DAMAGEPLANE\n.Squad {SQUAD} .EndString\n.Flight {FLIGHT} .EndString\n.Plane {PLANE} .EndString\n.Amount 40",
    ".DAMAGEDIVISION\n.Division {DIV} .EndString\n.Amount 25",
    ".AWAKEOBJ\n.TagIdentifier {VTAG}\n.Placement\n.TagIdentifier {STAG}\n.Angle 45\n.Distance 800\n"
    ".RelativeOrientation TOWARDS",
    ".TRIGGERATRIGGER\n.TriggerName {TRIGGER} .EndString",
    ".BRAINSET\n.TagIdentifier {FTAG}\n.Brain On",
    ".CHANGESIDE\n.TagIdentifier {FTAG}",
    ".PARACHUTEDROP\n.TagIdentifier {FTAG}\n.Number 12",
    ".STARTCINEMA\n.CamType 1\n.TagIdentifier {PTAG}\n.Yaw 180\n.Pitch -15\n.Dist 250",
    ".CHANGECAM\n.CamType 2\n.TagIdentifier {DTAG}",
    ".ROTATECAMYAW\n.StartYaw 180\n.EndYaw 270\n.Time 6",
    ".ROTATECAMPITCH\n.StartPitch -15\n.EndPitch 5\n.Time 4",
    ".MOVECAMDIST\n.StartDist 250\n.EndDist 120\n.Time 4",
    ".ENDCINEMA",
    ".LOADNEXTMISSION\n.MissionName {NEXT} .EndString",
};

constexpr int kCheckCount = sizeof kChecks / sizeof kChecks[0];
constexpr int kActionCount = sizeof kActions / sizeof kActions[0];
constexpr int kDisplayTextAction = 4;

// A line of prose for the long display texts and the notes: no dots, so it
// holds no keyword.
const char kProse[] =
    "Notes for the crews: keep low over the estuary, watch the cloud line and come home by the lighthouse";

void Replace(std::string& text, std::string_view name, const std::string& value) {
  for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size())) {
    text.replace(at, name.size(), value);
  }
}

// Writes a block with CR LF line ends, its names filled in.
void AddBlock(std::string& out, const char* block, const Subjects& s, const std::string& displayText) {
  std::string text = block;
  Replace(text, "{SQUAD2}", s.Squad2);
  Replace(text, "{FLIGHT2}", s.Flight2);
  Replace(text, "{SQUAD}", s.Squad);
  Replace(text, "{FLIGHT}", s.Flight);
  Replace(text, "{PLANE}", s.Plane);
  Replace(text, "{FTAG}", N(s.FlightTag));
  Replace(text, "{PTAG}", N(s.PlaneTag));
  Replace(text, "{STAG}", N(s.StructureTag));
  Replace(text, "{VTAG}", N(s.VehicleTag));
  Replace(text, "{DTAG}", N(s.DivisionTag));
  Replace(text, "{SET}", N(s.WaySet));
  Replace(text, "{DIV}", s.Division);
  Replace(text, "{VTYPE}", s.VehicleType);
  Replace(text, "{TRIGGER}", s.OtherTrigger);
  Replace(text, "{NEXT}", s.NextMission);
  Replace(text, "{TEXT}", displayText);
  Replace(text, "\n", "\r\n");
  out += text;
  out += "\r\n";
}

// A display text of at least extraBytes more than its first words, in
// lines of prose.
std::string DisplayText(std::size_t extraBytes) {
  std::string text = "Hold the line";
  for (std::size_t added = 0; added < extraBytes; added += sizeof kProse + 1) {
    text += "\r\n";
    text += kProse;
  }
  return text;
}

// How the padding is laid out: comment lines after every block, and extra
// bytes in every long display text.
struct Padding {
  std::size_t CommentLinesPerBlock = 0;
  std::size_t DisplayTextBytes = 0;
};

// The text and the number of blocks between which comments are placed.
struct Generated {
  std::string Text;
  std::size_t Blocks = 0;
  std::size_t DisplayTexts = 0;
};

void EndBlock(Generated& g, const Padding& padding) {
  ++g.Blocks;
  for (std::size_t i = 0; i < padding.CommentLinesPerBlock; ++i) {
    g.Text += "// ";
    g.Text += kProse;
    g.Text += "\r\n";
  }
}

Generated Generate(const MissionShape& shape, const Padding& padding) {
  Generated g;
  std::string& out = g.Text;
  out += "// Generated mission for the benchmarks\r\n";

  // Way sets: two waypoints each.
  for (int set = 1; set <= shape.WaySets; ++set) {
    for (int id = 1; id <= 2; ++id) {
      out += ".WAYPOINT\r\n.Set " + N(set) + "\r\n.ID " + N(id) + "\r\n.PositionX 100\r\n.PositionY 200\r\n";
      out += ".Altitude 300\r\n.Speed 250\r\n.EndWayPoint\r\n";
      EndBlock(g, padding);
    }
  }

  // Flights: tag 1 + 5f, planes the four tags after it.
  for (int f = 0; f < shape.Flights; ++f) {
    const int tag = 1 + 5 * f;
    out += ".AGGREGATE\r\n.Type Flight\r\n.TagIdentifier " + N(tag) + "\r\n";
    out += f % 2 ? ".Side Axis\r\n.Nation German\r\n" : ".Side Allied\r\n.Nation British\r\n";
    out += ".Info\r\n.SquadName Squad " + N(f) + "\r\n.EndSquadName\r\n.FlightName Flight " + N(f) +
           "\r\n.EndFlightName\r\n.EndInfo\r\n";
    for (int plane = 1; plane <= 4; ++plane) {
      out += ".Entity\r\n.Type Hurrier\r\n.TagIdentifier " + N(tag + plane) + "\r\n.PlaneAI 1\r\n";
      out += ".PlaneWayPoints " + N(f % shape.WaySets + 1) + "\r\n.Callsign Red " + N(plane) + "\r\n";
      out += ".PositionX 1200.5\r\n.PositionY 300\r\n.PositionZ 4500\r\n.Yaw 90\r\n.EndEntity\r\n";
    }
    out += ".EndAggregate\r\n";
    EndBlock(g, padding);
  }

  int tag = 1 + 5 * shape.Flights;
  const int firstVehicle = tag;
  for (int v = 0; v < shape.Vehicles; ++v) {
    out += ".ENTITY\r\n.Type " + std::string(kVehicleTypes[v % kVehicleTypeCount]) + "\r\n.TagIdentifier " +
           N(tag++) + "\r\n.VehicleAI 1\r\n";
    out += ".VehicleWayPoints " + N(v % 24 + 1) + "\r\n.PositionX 10\r\n.PositionY 20\r\n.Speed 30\r\n.EndEntity\r\n";
    EndBlock(g, padding);
  }
  for (int w = 0; w < shape.VehicleWaypoints && shape.Vehicles > 0; ++w) {
    out += ".WAYPOINTVEH\r\n.TagIdentifier " + N(firstVehicle + w % shape.Vehicles) + "\r\n.Set " + N(w / 10 + 1) +
           "\r\n.ID " + N(w % 10 + 1) + "\r\n.PositionX 5\r\n.PositionY 6\r\n.EndWayPoint\r\n";
    EndBlock(g, padding);
  }
  const int firstStructure = tag;
  for (int s = 0; s < shape.Structures; ++s) {
    out += ".ENTITY\r\n.Type Hangar\r\n.TagIdentifier " + N(tag++) + "\r\n.PositionX 77\r\n.PositionY 1\r\n.EndEntity\r\n";
    EndBlock(g, padding);
  }
  const int firstDivision = tag;
  for (int d = 0; d < shape.Divisions; ++d) {
    out += ".AGGREGATE\r\n.Type Division\r\n.TagIdentifier " + N(tag++) + "\r\n.Side Axis\r\n.Name Column " + N(d) +
           "\r\n.EndName\r\n.EndAggregate\r\n";
    EndBlock(g, padding);
  }

  // Triggers: the last ones each watch a bridge; the others take the check
  // and action keywords in turn, two of each.
  const int regular = shape.Triggers - shape.Bridges;
  for (int t = 0; t < shape.Triggers; ++t) {
    const int f = t % shape.Flights;
    const int other = (t + 1) % shape.Flights;
    Subjects s;
    s.Squad = "Squad " + N(f);
    s.Flight = "Flight " + N(f);
    s.Plane = "Red " + N(t % 4 + 1);
    s.Squad2 = "Squad " + N(other);
    s.Flight2 = "Flight " + N(other);
    s.FlightTag = 1 + 5 * f;
    s.PlaneTag = s.FlightTag + 1 + t % 4;
    s.StructureTag = firstStructure + t % shape.Structures;
    s.VehicleTag = firstVehicle + t % shape.Vehicles;
    s.DivisionTag = firstDivision + t % shape.Divisions;
    // Every flight's set has two waypoints, so any other set will do.
    s.WaySet = other % shape.WaySets + 1;
    s.Division = "Column " + N(t % shape.Divisions);
    s.VehicleType = kVehicleTypes[t % kVehicleTypeCount];
    s.OtherTrigger = "Watch " + N((t + 1) % shape.Triggers);
    s.NextMission = shape.NextMission;

    out += ".Trigger\r\n";
    if (t % 10 == 0) out += ".MISSIONOBJECTIVE\r\n";
    out += ".Name Watch " + N(t) + " .EndString\r\n";
    if (t >= regular) {
      // What follows a bridge reference is read at the top level by the
      // first pass, so these blocks hold nothing but keyword lines.
      out += ".Check\r\n.OBJECTNOTDAMAGED\r\n.BridgeName Bridge " + N(t - regular) +
             " .EndString\r\n.Amount 10\r\n.EndCheck\r\nAND\r\n.Check\r\n.TIME 30\r\n.EndCheck\r\n";
      out += ".Action\r\n.PLAYSOUND\r\n.SoundID 4\r\n.EndAction\r\n.Action\r\n.PLAYEFFECT\r\n.Effect 3\r\n.EndAction\r\n";
    } else {
      for (int c = 0; c < 2; ++c) {
        if (c == 1) out += t % 2 ? "OR\r\n" : "AND\r\n";
        out += ".Check\r\n";
        AddBlock(out, kChecks[(2 * t + c) % kCheckCount], s, std::string());
        out += ".EndCheck\r\n";
      }
      for (int a = 0; a < 2; ++a) {
        const int action = (2 * t + a) % kActionCount;
        out += ".Action\r\n";
        std::string text;
        if (action == kDisplayTextAction) {
          text = DisplayText(padding.DisplayTextBytes);
          ++g.DisplayTexts;
        }
        AddBlock(out, kActions[action], s, text);
        out += ".EndAction\r\n";
      }
    }
    out += ".EndTrigger\r\n";
    EndBlock(g, padding);
  }
  return g;
}

std::size_t CountLines(const std::string& text) {
  std::size_t lines = 0;
  for (const char c : text) lines += c == '\n';
  return lines;
}

void AddComment(std::string& out, const char* lineEnd) {
  out += "// ";
  out += kProse;
  out += lineEnd;
}

}  // namespace

MissionShape SmallShape() {
  MissionShape shape;
  shape.Flights = 4;
  shape.Vehicles = 6;
  shape.VehicleWaypoints = 10;
  shape.Structures = 4;
  shape.Divisions = 3;
  shape.WaySets = 6;
  shape.Triggers = 16;  // 14 regular triggers take every check and action keyword
  shape.Bridges = 2;
  return shape;
}

std::string GenerateMission(const MissionShape& shape) {
  // The summary and the end: three lines.
  constexpr std::size_t kClosingLines = 3;
  Generated g = Generate(shape, Padding{});
  if (shape.PadToLines > 0) {
    const std::size_t body = shape.PadToLines > kClosingLines ? shape.PadToLines - kClosingLines : 0;
    std::size_t lines = CountLines(g.Text);
    if (lines < body) {
      Padding padding;
      padding.CommentLinesPerBlock = (body - lines) / (g.Blocks ? g.Blocks : 1);
      g = Generate(shape, padding);
      for (lines = CountLines(g.Text); lines < body; ++lines) AddComment(g.Text, "\r\n");
    }
  } else if (g.Text.size() < shape.PadToBytes) {
    // Half of what is missing goes into comment lines after every block, the
    // other half into the display texts.
    const std::size_t missing = shape.PadToBytes - g.Text.size();
    const std::size_t commentLine = sizeof kProse + 4;
    Padding padding;
    padding.CommentLinesPerBlock = missing / 2 / commentLine / (g.Blocks ? g.Blocks : 1);
    if (g.DisplayTexts > 0) padding.DisplayTextBytes = missing / 2 / g.DisplayTexts;
    g = Generate(shape, padding);
  }
  std::string& out = g.Text;
  if (shape.PadToLines == 0)
    while (out.size() < shape.PadToBytes) AddComment(out, "\r\n");
  out += ".MissionSummary\r\nGenerated.\r\n.EndMission\r\n";
  return out;
}

std::string RenumberMission(int definitions, int references, std::size_t lines) {
  std::string text = "// Generated text for renumbering\n";
  for (int i = 0; i < definitions; ++i) {
    text += ".ENTITY\n.Type Lighthouse\n.TagIdentifier " + N(3 * (definitions - i)) + "\n.EndEntity\n";
  }
  // Two references a trigger.
  for (int i = 0; i < references; i += 2) {
    text += ".Trigger\n.Name Watch " + N(i / 2) + " .EndString\n.Check\n.OBJECTDAMAGED\n.TagIdentifier " +
            N(3 * (1 + i % definitions)) + "\n.Amount 5\n.EndCheck\n";
    if (i + 1 < references)
      text += "AND\n.Check\n.OBJECTNOTDAMAGED\n.TagIdentifier " + N(3 * (1 + (i + 1) % definitions)) +
              "\n.Amount 10\n.EndCheck\n";
    text += ".Action\n.ENDSIM\n.EndAction\n.EndTrigger\n";
  }
  constexpr std::size_t kClosingLines = 3;
  for (std::size_t n = CountLines(text); n + kClosingLines < lines; ++n) AddComment(text, "\n");
  return text + ".MissionSummary\nA large invented mission.\n.EndMission\n";
}

std::string GeneratorTypeNames() {
  std::string names = "Hurrier\r\nHangar\r\n";
  for (const char* type : kVehicleTypes) {
    names += type;
    names += "\r\n";
  }
  return names;
}

}  // namespace tolvane::bench
