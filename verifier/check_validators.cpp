#include "check_validators.h"

#include <initializer_list>
#include <string_view>

#include "reference_lookups.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// What every step of a check block works on.
struct CheckBlock {
  MissionState& state;
  MissionFile& file;
  std::string& statement;
  bool& ok;
};

using Step = void (*)(CheckBlock&);
using StatementLookup = void (*)(MissionState&, std::string&, bool&);
using MatchLookup = void (*)(MissionState&, bool&);

// Runs the steps in order and stops at the first one that clears the flag.
bool Run(CheckBlock& b, std::initializer_list<Step> steps) {
  for (Step step : steps) {
    step(b);
    if (!b.ok) return false;
  }
  return true;
}

// Reads the next statement of the block.
void Read(CheckBlock& b) { ReadStatement(b.state, b.file, b.statement, b.ok); }

// A lookup on the next statement of the block.
template <StatementLookup Lookup>
void Next(CheckBlock& b) {
  Read(b);
  if (b.ok) Lookup(b.state, b.statement, b.ok);
}

// A lookup on the statement already in hand.
template <StatementLookup Lookup>
void Here(CheckBlock& b) {
  Lookup(b.state, b.statement, b.ok);
}

// A match against the tables; reads nothing.
template <MatchLookup Lookup>
void Match(CheckBlock& b) {
  Lookup(b.state, b.ok);
}

// A value must lie in low..high, bounds included, fractions allowed.
void CheckRange(CheckBlock& b, std::string_view value, double low, double high, int code) {
  double number = 0;
  ParseFloat(value, number);
  if (number < low || number > high) Fail(b.state, b.ok, code);
}

// The value left in the statement by a numeric lookup must lie in low..high.
template <int Low, int High, int Code>
void Range(CheckBlock& b) {
  CheckRange(b, b.statement, Low, High, Code);
}

// The value left in the statement must not be negative.
void NotNegative(CheckBlock& b) {
  double value = 0;
  ParseFloat(b.statement, value);
  if (value < 0) Fail(b.state, b.ok, 55);
}

// End: the block's last statement begins with ".EndCheck".
void End(CheckBlock& b) {
  Read(b);
  if (b.ok) CheckEndCheck(b.state, b.statement, b.ok);
}

// Aircraft tag: the referenced tag must belong to a flight or a plane.
void AircraftTag(CheckBlock& b) { IsAircraftTag(b.state, b.state.ReferenceRecord.TagId, b.ok); }

void ClearReference(CheckBlock& b) { b.state.ReferenceRecord = ReferenceRecordType(); }

void ClearProbe(CheckBlock& b) { b.state.WaypointProbe = FlightWaypointRecord(); }

void TagIntoProbe(CheckBlock& b) { b.state.WaypointProbe.TagId = b.state.ReferenceRecord.TagId; }

// Inline waypoint: the keyword's nine characters go, the rest is trimmed and
// must be a waypoint of the set recorded for the aircraft with the tag.
void InlineWaypoint(CheckBlock& b) {
  Read(b);
  if (!b.ok) return;
  if (!BeginsWith(b.statement, ".Waypoint") && !BeginsWith(b.statement, ".WayPoint")) {
    Fail(b.state, b.ok, 13);
    return;
  }
  DeleteFront(b.statement, 9);
  TrimBlanks(b.statement);
  b.state.WaypointProbe.WaypointId = b.statement;
  MatchTagWaypoint(b.state, b.ok);
}

// Squad form of ".FLIGHTREACHED": the waypoint as read, not trimmed.
void WaypointIntoProbe(CheckBlock& b) { b.state.WaypointProbe.WaypointId = b.state.ReferenceRecord.Waypoint; }

// The tag form's altitude statement is tested for its keyword before the
// altitude lookup tests it again.
void AltitudeKeyword(CheckBlock& b) {
  Read(b);
  if (b.ok && !BeginsWith(b.statement, ".Altitude")) Fail(b.state, b.ok, 53);
}

