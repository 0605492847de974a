#include "action_validators.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "reference_lookups.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// One action block as it is being read: the open file, the statement in hand
// and the verdict. Every step answers the verdict, so a validator reads as a
// chain of steps that stops at the first one failing. The steps that examine a
// statement first read the next statement of the block; the match steps read
// nothing.
class ActionBlock {
 public:
  ActionBlock(MissionState& state, MissionFile& file, std::string& statement, bool& ok)
      : state(state), file(file), statement(statement), ok(ok) {}

  MissionState& state;
  MissionFile& file;
  std::string& statement;
  bool& ok;

  bool Fails(int code) {
    Fail(state, ok, code);
    return false;
  }

  // The next statement of the block; a reader failure ends the action with the
  // reader's own code.
  bool Read() {
    ReadStatement(state, file, statement, ok);
    return ok;
  }

  // The statement in hand begins with the keyword (or its other spelling, of
  // the same length): the keyword goes and the rest is trimmed.
  bool KeywordInHand(std::string_view keyword, int code, std::string_view spelling = {}) {
    if (!BeginsWith(statement, keyword) && (spelling.empty() || !BeginsWith(statement, spelling))) {
      return Fails(code);
    }
    DeleteFront(statement, keyword.size());
    TrimBlanks(statement);
    return true;
  }

  bool Keyword(std::string_view keyword, int code, std::string_view spelling = {}) {
    return Read() && KeywordInHand(keyword, code, spelling);
  }

  // Reads the next statement and hands it to a statement lookup.
  bool Lookup(void (*lookup)(MissionState&, std::string&, bool&)) {
    if (!Read()) return false;
    lookup(state, statement, ok);
    return ok;
  }

  // A lookup on the work records alone.
  bool Match(void (*match)(MissionState&, bool&)) {
    match(state, ok);
    return ok;
  }

  bool IsFlight() {
    IsFlightTag(state, state.ReferenceRecord.TagId, ok);
    return ok;
  }

  // The value in hand as a decimal number (21 when it is none).
  bool Decimal() {
    CheckFloat(state, statement, ok);
    return ok;
  }

  // The value in hand as a whole number (21 when it is none).
  bool Whole() {
    CheckInteger(state, statement, ok);
    return ok;
  }

  // Inclusive range of the decimal value in hand, already known to convert.
  bool DecimalRange(double low, double high, int code) {
    double value = 0;
    ParseFloat(statement, value);
    return (value < low || value > high) ? Fails(code) : true;
  }

  // Inclusive range of the whole value in hand, already known to convert.
  bool WholeRange(std::int64_t low, std::int64_t high, int code) {
    std::int32_t value = 0;
    ParseInteger(statement, value);
    return (value < low || value > high) ? Fails(code) : true;
  }

  // Reads an ".Amount" statement; its value must lie within 0 to 100 (37).
  bool Percentage() { return Lookup(ReadAmount) && DecimalRange(0, 100, 37); }

  // The text block of a displayed text: a ".StartString" statement (38), then
  // every line up to the first one that holds the end marker. Running into
  // the end of the file is 39.
  bool TextBlock(std::string_view marker, std::string_view spelling = {}) {
    if (!Keyword(".StartString", 38)) return false;
    auto holdsMarker = [&] {
      return Contains(statement, marker) || (!spelling.empty() && Contains(statement, spelling));
    };
    while (!holdsMarker() && !file.AtEnd()) {
      if (!Read()) return false;
    }
    if (file.AtEnd()) return Fails(39);
    return true;
  }

  // The end of the block: a statement that begins with ".EndAction" (16).
  bool End() {
    if (!Read()) return false;
    CheckEndAction(state, statement, ok);
    return ok;
  }
};

// The planes of a flight are found by the tags the flight entry lists.
int FindPlaneOfFlight(const MissionState& state, const ShortText<5>& tag, const ShortText<5>& flightTag) {
  for (int i = 1; i <= state.AircraftTable.count(); ++i) {
    const AircraftRecord& plane = state.AircraftTable[i];
    if (plane.TagId == tag && plane.FlightTag == flightTag) return i;
  }
  return 0;
}

