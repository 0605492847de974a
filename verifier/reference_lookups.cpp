#include "reference_lookups.h"

#include <string_view>

#include "statement_reader.h"

namespace tolvane {

namespace {

// A successful keyword test: the keyword goes, the rest is trimmed. These
// lookups test no separator.
void RemoveKeywordAndTrim(std::string& statement, std::string_view keyword) {
  RemoveKeyword(statement, keyword);
  TrimBlanks(statement);
}

// The value of a name statement, kept as taken: two blanks in front of the
// end marker leave one trailing blank in the name.
std::string UntrimmedTextValue(const std::string& statement) { return TextValue(statement); }

// The value of a bridge reference, trimmed once more after it is taken.
std::string TrimmedTextValue(const std::string& statement) {
  std::string value = TextValue(statement);
  TrimBlanks(value);
  return value;
}

// Deletes the statement up to its first ".End" and tests what is left (4).
// Without ".End" nothing is deleted, so the statement in error keeps its text.
void CheckMarkerTail(MissionState& state, std::string& statement, bool& ok) {
  if (Contains(statement, ".End")) statement = EndMarkerTail(statement);
  CheckEndString(state, statement, ok);
}

// The keyword test and the decimal value of the numeric lookups. On success
// the statement holds the trimmed value, so a validator can apply its range.
bool ReadDecimal(MissionState& state, std::string& statement, std::string_view keyword, int missingCode,
                 int formatCode, double& value, bool& ok) {
  if (!BeginsWith(statement, keyword)) {
    Fail(state, ok, missingCode);
    return false;
  }
  RemoveKeywordAndTrim(statement, keyword);
  value = 0;
  if (!ParseFloat(statement, value)) {
    Fail(state, ok, formatCode);
    return false;
  }
  return true;
}

// The name lookups: keyword, untrimmed text value into the record, end marker.
template <std::size_t N>
void ReadName(MissionState& state, std::string& statement, std::string_view keyword, int missingCode,
              ShortText<N>& field, bool& ok) {
  if (!BeginsWith(statement, keyword)) {
    Fail(state, ok, missingCode);
    return;
  }
  RemoveKeywordAndTrim(statement, keyword);
  field = UntrimmedTextValue(statement);
  CheckMarkerTail(state, statement, ok);
}

}  // namespace

void CheckEndCheck(MissionState& state, const std::string& statement, bool& ok) {
  if (!BeginsWith(statement, ".EndCheck")) Fail(state, ok, 6);
}

void CheckEndAction(MissionState& state, const std::string& statement, bool& ok) {
  if (!BeginsWith(statement, ".EndAction")) Fail(state, ok, 16);
}

void ReadTypeName(MissionState& state, std::string& statement, bool& ok) {
  if (!BeginsWith(statement, ".Type")) {
    Fail(state, ok, 50);
    return;
  }
  RemoveKeywordAndTrim(statement, ".Type");
  // Only the first 10 characters of the name are compared with the list.
  if (!FindTypeName(state.Env().TypeNames(), UntrimmedTextValue(statement))) {
    Fail(state, ok, 96);
    return;
  }
  CheckMarkerTail(state, statement, ok);
}

void ReadWaypointRef(MissionState& state, std::string& statement, bool& ok) {
  if (!BeginsWith(statement, ".Waypoint") && !BeginsWith(statement, ".WayPoint")) {
    Fail(state, ok, 13);
    return;
  }
  // The keyword and the one character after it go; the rest is kept as it
  // stands, so a second blank stays in front of the number. Both spellings
  // have the same length.
  RemoveKeyword(statement, ".Waypoint");
  DeleteFront(statement, 1);
  state.ReferenceRecord.Waypoint = statement;
}

void ReadNumber(MissionState& state, std::string& statement, bool& ok) {
  double value = 0;
  if (!ReadDecimal(state, statement, ".Number", 26, 21, value, ok)) return;
  if (value < 0) Fail(state, ok, 55);
}

void ReadAmount(MissionState& state, std::string& statement, bool& ok) {
  double value = 0;
  ReadDecimal(state, statement, ".Amount", 36, 21, value, ok);
}

void ReadAltitude(MissionState& state, std::string& statement, bool& ok) {
  double value = 0;
  ReadDecimal(state, statement, ".Altitude", 110, 111, value, ok);
}

void ReadDistance(MissionState& state, std::string& statement, bool& ok) {
  double value = 0;
  ReadDecimal(state, statement, ".Distance", 10, 21, value, ok);
}

void ReadSpeed(MissionState& state, std::string& statement, bool& ok) {
  double value = 0;
  if (!ReadDecimal(state, statement, ".Speed", 52, 21, value, ok)) return;
  if (value < 0) Fail(state, ok, 55);
}

void ReadSquadName(MissionState& state, std::string& statement, bool& ok) {
  ReadName(state, statement, ".Squad", 7, state.ReferenceRecord.SquadName, ok);
}

void ReadFlightName(MissionState& state, std::string& statement, bool& ok) {
  ReadName(state, statement, ".Flight", 8, state.ReferenceRecord.FlightName, ok);
}

void ReadPlaneName(MissionState& state, std::string& statement, bool& ok) {
  ReadName(state, statement, ".Plane", 48, state.ReferenceRecord.Callsign, ok);
}

void ReadDivisionName(MissionState& state, std::string& statement, bool& ok) {
  // A division name is kept in the squad-name field of the record.
  ReadName(state, statement, ".Division", 35, state.ReferenceRecord.SquadName, ok);
}

void MatchBridgeName(MissionState& state, std::string statement, bool& ok) {
  if (!BeginsWith(statement, ".BridgeName")) return;
  RemoveKeywordAndTrim(statement, ".BridgeName");
  const std::string name = TrimmedTextValue(statement);
  // The whole name is compared: a name longer than a stored bridge name
  // never equals it.
  for (const BridgeRecord& bridge : state.BridgeTable) {
    if (bridge.BridgeName == std::string_view(name)) return;
  }
  Fail(state, ok, 102);
}

void ResolveObjectRef(MissionState& state, std::string& statement, bool& ok) {
  // 1. A reference is either a tag identifier or a bridge name.
  const bool tagForm = BeginsWith(statement, ".TagIdentifier");
  if (!tagForm && !BeginsWith(statement, ".BridgeName")) {
    Fail(state, ok, 9);
    return;
  }

  // 2. Tag form: a whole number, not negative, carried by some object.
  if (tagForm) {
    RemoveKeywordAndTrim(statement, ".TagIdentifier");
    std::int32_t number = 0;
    if (!ParseInteger(statement, number)) {
      Fail(state, ok, 21);
      return;
    }
    if (number < 0) {
      Fail(state, ok, 55);
      return;
    }
    ReferenceRecordType& ref = state.ReferenceRecord;
    ref.TagId = statement;
    // Tags are compared as texts: "007" matches only a stored "007".
    for (const AircraftRecord& r : state.AircraftTable) {
      if (r.TagId == ref.TagId) return;
    }
    for (const VehicleRecord& r : state.VehicleTable) {
      if (r.TagId == ref.TagId) return;
    }
    for (const VehicleWaypointRecord& r : state.VehicleWaypointTable) {
      if (r.TagId == ref.TagId) return;
    }
    for (const DivisionRecord& r : state.DivisionTable) {
      if (r.TagId == ref.TagId) return;
    }
    for (const StructureRecord& r : state.StructureTable) {
      if (r.TagId == ref.TagId) return;
    }
    Fail(state, ok, 72);
    return;
  }

  // 3. Bridge form: the bridge must be known before its end marker is looked
  // at; its name goes to the squad-name field and the tag stays empty.
  MatchBridgeName(state, statement, ok);
  if (!ok) return;
  RemoveKeywordAndTrim(statement, ".BridgeName");
  state.ReferenceRecord.SquadName = TrimmedTextValue(statement);
  CheckMarkerTail(state, statement, ok);
}

namespace {

// A match step: it fails with its code first, and the first record that
// matches clears the code and sets the flag again.
template <typename Table, typename Matches>
void MatchAny(MissionState& state, bool& ok, int code, const Table& table, Matches matches) {
  Fail(state, ok, code);
  for (const auto& record : table) {
    if (matches(record)) {
      ok = true;
      state.ErrNo = 0;
      return;
    }
  }
}

}  // namespace

void MatchDivisionName(MissionState& state, bool& ok) {
  const ReferenceRecordType& ref = state.ReferenceRecord;
  MatchAny(state, ok, 88, state.DivisionTable, [&](const DivisionRecord& r) { return r.Name == ref.SquadName; });
}

void MatchSquad(MissionState& state, bool& ok) {
  const ReferenceRecordType& ref = state.ReferenceRecord;
  MatchAny(state, ok, 109, state.AircraftTable, [&](const AircraftRecord& r) { return r.SquadName == ref.SquadName; });
}

void MatchSquadFlight(MissionState& state, bool& ok) {
  const ReferenceRecordType& ref = state.ReferenceRecord;
  MatchAny(state, ok, 80, state.AircraftTable, [&](const AircraftRecord& r) {
    return r.SquadName == ref.SquadName && r.FlightName == ref.FlightName;
  });
}

void MatchSquadFlightPlane(MissionState& state, bool& ok) {
  const ReferenceRecordType& ref = state.ReferenceRecord;
  MatchAny(state, ok, 108, state.AircraftTable, [&](const AircraftRecord& r) {
    return r.SquadName == ref.SquadName && r.FlightName == ref.FlightName && r.Callsign == ref.Callsign;
  });
}

namespace {

// True when some flight waypoint carries the probe's set and waypoint.
bool ProbeWaypointExists(const MissionState& state) {
  const FlightWaypointRecord& probe = state.WaypointProbe;
  for (const FlightWaypointRecord& waypoint : state.FlightWaypointTable) {
    if (waypoint.WaySet == probe.WaySet && waypoint.WaypointId == probe.WaypointId) return true;
  }
  return false;
}

}  // namespace

void MatchTagWaypoint(MissionState& state, bool& ok) {
  Fail(state, ok, 79);
  FlightWaypointRecord& probe = state.WaypointProbe;
  for (const AircraftRecord& aircraft : state.AircraftTable) {
    if (aircraft.TagId != probe.TagId) continue;
    probe.WaySet = aircraft.WaySet;
    if (ProbeWaypointExists(state)) {
      ok = true;
      state.ErrNo = 0;
      return;
    }
  }
}

void MatchFlightWaypoint(MissionState& state, bool& ok) {
  Fail(state, ok, 98);
  const ReferenceRecordType& ref = state.ReferenceRecord;
  FlightWaypointRecord& probe = state.WaypointProbe;
  for (const AircraftRecord& aircraft : state.AircraftTable) {
    if (aircraft.TypeName != "Flight" || aircraft.SquadName != ref.SquadName ||
        aircraft.FlightName != ref.FlightName) {
      continue;
    }
    // On success the probe keeps the set of the flight that matched.
    probe.WaySet = aircraft.WaySet;
    if (ProbeWaypointExists(state)) {
      ok = true;
      state.ErrNo = 0;
      return;
    }
  }
}

std::int32_t IsAircraftTag(MissionState& state, const ShortText<5>& tag, bool& ok) {
  Fail(state, ok, 132);
  for (const TagRecord& entry : state.TagTable) {
    if (entry.TagId == tag && entry.AircraftMark == 1) {
      ok = true;
      state.ErrNo = 0;
      return entry.AircraftIndex;
    }
  }
  return 0;
}

void IsFlightTag(MissionState& state, const ShortText<5>& tag, bool& ok) {
  Fail(state, ok, 132);
  for (const TagRecord& entry : state.TagTable) {
    if (entry.TagId != tag || entry.AircraftIndex == 0) continue;
    // An index outside the aircraft records in use points at no flight.
    if (entry.AircraftIndex < 1 || entry.AircraftIndex > state.AircraftTable.count()) continue;
    const AircraftRecord& aircraft = state.AircraftTable[entry.AircraftIndex];
    if (aircraft.TypeName == "Flight" && aircraft.TagId == tag) {
      ok = true;
      state.ErrNo = 0;
      return;
    }
  }
}

}  // namespace tolvane