// Fuel in the tag form: the first seven characters go unexamined.
void TagFormFuel(CheckBlock& b) {
  Read(b);
  if (b.ok) DeleteFront(b.statement, 7);
}

// Fuel in the squad form: the statement must begin with ".Fuel".
void SquadFormFuel(CheckBlock& b) {
  Read(b);
  if (!b.ok) return;
  if (!BeginsWith(b.statement, ".Fuel")) {
    Fail(b.state, b.ok, 49);
    return;
  }
  DeleteFront(b.statement, 5);
}

// The fuel value of either form: a decimal number, not negative.
void FuelValue(CheckBlock& b) {
  TrimBlanks(b.statement);
  CheckFloat(b.state, b.statement, b.ok);
  if (b.ok) NotNegative(b);
}

// Either-form opening: the block names an aircraft by tag or by squad. The
// first step of the chosen form examines this same statement.
enum class Form { Tag, Squad, None };

Form EitherFormOpening(CheckBlock& b) {
  Read(b);
  if (!b.ok) return Form::None;
  if (BeginsWith(b.statement, ".TagIdentifier")) return Form::Tag;
  if (BeginsWith(b.statement, ".Squad")) return Form::Squad;
  Fail(b.state, b.ok, 97);
  return Form::None;
}

// Aircraft tag (AT) on the opening statement.
bool TagAircraft(CheckBlock& b) { return Run(b, {Here<ResolveObjectRef>, AircraftTag}); }

// Squad, flight and plane (SFP) from the opening statement.
bool SquadFlightPlane(CheckBlock& b) {
  return Run(b, {Here<ReadSquadName>, Next<ReadFlightName>, Next<ReadPlaneName>, Match<MatchSquadFlightPlane>});
}

// Squad and flight (SF), both read.
bool SquadFlight(CheckBlock& b) {
  return Run(b, {Next<ReadSquadName>, Next<ReadFlightName>, Match<MatchSquadFlight>});
}

// ---------------------------------------------------------------------------
// The validators, one per group of keywords validated alike.

// ".TIME": the value stands on the keyword line after one blank.
void ValidateTime(CheckBlock& b) {
  if (b.statement.size() <= 5 || b.statement[5] != ' ') {
    Fail(b.state, b.ok, 104);
    return;
  }
  std::string value = b.statement.substr(5);
  TrimBlanks(value);
  CheckFloat(b.state, value, b.ok);
  if (b.ok) End(b);
}

// ".FLIGHTCLOSETOTARGET", ".FLIGHTCLOSETODIVISION".
void ValidateFlightCloseToObject(CheckBlock& b) {
  if (SquadFlight(b)) Run(b, {Next<ResolveObjectRef>, Next<ReadDistance>, End});
}

// ".PLANEREACHED": a tag only, no either-form test.
void ValidatePlaneReached(CheckBlock& b) {
  Run(b, {ClearProbe, Next<ResolveObjectRef>, AircraftTag, TagIntoProbe, InlineWaypoint, End});
}

// ".FLIGHTREACHED": by tag, with the waypoint trimmed; or by squad and
// flight, with the waypoint as read.
void ValidateFlightReached(CheckBlock& b) {
  ClearProbe(b);
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      Run(b, {Here<ResolveObjectRef>, AircraftTag, TagIntoProbe, InlineWaypoint, End});
      break;
    case Form::Squad:
      Run(b, {Here<ReadSquadName>, Next<ReadFlightName>, Next<ReadWaypointRef>, WaypointIntoProbe,
              Match<MatchFlightWaypoint>, End});
      break;
    case Form::None:
      break;
  }
}

// ".REACHEDMINALT", ".REACHEDMAXALT".
void ValidateAltitude(CheckBlock& b) {
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      if (!Run(b, {Here<ResolveObjectRef>, AircraftTag, AltitudeKeyword, Here<ReadAltitude>})) return;
      break;
    case Form::Squad:
      if (!SquadFlightPlane(b) || !Run(b, {Next<ReadAltitude>})) return;
      break;
    case Form::None:
      return;
  }
  Run(b, {NotNegative, End});
}