// The WaypointCount of the last way-set entry with that set, 0 when none has it.
std::int32_t LastWaypointCount(const MissionState& state, const ShortText<5>& set) {
  std::int32_t count = 0;
  for (const WaySetRecord& entry : state.WaySetTable) {
    if (entry.SetText == set) count = entry.WaypointCount;
  }
  return count;
}

// .CHANGEFLIGHTWAYPOINT: a flight of a squad is sent to a waypoint of its set.
bool ChangeFlightWaypoint(ActionBlock& a) {
  MissionState& state = a.state;
  state.WaypointProbe = FlightWaypointRecord();
  if (!a.Lookup(ReadSquadName) || !a.Lookup(ReadFlightName) || !a.Lookup(ReadWaypointRef)) return false;
  state.WaypointProbe.WaypointId = state.ReferenceRecord.Waypoint;
  if (!a.Match(MatchFlightWaypoint)) return false;
  // Waypoint range: only when the flight's set has a way-set entry (the first).
  for (const WaySetRecord& entry : state.WaySetTable) {
    if (entry.SetText != state.WaypointProbe.WaySet) continue;
    std::int32_t waypoint = 0;
    if (!ParseInteger(state.ReferenceRecord.Waypoint.view(), waypoint)) return a.Fails(21);
    if (waypoint < 1 || waypoint > entry.WaypointCount) return a.Fails(133);
    break;
  }
  return a.End();
}

// .CHANGEWAYSET: an aircraft flies another waypoint set from here on.
bool ChangeWaySet(ActionBlock& a) {
  MissionState& state = a.state;
  ReferenceRecordType& reference = state.ReferenceRecord;
  // 1. The aircraft.
  if (!a.Lookup(ResolveObjectRef)) return false;
  // 2. Any aircraft tag, flight or plane; k is its aircraft entry.
  const std::int32_t k = IsAircraftTag(state, reference.TagId, a.ok);
  if (!a.ok) return false;
  // 3. The new set.
  if (!a.Keyword(".WaySet", 44, ".Wayset") || !a.Whole()) return false;
  reference.WaySet = a.statement;
  // 4. Some flight waypoint must belong to the new set.
  bool known = false;
  for (const FlightWaypointRecord& waypoint : state.FlightWaypointTable) {
    if (waypoint.WaySet == reference.WaySet) {
      known = true;
      break;
    }
  }
  if (!known) return a.Fails(89);
  // 5. The new set may not have fewer waypoints than the current one.
  const bool entryExists = k >= 1 && k <= state.AircraftTable.count();
  const std::int32_t newCount = LastWaypointCount(state, reference.WaySet);
  const std::int32_t oldCount = entryExists ? LastWaypointCount(state, state.AircraftTable[k].WaySet) : 0;
  if (newCount < oldCount) return a.Fails(131);
  // 6. The aircraft takes the new set; a flight hands it to its planes too.
  if (entryExists) {
    AircraftRecord& aircraft = state.AircraftTable[k];
    aircraft.WaySet = reference.WaySet;
    if (aircraft.TypeName == "Flight") {
      for (const ShortText<5>* tag : {&aircraft.Plane1, &aircraft.Plane2, &aircraft.Plane3, &aircraft.Plane4}) {
        if (tag->empty()) continue;
        const int plane = FindPlaneOfFlight(state, *tag, aircraft.TagId);
        if (plane != 0) state.AircraftTable[plane].WaySet = reference.WaySet;
      }
    }
  }
  // 7.
  return a.End();
}

// .PLAYSOUND
bool PlaySound(ActionBlock& a) {
  return a.Keyword(".SoundID", 43) && a.Whole() && a.WholeRange(0, 27, 55) && a.End();
}

// .PLAYEFFECT
bool PlayEffect(ActionBlock& a) {
  return a.Keyword(".Effect", 42) && a.Whole() && a.WholeRange(0, INT32_MAX, 55) && a.End();
}

// .DISPLAYTEXT: the text ends at the first line that holds ".End".
bool DisplayText(ActionBlock& a) { return a.TextBlock(".End") && a.End(); }

// .DISPLAYSCROLLINGTEXT
bool DisplayScrollingText(ActionBlock& a) {
  return a.Keyword(".TimeDuration", 57) && a.Decimal() &&
         a.Keyword(".RightCorner", 58) && a.Whole() && a.WholeRange(0, 1, 59) && a.End();
}

