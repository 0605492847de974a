#include "check_validators.h"

#include <string_view>

#include "block_reader.h"
#include "reference_lookups.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

using Block = BlockReader;

bool ClearReference(Block& b) {
  b.state.ReferenceRecord = ReferenceRecordType();
  return true;
}

bool ClearProbe(Block& b) {
  b.state.WaypointProbe = FlightWaypointRecord();
  return true;
}

bool TagIntoProbe(Block& b) {
  b.state.WaypointProbe.TagId = b.state.ReferenceRecord.TagId;
  return true;
}

// Squad form of ".FLIGHTREACHED": the waypoint as read, not trimmed.
bool WaypointIntoProbe(Block& b) {
  b.state.WaypointProbe.WaypointId = b.state.ReferenceRecord.Waypoint;
  return true;
}

// Inline waypoint: the keyword goes, the rest is trimmed and must be a
// waypoint of the set recorded for the aircraft with the tag.
bool InlineWaypoint(Block& b) {
  if (!b.Keyword(".Waypoint", 13, ".WayPoint")) return false;
  b.state.WaypointProbe.WaypointId = b.statement;
  return b.Match(MatchTagWaypoint);
}

// The tag form's altitude statement is tested for its keyword before the
// altitude lookup tests it again.
bool AltitudeKeyword(Block& b) { return b.Read() && (BeginsWith(b.statement, ".Altitude") || b.Fails(53)); }

// Fuel in the tag form: the first seven characters go unexamined, whatever
// the keyword is.
constexpr std::size_t kTagFormFuelSkip = 7;
bool TagFormFuel(Block& b) {
  if (!b.Read()) return false;
  DeleteFront(b.statement, kTagFormFuelSkip);
  return true;
}

// Fuel in the squad form: the statement must begin with ".Fuel".
bool SquadFormFuel(Block& b) { return b.Keyword(".Fuel", 49); }

// The fuel value of either form: a decimal number, not negative.
bool FuelValue(Block& b) {
  TrimBlanks(b.statement);
  return b.Decimal() && b.NotNegative();
}

// Either-form opening: the block names an aircraft by tag or by squad. The
// first step of the chosen form examines this same statement.
enum class Form { Tag, Squad, None };

Form EitherFormOpening(Block& b) {
  if (!b.Read()) return Form::None;
  if (BeginsWith(b.statement, ".TagIdentifier")) return Form::Tag;
  if (BeginsWith(b.statement, ".Squad")) return Form::Squad;
  b.Fails(97);
  return Form::None;
}

// Aircraft tag (AT) on the opening statement.
bool TagAircraft(Block& b) { return b.InHand(ResolveObjectRef) && b.IsAircraft(); }

// Squad, flight and plane (SFP) from the opening statement.
bool SquadFlightPlane(Block& b) {
  return b.InHand(ReadSquadName) && b.Lookup(ReadFlightName) && b.Lookup(ReadPlaneName) &&
         b.Match(MatchSquadFlightPlane);
}

// Squad and flight (SF), both read.
bool SquadFlight(Block& b) { return b.Lookup(ReadSquadName) && b.Lookup(ReadFlightName) && b.Match(MatchSquadFlight); }

// The aircraft of an either-form block: AT by tag, SFP by squad.
bool EitherFormAircraft(Block& b) {
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

// ---------------------------------------------------------------------------
// The validators, one per group of keywords validated alike.

// ".TIME": the value stands on the keyword line after one blank.
bool ValidateTime(Block& b) {
  constexpr std::string_view keyword = ".TIME";
  if (b.statement.size() <= keyword.size() || b.statement[keyword.size()] != ' ') return b.Fails(104);
  std::string value = b.statement;
  RemoveKeyword(value, keyword);
  TrimBlanks(value);
  CheckFloat(b.state, value, b.ok);
  return b.ok && b.End();
}

// ".FLIGHTCLOSETOTARGET", ".FLIGHTCLOSETODIVISION".
bool ValidateFlightCloseToObject(Block& b) {
  return SquadFlight(b) && b.Lookup(ResolveObjectRef) && b.Lookup(ReadDistance) && b.End();
}

// ".PLANEREACHED": a tag only, no either-form test.
bool ValidatePlaneReached(Block& b) {
  return ClearProbe(b) && b.Lookup(ResolveObjectRef) && b.IsAircraft() && TagIntoProbe(b) && InlineWaypoint(b) &&
         b.End();
}

// ".FLIGHTREACHED": by tag, with the waypoint trimmed; or by squad and
// flight, with the waypoint as read.
bool ValidateFlightReached(Block& b) {
  ClearProbe(b);
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      return b.InHand(ResolveObjectRef) && b.IsAircraft() && TagIntoProbe(b) && InlineWaypoint(b) && b.End();
    case Form::Squad:
      return b.InHand(ReadSquadName) && b.Lookup(ReadFlightName) && b.Lookup(ReadWaypointRef) &&
             WaypointIntoProbe(b) && b.Match(MatchFlightWaypoint) && b.End();
    case Form::None:
      break;
  }
  return false;
}