// The aircraft of an either-form block: AT by tag, SFP by squad.
bool EitherFormAircraft(CheckBlock& b) {
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      return TagAircraft(b);
    case Form::Squad:
      return SquadFlightPlane(b);
    case Form::None:
      break;
  }
  return false;
}

// ".REACHEDMINSPEED", ".REACHEDMAXSPEED".
void ValidateSpeed(CheckBlock& b) {
  if (EitherFormAircraft(b)) Run(b, {Next<ReadSpeed>, End});
}

// ".PLANEDAMAGED", ".PLANENOTDAMAGED".
void ValidatePlaneDamage(CheckBlock& b) {
  if (EitherFormAircraft(b)) Run(b, {Next<ReadAmount>, Range<0, 100, 56>, End});
}

// ".OBJECTDAMAGED", ".OBJECTNOTDAMAGED": any object, or a bridge.
void ValidateObjectDamage(CheckBlock& b) {
  Run(b, {Next<ResolveObjectRef>, Next<ReadAmount>, Range<0, 100, 56>, End});
}

// ".PLANESREMAINING", ".PLANESALIVEMO".
void ValidatePlanesRemaining(CheckBlock& b) {
  if (SquadFlight(b)) Run(b, {Next<ReadAmount>, Range<0, 4, 54>, End});
}

// ".DIVISIONHEALTHGREATERTHAN", ".DIVISIONHEALTHLESSTHAN".
void ValidateDivisionHealth(CheckBlock& b) {
  Run(b, {Next<ReadDivisionName>, Match<MatchDivisionName>, Next<ReadAmount>, Range<0, 100, 56>, End});
}

// ".ALLIEDVEHICLESDESTROYED", ".AXISVEHICLESDESTROYED", ".UNITSDESTROYED".
void ValidateVehiclesDestroyed(CheckBlock& b) { Run(b, {Next<ReadTypeName>, Next<ReadNumber>, End}); }

// ".DIVISIONVEHICLESDESTROYED".
void ValidateDivisionVehiclesDestroyed(CheckBlock& b) {
  Run(b, {Next<ReadDivisionName>, Match<MatchDivisionName>, Next<ReadTypeName>, Next<ReadNumber>, End});
}

// ".ALLMOCOMPLETED".
void ValidateAllObjectivesCompleted(CheckBlock& b) { End(b); }

// ".FUELLEVEL".
void ValidateFuelLevel(CheckBlock& b) {
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      if (!Run(b, {Here<ResolveObjectRef>, AircraftTag, TagFormFuel})) return;
      break;
    case Form::Squad:
      if (!SquadFlightPlane(b) || !Run(b, {SquadFormFuel})) return;
      break;
    case Form::None:
      return;
  }
  Run(b, {FuelValue, End});
}

// ".RANDOM": the percentage stands on the keyword line.
void ValidateRandom(CheckBlock& b) {
  std::string value = b.statement;
  DeleteFront(value, 7);
  TrimBlanks(value);
  CheckFloat(b.state, value, b.ok);
  if (b.ok) CheckRange(b, value, 0, 100, 47);
  if (b.ok) End(b);
}

// ".FLIGHTCLOSETOFLIGHT": two flights, each matched on its own.
void ValidateFlightCloseToFlight(CheckBlock& b) {
  if (!SquadFlight(b)) return;
  ClearReference(b);
  if (SquadFlight(b)) Run(b, {Next<ReadDistance>, End});
}

// ".CLOSETOTARGET": the plane by tag (not tested for being an aircraft) or
// by squad, flight and plane; then the target.
void ValidateCloseToTarget(CheckBlock& b) {
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      if (!Run(b, {Here<ResolveObjectRef>})) return;
      break;
    case Form::Squad:
      if (!SquadFlightPlane(b)) return;
      break;
    case Form::None:
      return;
  }
  Run(b, {Next<ResolveObjectRef>, Next<ReadDistance>, End});
}