// .DISPLAYFADINGTEXT: the text ends at the first line that holds the end-string marker.
bool DisplayFadingText(ActionBlock& a) {
  return a.TextBlock(".EndString", ".Endstring") &&
         a.Keyword(".Xpos", 40, ".XPos") && a.Decimal() &&
         a.Keyword(".Ypos", 41, ".YPos") && a.Decimal() && a.End();
}

// .DISPLAYLOGO, .ENDSIM, .ENDCINEMA: nothing but the end.
bool EndOnly(ActionBlock& a) { return a.End(); }

// .DAMAGEOBJ: any object, or a bridge.
bool DamageObject(ActionBlock& a) {
  return a.Lookup(ResolveObjectRef) && a.Percentage() && a.End();
}

// .DAMAGEPLANE: a flight by its tag, or one plane by squad, flight and plane name.
bool DamagePlane(ActionBlock& a) {
  if (!a.Read()) return false;
  if (BeginsWith(a.statement, ".TagIdentifier")) {
    ResolveObjectRef(a.state, a.statement, a.ok);
    if (!a.ok || !a.IsFlight()) return false;
  } else {
    ReadSquadName(a.state, a.statement, a.ok);
    if (!a.ok || !a.Lookup(ReadFlightName) || !a.Lookup(ReadPlaneName) || !a.Match(MatchSquadFlightPlane)) {
      return false;
    }
  }
  return a.Percentage() && a.End();
}

// .DAMAGEDIVISION
bool DamageDivision(ActionBlock& a) {
  return a.Lookup(ReadDivisionName) && a.Match(MatchDivisionName) && a.Percentage() && a.End();
}

// .AWAKEOBJ: the object alone, or the object placed against another one.
bool AwakeObject(ActionBlock& a) {
  if (!a.Lookup(ResolveObjectRef) || !a.Read()) return false;
  if (BeginsWith(a.statement, ".EndAction")) return true;
  if (!a.KeywordInHand(".Placement", 30)) return false;
  if (!a.Lookup(ResolveObjectRef)) return false;
  if (!a.Keyword(".Angle", 31) || !a.Decimal() || !a.DecimalRange(0, 360, 32)) return false;
  if (!a.Lookup(ReadDistance)) return false;
  if (!a.Keyword(".RelativeOrientation", 33)) return false;
  const std::string& orientation = a.statement;
  if (!BeginsWith(orientation, "TOWARDS") && !BeginsWith(orientation, "Towards") &&
      !BeginsWith(orientation, "AWAY") && !BeginsWith(orientation, "Away")) {
    return a.Fails(34);
  }
  return a.End();
}

// .TRIGGERATRIGGER: the called trigger must exist; its name is compared in full.
bool TriggerATrigger(ActionBlock& a) {
  if (!a.Keyword(".TriggerName", 29)) return false;
  std::string name = TextValue(a.statement);
  TrimBlanks(name);
  bool found = false;
  for (const TriggerRecord& trigger : a.state.TriggerTable) {
    if (trigger.TriggerName == name) {
      found = true;
      break;
    }
  }
  if (!found) return a.Fails(76);
  CheckEndString(a.state, EndMarkerTail(a.statement), a.ok);
  return a.ok && a.End();
}

// .BRAINSET: a flight's brain on or off.
bool BrainSet(ActionBlock& a) {
  if (!a.Lookup(ResolveObjectRef) || !a.IsFlight() || !a.Keyword(".Brain", 27)) return false;
  const std::string& value = a.statement;
  if (value != "On" && value != "ON" && value != "OFF" && value != "Off") return a.Fails(28);
  return a.End();
}

// .CHANGESIDE: a flight changes sides.
bool ChangeSide(ActionBlock& a) {
  return a.Lookup(ResolveObjectRef) && a.IsFlight() && a.End();
}

// .PARACHUTEDROP: a flight drops a number of parachutists.
bool ParachuteDrop(ActionBlock& a) {
  return a.Lookup(ResolveObjectRef) && a.IsFlight() && a.Lookup(ReadNumber) && a.End();
}

