#include "action_validators.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "block_reader.h"
#include "reference_lookups.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

using ActionBlock = BlockReader;

// Reads an ".Amount" statement; its value must lie within 0 to 100 (37).
bool Percentage(ActionBlock& a) { return a.Lookup(ReadAmount) && a.DecimalRange(0, 100, 37); }

// The text block of a displayed text: a ".StartString" statement (38), then
// every line up to the first one that holds the end marker. Running into the
// end of the file is 39.
bool TextBlock(ActionBlock& a, std::string_view marker, std::string_view spelling = {}) {
  if (!a.Keyword(".StartString", 38)) return false;
  auto holdsMarker = [&](std::string_view text) {
    return Contains(text, marker) || (!spelling.empty() && Contains(text, spelling));
  };
  if (!holdsMarker(a.statement)) {
    // The lines of the text are looked at where they stand in the file; the
    // buffer gets the last one read.
    std::string_view line = a.statement;
    bool read = false;
    while (!a.file.AtEnd()) {
      ReadStatement(a.state, a.file, line, a.ok);
      read = true;
      if (!a.ok || holdsMarker(line)) break;
    }
    if (read) AssignStatement(a.statement, line);
    if (!a.ok) return false;
  }
  if (a.file.AtEnd()) return a.Fails(39);
  return true;
}

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
  std::int32_t k = 0;
  if (!a.IsAircraft(&k)) return false;
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
bool DisplayText(ActionBlock& a) { return TextBlock(a, ".End") && a.End(); }

// .DISPLAYSCROLLINGTEXT
bool DisplayScrollingText(ActionBlock& a) {
  return a.Keyword(".TimeDuration", 57) && a.Decimal() &&
         a.Keyword(".RightCorner", 58) && a.Whole() && a.WholeRange(0, 1, 59) && a.End();
}

// .DISPLAYFADINGTEXT: the text ends at the first line that holds the end-string marker.
bool DisplayFadingText(ActionBlock& a) {
  return TextBlock(a, ".EndString", ".Endstring") &&
         a.Keyword(".Xpos", 40, ".XPos") && a.Decimal() &&
         a.Keyword(".Ypos", 41, ".YPos") && a.Decimal() && a.End();
}

// .DISPLAYLOGO, .ENDSIM, .ENDCINEMA: nothing but the end.
bool EndOnly(ActionBlock& a) { return a.End(); }

// .DAMAGEOBJ: any object, or a bridge.
bool DamageObject(ActionBlock& a) {
  return a.Lookup(ResolveObjectRef) && Percentage(a) && a.End();
}

// .DAMAGEPLANE: a flight by its tag, or one plane by squad, flight and plane name.
bool DamagePlane(ActionBlock& a) {
  if (!a.Read()) return false;
  if (BeginsWith(a.statement, ".TagIdentifier")) {
    if (!a.InHand(ResolveObjectRef) || !a.IsFlight()) return false;
  } else if (!a.InHand(ReadSquadName) || !a.Lookup(ReadFlightName) || !a.Lookup(ReadPlaneName) ||
             !a.Match(MatchSquadFlightPlane)) {
    return false;
  }
  return Percentage(a) && a.End();
}

// .DAMAGEDIVISION
bool DamageDivision(ActionBlock& a) {
  return a.Lookup(ReadDivisionName) && a.Match(MatchDivisionName) && Percentage(a) && a.End();
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

const BlockKeyword kActions[] = {
    {".CHANGEFLIGHTWAYPOINT", false, ChangeFlightWaypoint},
    {".CHANGEWAYSET", false, ChangeWaySet},
    {".PLAYSOUND", false, PlaySound},
    {".PLAYEFFECT", false, PlayEffect},
    {".DISPLAYTEXT", false, DisplayText},
    {".DISPLAYSCROLLINGTEXT", false, DisplayScrollingText},
    {".DISPLAYFADINGTEXT", false, DisplayFadingText},
    {".DISPLAYLOGO", false, EndOnly},
    {".ENDSIM", false, EndOnly},
    {".DAMAGEOBJ", false, DamageObject},
    {".DAMAGEPLANE", false, DamagePlane},
    {".DAMAGEDIVISION", false, DamageDivision},
    {".AWAKEOBJ", false, AwakeObject},
    {".TRIGGERATRIGGER", false, TriggerATrigger},
    {".BRAINSET", false, BrainSet},
    {".CHANGESIDE", false, ChangeSide},
    {".PARACHUTEDROP", false, ParachuteDrop},
    {".STARTCINEMA", false, StartCinema},
    {".CHANGECAM", false, ChangeCam},
    {".ROTATECAMYAW", false, RotateCamYaw},
    {".ROTATECAMPITCH", false, RotateCamPitch},
    {".MOVECAMDIST", false, MoveCamDist},
    {".ENDCINEMA", false, EndOnly},
    {".LOADNEXTMISSION", false, LoadNextMission},
};

// A keyword line without a dot is 60, an unknown keyword 124; the whole
// line must be the keyword. The block ends with ".EndAction".
const BlockKind kActionBlock = {60, 124, CheckEndAction};

}  // namespace

void DispatchAction(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  ReadBlock(state, file, statement, ok, kActionBlock, kActions);
}

}  // namespace tolvane