// ".PLANESREMAININGINSQUAD", ".PLANESALIVEINSQUADMO": a squad, no flight.
void ValidatePlanesRemainingInSquad(CheckBlock& b) {
  Run(b, {Next<ReadSquadName>, Match<MatchSquad>, Next<ReadAmount>, Range<0, 4, 54>, End});
}

// The check keywords in the order they are tested. Only ".TIME" and
// ".RANDOM" are matched by their first characters; every other keyword
// must be the whole line.
struct CheckKeyword {
  std::string_view keyword;
  bool prefix;
  Step validate;
};

const CheckKeyword kCheckKeywords[] = {
    {".TIME", true, ValidateTime},
    {".FLIGHTCLOSETOTARGET", false, ValidateFlightCloseToObject},
    {".PLANEREACHED", false, ValidatePlaneReached},
    {".FLIGHTREACHED", false, ValidateFlightReached},
    {".REACHEDMINALT", false, ValidateAltitude},
    {".REACHEDMAXALT", false, ValidateAltitude},
    {".REACHEDMINSPEED", false, ValidateSpeed},
    {".REACHEDMAXSPEED", false, ValidateSpeed},
    {".PLANEDAMAGED", false, ValidatePlaneDamage},
    {".OBJECTDAMAGED", false, ValidateObjectDamage},
    {".OBJECTNOTDAMAGED", false, ValidateObjectDamage},
    {".PLANENOTDAMAGED", false, ValidatePlaneDamage},
    {".PLANESREMAINING", false, ValidatePlanesRemaining},
    {".PLANESALIVEMO", false, ValidatePlanesRemaining},
    {".DIVISIONHEALTHGREATERTHAN", false, ValidateDivisionHealth},
    {".DIVISIONHEALTHLESSTHAN", false, ValidateDivisionHealth},
    {".ALLIEDVEHICLESDESTROYED", false, ValidateVehiclesDestroyed},
    {".AXISVEHICLESDESTROYED", false, ValidateVehiclesDestroyed},
    {".DIVISIONVEHICLESDESTROYED", false, ValidateDivisionVehiclesDestroyed},
    {".ALLMOCOMPLETED", false, ValidateAllObjectivesCompleted},
    {".UNITSDESTROYED", false, ValidateVehiclesDestroyed},
    {".FUELLEVEL", false, ValidateFuelLevel},
    {".RANDOM", true, ValidateRandom},
    {".FLIGHTCLOSETOFLIGHT", false, ValidateFlightCloseToFlight},
    {".CLOSETOTARGET", false, ValidateCloseToTarget},
    {".FLIGHTCLOSETODIVISION", false, ValidateFlightCloseToObject},
    {".PLANESREMAININGINSQUAD", false, ValidatePlanesRemainingInSquad},
    {".PLANESALIVEINSQUADMO", false, ValidatePlanesRemainingInSquad},
};

}  // namespace

void DispatchCheck(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  // 1. Every check starts from an empty work record.
  state.ReferenceRecord = ReferenceRecordType();

  // 2. The keyword line.
  ReadStatement(state, file, statement, ok);
  if (!ok) return;

  // 3. It must begin with a dot.
  if (!BeginsWith(statement, ".")) {
    Fail(state, ok, 46);
    return;
  }

  // 4. Check keywords are not case-sensitive; the line stays upper-cased.
  UpperCaseAscii(statement);

  // 5. and 6. The first keyword that matches selects the one validator.
  CheckBlock block{state, file, statement, ok};
  for (const CheckKeyword& row : kCheckKeywords) {
    const bool matches = row.prefix ? BeginsWith(statement, row.keyword) : statement == row.keyword;
    if (matches) {
      row.validate(block);
      return;
    }
  }
  Fail(state, ok, 125);
}

}  // namespace tolvane