// .STARTCINEMA: one free line may stand between the object and ".Yaw";
// the distance keyword counts five characters.
bool StartCinema(ActionBlock& a) {
  if (!a.Keyword(".CamType", 5) || !a.Lookup(ResolveObjectRef)) return false;
  if (!a.Read()) return false;
  if (!BeginsWith(a.statement, ".Yaw") && !a.Read()) return false;
  return a.KeywordInHand(".Yaw", 12) && a.Decimal() &&
         a.Keyword(".Pitch", 61) && a.Decimal() &&
         a.Keyword(".Dist", 77) && a.Decimal() && a.End();
}

// .CHANGECAM
bool ChangeCam(ActionBlock& a) {
  return a.Keyword(".CamType", 5) && a.Lookup(ResolveObjectRef) && a.End();
}

// A camera movement: start, end and time, three decimal numbers.
bool CameraMove(ActionBlock& a, std::string_view start, int startCode, std::string_view end, int endCode,
                int timeCode) {
  return a.Keyword(start, startCode) && a.Decimal() &&
         a.Keyword(end, endCode) && a.Decimal() &&
         a.Keyword(".Time", timeCode) && a.Decimal() && a.End();
}

// .ROTATECAMYAW
bool RotateCamYaw(ActionBlock& a) { return CameraMove(a, ".StartYaw", 11, ".EndYaw", 12, 22); }

// .ROTATECAMPITCH
bool RotateCamPitch(ActionBlock& a) { return CameraMove(a, ".StartPitch", 24, ".EndPitch", 23, 22); }

// .MOVECAMDIST
bool MoveCamDist(ActionBlock& a) { return CameraMove(a, ".StartDist", 19, ".EndDist", 25, 17); }

// .LOADNEXTMISSION: the named mission must exist, named exactly as written
// (no extension is added).
bool LoadNextMission(ActionBlock& a) {
  if (!a.Keyword(".MissionName", 15)) return false;
  const std::string name = TextValue(a.statement);
  if (!a.state.Env().NextMissionExists(name)) return a.Fails(73);
  CheckEndString(a.state, EndMarkerTail(a.statement), a.ok);
  return a.ok && a.End();
}

struct ActionRow {
  const char* keyword;
  bool (*validate)(ActionBlock&);
};

// The action keywords in the order they are tried.
const ActionRow kActions[] = {
    {".CHANGEFLIGHTWAYPOINT", ChangeFlightWaypoint},
    {".CHANGEWAYSET", ChangeWaySet},
    {".PLAYSOUND", PlaySound},
    {".PLAYEFFECT", PlayEffect},
    {".DISPLAYTEXT", DisplayText},
    {".DISPLAYSCROLLINGTEXT", DisplayScrollingText},
    {".DISPLAYFADINGTEXT", DisplayFadingText},
    {".DISPLAYLOGO", EndOnly},
    {".ENDSIM", EndOnly},
    {".DAMAGEOBJ", DamageObject},
    {".DAMAGEPLANE", DamagePlane},
    {".DAMAGEDIVISION", DamageDivision},
    {".AWAKEOBJ", AwakeObject},
    {".TRIGGERATRIGGER", TriggerATrigger},
    {".BRAINSET", BrainSet},
    {".CHANGESIDE", ChangeSide},
    {".PARACHUTEDROP", ParachuteDrop},
    {".STARTCINEMA", StartCinema},
    {".CHANGECAM", ChangeCam},
    {".ROTATECAMYAW", RotateCamYaw},
    {".ROTATECAMPITCH", RotateCamPitch},
    {".MOVECAMDIST", MoveCamDist},
    {".ENDCINEMA", EndOnly},
    {".LOADNEXTMISSION", LoadNextMission},
};

}  // namespace

void DispatchAction(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. A fresh work record for every action.
  state.ReferenceRecord = ReferenceRecordType();
  // 2. The keyword line.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;
  // 3.
  if (!BeginsWith(statement, ".")) {
    Fail(state, ok, 60);
    return;
  }
  // 4. Action keywords are case-insensitive.
  UpperCaseAscii(statement);
  // 5. The whole line must be a keyword; the first equal one decides.
  for (const ActionRow& row : kActions) {
    if (statement == row.keyword) {
      ActionBlock block(state, file, statement, ok);
      row.validate(block);
      return;
    }
  }
  Fail(state, ok, 124);
}

}  // namespace tolvane