// ".REACHEDMINALT", ".REACHEDMAXALT".
bool ValidateAltitude(Block& b) {
  bool aircraft = false;
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      aircraft = b.InHand(ResolveObjectRef) && b.IsAircraft() && AltitudeKeyword(b) && b.InHand(ReadAltitude);
      break;
    case Form::Squad:
      aircraft = SquadFlightPlane(b) && b.Lookup(ReadAltitude);
      break;
    case Form::None:
      break;
  }
  return aircraft && b.NotNegative() && b.End();
}

// ".REACHEDMINSPEED", ".REACHEDMAXSPEED".
bool ValidateSpeed(Block& b) { return EitherFormAircraft(b) && b.Lookup(ReadSpeed) && b.End(); }

// ".PLANEDAMAGED", ".PLANENOTDAMAGED".
bool ValidatePlaneDamage(Block& b) {
  return EitherFormAircraft(b) && b.Lookup(ReadAmount) && b.DecimalRange(0, 100, 56) && b.End();
}

// ".OBJECTDAMAGED", ".OBJECTNOTDAMAGED": any object, or a bridge.
bool ValidateObjectDamage(Block& b) {
  return b.Lookup(ResolveObjectRef) && b.Lookup(ReadAmount) && b.DecimalRange(0, 100, 56) && b.End();
}

// ".PLANESREMAINING", ".PLANESALIVEMO".
bool ValidatePlanesRemaining(Block& b) {
  return SquadFlight(b) && b.Lookup(ReadAmount) && b.DecimalRange(0, 4, 54) && b.End();
}

// ".DIVISIONHEALTHGREATERTHAN", ".DIVISIONHEALTHLESSTHAN".
bool ValidateDivisionHealth(Block& b) {
  return b.Lookup(ReadDivisionName) && b.Match(MatchDivisionName) && b.Lookup(ReadAmount) &&
         b.DecimalRange(0, 100, 56) && b.End();
}

// ".ALLIEDVEHICLESDESTROYED", ".AXISVEHICLESDESTROYED", ".UNITSDESTROYED".
bool ValidateVehiclesDestroyed(Block& b) { return b.Lookup(ReadTypeName) && b.Lookup(ReadNumber) && b.End(); }

// ".DIVISIONVEHICLESDESTROYED".
bool ValidateDivisionVehiclesDestroyed(Block& b) {
  return b.Lookup(ReadDivisionName) && b.Match(MatchDivisionName) && b.Lookup(ReadTypeName) &&
         b.Lookup(ReadNumber) && b.End();
}

// ".ALLMOCOMPLETED".
bool ValidateAllObjectivesCompleted(Block& b) { return b.End(); }

// ".FUELLEVEL".
bool ValidateFuelLevel(Block& b) {
  bool aircraft = false;
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      aircraft = TagAircraft(b) && TagFormFuel(b);
      break;
    case Form::Squad:
      aircraft = SquadFlightPlane(b) && SquadFormFuel(b);
      break;
    case Form::None:
      break;
  }
  return aircraft && FuelValue(b) && b.End();
}

// ".RANDOM": the percentage stands on the keyword line.
bool ValidateRandom(Block& b) {
  std::string value = b.statement;
  RemoveKeyword(value, ".RANDOM");
  TrimBlanks(value);
  CheckFloat(b.state, value, b.ok);
  return b.ok && b.InRange(value, 0, 100, 47) && b.End();
}

// ".FLIGHTCLOSETOFLIGHT": two flights, each matched on its own.
bool ValidateFlightCloseToFlight(Block& b) {
  return SquadFlight(b) && ClearReference(b) && SquadFlight(b) && b.Lookup(ReadDistance) && b.End();
}

// ".CLOSETOTARGET": the plane by tag (not tested for being an aircraft) or
// by squad, flight and plane; then the target.
bool ValidateCloseToTarget(Block& b) {
  bool plane = false;
  switch (EitherFormOpening(b)) {
    case Form::Tag:
      plane = b.InHand(ResolveObjectRef);
      break;
    case Form::Squad:
      plane = SquadFlightPlane(b);
      break;
    case Form::None:
      break;
  }
  return plane && b.Lookup(ResolveObjectRef) && b.Lookup(ReadDistance) && b.End();
}

// ".PLANESREMAININGINSQUAD", ".PLANESALIVEINSQUADMO": a squad, no flight.
bool ValidatePlanesRemainingInSquad(Block& b) {
  return b.Lookup(ReadSquadName) && b.Match(MatchSquad) && b.Lookup(ReadAmount) && b.DecimalRange(0, 4, 54) &&
         b.End();
}

// The check keywords in the order they are tested. Only ".TIME" and
// ".RANDOM" are matched by their first characters; every other keyword
// must be the whole line.
const BlockKeyword kCheckKeywords[] = {
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

// A keyword line without a dot is 46, an unknown keyword 125; the block
// ends with ".EndCheck".
const BlockKind kCheckBlock = {46, 125, CheckEndCheck};

}  // namespace

void DispatchCheck(MissionState& state, MissionFile& file, std::string& statement, bool& ok) {
  ReadBlock(state, file, statement, ok, kCheckBlock, kCheckKeywords);
}

}  // namespace tolvane
