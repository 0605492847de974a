#include "reference_texts.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tolvane {

namespace {

// One numbered entry of a list. The description is one paragraph, wrapped
// to the list's width when the list is built. Template lines are joined by
// "\n": the keyword line first, then the field lines. An entry with a second
// way of naming its object has an alternate template.
struct ListEntry {
  const char* Title;
  const char* Description;
  const char* Template;
  const char* Alternate;  // nullptr when there is one form only
};

// How a list is laid out.
struct ListStyle {
  std::size_t SeparatorWidth;
  const char* TitleLine;
  const char* NumberIndent;   // in front of the number
  const char* AfterNumber;    // between the number and the title
  const char* DescriptionIndent;
  std::size_t LineWidth;      // of a description line, its indent included
  const char* Block;          // "Check" or "Action"
};

// Fields written with placeholders: a name ends with ".EndString", a number
// is a row of x characters.
#define NAME " xxxxxxxxxxxx .EndString"

const ListEntry kChecks[] = {
    {"Time Check",
     "Met once the mission has run for the given time, in seconds. "
     "Two minutes is 120.000000. Write one blank between TIME and the number.",
     ".TIME xxx.xxxxxx", nullptr},
    {"Plane Reached a Waypoint Check",
     "Met when the aircraft with this tag identifier reaches the waypoint. "
     "The waypoint must be one of the way set that the aircraft flies.",
     ".PLANEREACHED\n.TagIdentifier xxxx\n.Waypoint xx", nullptr},
    {"Flight Reached a Waypoint Check",
     "Met when the flight reaches the waypoint of its way set. The squad and "
     "flight are the names in the flight's .SquadName and .FlightName lines. "
     "A .TagIdentifier line with the flight's tag may replace both names.",
     ".FLIGHTREACHED\n.Squad" NAME "\n.Flight" NAME "\n.Waypoint xx", nullptr},
    {"Plane Reached Minimum Altitude Check",
     "Met when the plane reaches the given minimum altitude. Altitude is in "
     "feet for Allied aircraft and in metres for Axis aircraft. Name the plane "
     "by squad, flight and callsign, or by its tag identifier.",
     ".REACHEDMINALT\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Altitude xxxxx.xxxxxx",
     ".REACHEDMINALT\n.TagIdentifier xxxx\n.Altitude xxxxx.xxxxxx"},
    {"Plane Reached Maximum Altitude Check",
     "Met when the plane reaches the given maximum altitude. Altitude is in "
     "feet for Allied aircraft and in metres for Axis aircraft. Name the plane "
     "by squad, flight and callsign, or by its tag identifier.",
     ".REACHEDMAXALT\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Altitude xxxxx.xxxxxx",
     ".REACHEDMAXALT\n.TagIdentifier xxxx\n.Altitude xxxxx.xxxxxx"},
    {"Plane Reached a Minimum Speed",
     "Met when the plane reaches the given minimum speed. Speed is in miles "
     "per hour for Allied aircraft and in kilometres per hour for Axis "
     "aircraft; it cannot be negative.",
     ".REACHEDMINSPEED\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Speed xxx.xxxxxx",
     ".REACHEDMINSPEED\n.TagIdentifier xxxx\n.Speed xxx.xxxxxx"},
    {"Plane Reached Maximum Speed",
     "Met when the plane reaches the given maximum speed. Speed is in miles "
     "per hour for Allied aircraft and in kilometres per hour for Axis "
     "aircraft; it cannot be negative.",
     ".REACHEDMAXSPEED\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Speed xxx.xxxxxx",
     ".REACHEDMAXSPEED\n.TagIdentifier xxxx\n.Speed xxx.xxxxxx"},
    {"Plane Damaged",
     "Met when the plane has taken at least the given damage, as a percentage "
     "from 0~to~100.",
     ".PLANEDAMAGED\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Amount xxx.xxxxxx",
     ".PLANEDAMAGED\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx"},
    {"Plane NOT Damaged.",
     "Met while the plane's damage stays below the given percentage, 0~to~100.",
     ".PLANENOTDAMAGED\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Amount xxx.xxxxxx",
     ".PLANENOTDAMAGED\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx"},
    {"Damage on an Object",
     "Met when the object has taken at least the given damage, as a percentage "
     "from 0~to~100. Any object with a tag identifier will do. A bridge may stand "
     "in place of the tag: .BridgeName xxxxxxxxxxxx .EndString",
     ".OBJECTDAMAGED\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx", nullptr},
    {"Object NOT Damaged",
     "Met while the object's damage stays below the given percentage, 0~to~100. "
     "A bridge may stand in place of the tag: .BridgeName xxxxxxxxxxxx .EndString",
     ".OBJECTNOTDAMAGED\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx", nullptr},
    {"Planes Remaining",
     "Met when the flight has the given number of planes left, 0~to~4. On a "
     "flight that an AWAKEOBJ action wakes, use this check only in a trigger "
     "started by a TRIGGERATRIGGER after the AWAKEOBJ trigger.",
     ".PLANESREMAINING\n.Squad" NAME "\n.Flight" NAME "\n.Amount x", nullptr},
    {"Planes Alive Mission Objective",
     "A mission objective: met while the flight keeps the given number of "
     "planes alive, 0~to~4. On a flight that an AWAKEOBJ action wakes, use this "
     "check only in a trigger started by a TRIGGERATRIGGER after the AWAKEOBJ "
     "trigger.",
     ".PLANESALIVEMO\n.Squad" NAME "\n.Flight" NAME "\n.Amount x", nullptr},
    {"Planes Alive In Squad MO",
     "A mission objective: met while the whole squad keeps the given number "
     "of planes alive, 0~to~4. It takes the squad name only, no flight.",
     ".PLANESALIVEINSQUADMO\n.Squad" NAME "\n.Amount x", nullptr},
    {"Division Health GREATER than",
     "Met while the division's health is above the given percentage, 0~to~100. "
     "The division is named as in its .Name line.",
     ".DIVISIONHEALTHGREATERTHAN\n.Division" NAME "\n.Amount xxx.xxxxxx", nullptr},
    {"Division Health LESS than",
     "Met when the division's health falls below the given percentage, 0 to "
     "100. The division is named as in its .Name line.",
     ".DIVISIONHEALTHLESSTHAN\n.Division" NAME "\n.Amount xxx.xxxxxx", nullptr},
    {"Allied Vehicles Destroyed",
     "Met when the given number of Allied vehicles of the type are destroyed. "
     "The type is Armor, Artillery, Flak or Other; it must be on the Objects "
     "list (ObjectNames.Txt). The number cannot be negative.",
     ".ALLIEDVEHICLESDESTROYED\n.Type" NAME "\n.Number xx", nullptr},
    {"Axis Vehicles Destroyed",
     "Met when the given number of Axis vehicles of the type are destroyed. "
     "The type is Armor, Artillery, Flak or Other; it must be on the Objects "
     "list (ObjectNames.Txt). The number cannot be negative.",
     ".AXISVEHICLESDESTROYED\n.Type" NAME "\n.Number xx", nullptr},
    {"Division Vehicles Destroyed",
     "Met when the division has lost the given number of vehicles of the type. "
     "The type is Armor, Artillery, Flak or Other, and on the Objects list.",
     ".DIVISIONVEHICLESDESTROYED\n.Division" NAME "\n.Type" NAME "\n.Number xx", nullptr},
    {"Mission Objectives",
     "Met when every mission objective of the mission has been completed. "
     "It takes no lines of its own.",
     ".ALLMOCOMPLETED", nullptr},
    {"Units Destroyed",
     "Met when the given number of units of the type are destroyed, on either "
     "side. The type is Armor, Artillery, Flak or Other, and on the Objects list.",
     ".UNITSDESTROYED\n.Type" NAME "\n.Number xx", nullptr},
    {"Fuel Level Check for a Plane",
     "Met when the plane's fuel is down to the given percentage. By names the "
     "fuel line is .Fuel; by tag identifier it is written .Amount.",
     ".FUELLEVEL\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Fuel xxx.xxxxxx",
     ".FUELLEVEL\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx"},
    {"Random Check for a Trigger",
     "Met by chance: the number is the chance as a percentage, 0~to~100. "
     "Write one blank between RANDOM and the number.",
     ".RANDOM xxx", nullptr},
    {"Flight Close To Another Flight",
     "Met when the first flight comes within the distance of the second. "
     "Distances are in metres.",
     ".FLIGHTCLOSETOFLIGHT\n.Squad" NAME "\n.Flight" NAME "\n.Squad" NAME "\n.Flight" NAME
     "\n.Distance xxxxx.xxxxxx",
     nullptr},
    {"Close To an Object",
     "Met when the plane comes within the distance, in metres, of the object "
     "named by the last tag identifier (or a .BridgeName line). Name the plane "
     "by squad, flight and callsign, or by its tag identifier.",
     ".CLOSETOTARGET\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.TagIdentifier xxxx\n.Distance xxxxx.xxxxxx",
     ".CLOSETOTARGET\n.TagIdentifier xxxx\n.TagIdentifier xxxx\n.Distance xxxxx.xxxxxx"},
    {"Flight Close To A Target",
     "Met when the flight comes within the distance, in metres, of the object "
     "with the tag identifier (or of a bridge named by a .BridgeName line).",
     ".FLIGHTCLOSETOTARGET\n.Squad" NAME "\n.Flight" NAME "\n.TagIdentifier xxxx\n.Distance xxxxx.xxxxxx", nullptr},
    {"Flight Close To a Division",
     "Met when the flight comes within the distance, in metres, of the "
     "division with the tag identifier.",
     ".FLIGHTCLOSETODIVISION\n.Squad" NAME "\n.Flight" NAME "\n.TagIdentifier xxxx\n.Distance xxxxx.xxxxxx", nullptr},
    {"Planes Remaining In a Squad",
     "Met when the squad has the given number of planes left, 0~to~4. It "
     "takes the squad name only, no flight.",
     ".PLANESREMAININGINSQUAD\n.Squad" NAME "\n.Amount x", nullptr},
};

const ListEntry kActions[] = {
    {"Change Flight Way Point",
     "Sends the flight on to another waypoint of the way set it flies; the "
     "waypoint must be one of that set.",
     ".CHANGEFLIGHTWAYPOINT\n.Squad" NAME "\n.Flight" NAME "\n.Waypoint xx", nullptr},
    {"Change Way Set for Flight",
     "Gives the aircraft with the tag identifier another way set. The new set "
     "must have at least as many waypoints as the set it flies now.",
     ".CHANGEWAYSET\n.TagIdentifier xxxx\n.WaySet xx", nullptr},
    {"Play Sound",
     "Plays a sound by its number, 0~to~27. The sound numbers are listed at "
     "the end of this list.",
     ".PLAYSOUND\n.SoundID xx", nullptr},
    {"Play an Effect",
     "Plays an effect by its number, 0 or more.",
     ".PLAYEFFECT\n.Effect xx", nullptr},
    {"Display Text",
     "Shows the text on the screen for about 7 seconds. The text may run over "
     "several lines; it ends at .EndString.",
     ".DISPLAYTEXT\n.StartString xxxxxxxxxxxxxxxxxxxxxxxx .EndString", nullptr},
    {"Display Scrolling Text",
     "Scrolls the mission summary across the screen for TimeDuration seconds. "
     "RightCorner 0 shows it on the left, 1 on the right.",
     ".DISPLAYSCROLLINGTEXT\n.TimeDuration xx.xxxxxx\n.RightCorner x", nullptr},
    {"Display Fading Text",
     "Shows the text and lets it fade; Xpos and Ypos place it on the screen.",
     ".DISPLAYFADINGTEXT\n.StartString xxxxxxxxxxxxxxxxxxxxxxxx .EndString\n.Xpos x.xxxxxx\n.Ypos x.xxxxxx",
     nullptr},
    {"Display Logo",
     "Shows the logo. It takes no lines of its own.",
     ".DISPLAYLOGO", nullptr},
    {"End The Sim",
     "Ends the mission. It takes no lines of its own.",
     ".ENDSIM", nullptr},
    {"Damage an Object",
     "Damages the object by the given percentage, 0~to~100. Any object with a "
     "tag identifier will do; a .BridgeName line may stand in place of the tag.",
     ".DAMAGEOBJ\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx", nullptr},
    {"Damage A Plane",
     "Damages the plane by the given percentage, 0~to~100. Name it by squad, "
     "flight and callsign, or give the tag identifier of a flight.",
     ".DAMAGEPLANE\n.Squad" NAME "\n.Flight" NAME "\n.Plane" NAME "\n.Amount xxx.xxxxxx",
     ".DAMAGEPLANE\n.TagIdentifier xxxx\n.Amount xxx.xxxxxx"},
    {"Damage a Division",
     "Damages the division by the given percentage, 0~to~100. The division is "
     "named as in its .Name line.",
     ".DAMAGEDIVISION\n.Division" NAME "\n.Amount xxx.xxxxxx", nullptr},
    {"Awaken an Object",
     "Wakes an object that sleeps until this action; until then it counts as "
     "dead. It may be placed as it wakes: against the object with the second "
     "tag identifier, at an angle of 0~to~360 degrees, a distance in metres, "
     "facing TOWARDS or AWAY from it. Without placement, end after the tag.",
     ".AWAKEOBJ\n.TagIdentifier xxxx",
     ".AWAKEOBJ\n.TagIdentifier xxxx\n.Placement\n.TagIdentifier xxxx\n.Angle xxx.xxxxxx\n.Distance xxxx.xxxxxx\n"
     ".RelativeOrientation TOWARDS"},
    {"Trigger a Trigger",
     "Wakes the named trigger, which sleeps until this action; it must still "
     "contain a check of its own. Name it as in its .Name line.",
     ".TRIGGERATRIGGER\n.TriggerName" NAME, nullptr},
    {"Turn AI Brain of a Flight On",
     "Hands the flight to its computer pilots. Flights only: give the tag "
     "identifier of the flight.",
     ".BRAINSET\n.TagIdentifier xxxx\n.Brain ON", nullptr},
    {"Turn AI Brain of a Flight Off",
     "Takes the flight from its computer pilots. Flights only: give the tag "
     "identifier of the flight.",
     ".BRAINSET\n.TagIdentifier xxxx\n.Brain OFF", nullptr},
    {"Change Side",
     "The flight changes to the other side. Flights only: give the tag "
     "identifier of the flight.",
     ".CHANGESIDE\n.TagIdentifier xxxx", nullptr},
    {"Parachute Drop",
     "The flight drops the given number of parachutists; the number may be 0. "
     "Flights only: give the tag identifier of the flight.",
     ".PARACHUTEDROP\n.TagIdentifier xxxx\n.Number xx", nullptr},
    {"Start a Cinema",
     "Starts a cinema with the camera of the given type on the object: Yaw and "
     "Pitch in degrees, Dist in metres. The distance keyword is .Dist here.",
     ".STARTCINEMA\n.CamType x\n.TagIdentifier xxxx\n.Yaw xxx.xxxxxx\n.Pitch xxx.xxxxxx\n.Dist xxxx.xxxxxx",
     nullptr},
    {"Change the Camera in a Cinema",
     "Switches the running cinema to another camera type and object.",
     ".CHANGECAM\n.CamType x\n.TagIdentifier xxxx", nullptr},
    {"Rotate Camera in Yaw",
     "Turns the camera from StartYaw to EndYaw, in degrees, over Time seconds.",
     ".ROTATECAMYAW\n.StartYaw xxx.xxxxxx\n.EndYaw xxx.xxxxxx\n.Time xx.xxxxxx", nullptr},
    {"Rotate Camera in Pitch",
     "Tilts the camera from StartPitch to EndPitch, in degrees, over Time "
     "seconds.",
     ".ROTATECAMPITCH\n.StartPitch xxx.xxxxxx\n.EndPitch xxx.xxxxxx\n.Time xx.xxxxxx", nullptr},
    {"Move Camera from Target in Distance",
     "Moves the camera from StartDist to EndDist metres away from its object "
     "over Time seconds.",
     ".MOVECAMDIST\n.StartDist xxxx.xxxxxx\n.EndDist xxxx.xxxxxx\n.Time xx.xxxxxx", nullptr},
    {"End a Cinema",
     "Ends the running cinema. It takes no lines of its own.",
     ".ENDCINEMA", nullptr},
    {"Load the Next Mission",
     "Loads the named mission when this one ends. The file must be in the "
     "missions folder; write its name with its extension (.mis).",
     ".LOADNEXTMISSION\n.MissionName xxxxxxxx.xxx .EndString", nullptr},
};

#undef NAME

// The sound numbers of the PLAYSOUND action, with the words spoken where
// the sound has any.
struct Sound {
  const char* Description;
  const char* Voice;  // nullptr when nothing is spoken
};

const Sound kSounds[] = {
    {"Bomber: IP reached. Commencing bombing.", "IP reached. Commencing air craft run."},
    {"Bomber: Approaching target.", nullptr},
    {"Bomber: Approaching drop zone.", "Approaching drop point."},
    {"Bomber: Steady boys and make it count.", nullptr},
    {"Bomber: Approaching drop zone.", "Let get this drop right on target."},
    {"Bomber: Bomb run complete, turning back.", nullptr},
    {"Bomber: Air drop complete.", "Laundry hung out, heading back."},
    {"End Sim 1 minute", nullptr},
    {"End Sim 30 seconds", nullptr},
    {"End Sim 10 seconds", nullptr},
    {"End Sim 5 seconds", nullptr},
    {"Leader: Mission Failed.", "Think we screwed up."},
    {"Leader: Mission Accomplished.", nullptr},
    {"Leader: Speed Up.", "Pin the throttle."},
    {"Leader: Slow down.", nullptr},
    {"Leader: Up against an expert pilot.", "This guys good."},
    {"Leader: Go back to base.", nullptr},
    {"Leader: Follow me.", "Stay with me."},
    {"Leader: Search for targets.", nullptr},
    {"Leader: Free to engage.", nullptr},
    {"Leader: Free to engage.", nullptr},
    {"Leader: Break left.", nullptr},
    {"Leader: Break right.", nullptr},
    {"Leader: Break high.", nullptr},
    {"Leader: Break low.", nullptr},
    {"Leader: Close formation.", nullptr},
    {"Leader: Loose formation.", "Combat formation."},
};

// Metres and the statute miles they make.
struct DistanceRow {
  const char* Metres;
  const char* Miles;
};

const DistanceRow kDistances[] = {
    {"20000", "12.4301"}, {"19000", "11.8086"}, {"18000", "11.1871"}, {"17000", "10.5656"},
    {"16000", "9.9441"},  {"15000", "9.3226"},  {"14000", "8.7011"},  {"13000", "8.0796"},
    {"12000", "7.4580"},  {"11000", "6.8365"},  {"10000", "6.2150"},  {"9000", "5.5935"},
    {"8000", "4.9720"},   {"7000", "4.3505"},   {"6000", "3.7290"},   {"5000", "3.1075"},
    {"4000", "2.4860"},   {"3000", "1.8645"},   {"2000", "1.2430"},   {"1000", "0.6215"},
};

// The widths keep every line inside its window without a horizontal scroll.
const ListStyle kChecksStyle = {49, "             Checks Cut & Paste List", " ", ". ", "    ", 62, "Check"};
const ListStyle kActionsStyle = {64, "\t\t\tAction List", "  ", ".  ", "      ", 72, "Action"};

// Appends each "\n"-separated line of the text, with a prefix, as a line.
void AddLines(std::string& out, std::string_view text, std::string_view prefix) {
  while (true) {
    const std::size_t end = text.find('\n');
    out.append(prefix);
    out.append(text.substr(0, end));
    out.push_back('\n');
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + 1);
  }
}

// A paragraph as indented lines of at most width characters, broken at
// blanks. A "~" is a blank that never breaks ("0~to~100" stays on one line).
void AddParagraph(std::string& out, std::string_view text, std::string_view indent, std::size_t width) {
  const std::size_t room = width - indent.size();
  while (!text.empty()) {
    std::size_t cut = text.size();
    if (cut > room) {
      cut = text.rfind(' ', room);
      if (cut == std::string_view::npos || cut == 0) cut = std::min(text.find(' '), text.size());
    }
    std::string line(text.substr(0, cut));
    std::replace(line.begin(), line.end(), '~', ' ');
    out.append(indent).append(line).push_back('\n');
    text.remove_prefix(cut);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  }
}

// A template: the block line, the keyword line, the field lines, the end line.
void AddTemplate(std::string& out, std::string_view lines, const char* block) {
  out.append("\t.").append(block).push_back('\n');
  const std::size_t keywordEnd = lines.find('\n');
  AddLines(out, lines.substr(0, keywordEnd), "\t\t");
  if (keywordEnd != std::string_view::npos) AddLines(out, lines.substr(keywordEnd + 1), "\t\t\t");
  out.append("\t.End").append(block).push_back('\n');
}

template <std::size_t Count>
std::string BuildList(const ListStyle& style, const ListEntry (&entries)[Count]) {
  const std::string separator(style.SeparatorWidth, '=');
  std::string out = separator + "\n" + style.TitleLine + "\n" + separator + "\n\n";
  for (std::size_t i = 0; i < Count; ++i) {
    const ListEntry& entry = entries[i];
    out.append(style.NumberIndent).append(std::to_string(i + 1)).append(style.AfterNumber).append(entry.Title);
    out.push_back('\n');
    AddParagraph(out, entry.Description, style.DescriptionIndent, style.LineWidth);
    out.push_back('\n');
    AddTemplate(out, entry.Template, style.Block);
    if (entry.Alternate != nullptr) {
      out.append("\n Alternate Form:\n\n");
      AddTemplate(out, entry.Alternate, style.Block);
    }
    out.append("\n").append(separator);
    if (i + 1 < Count) out.append("\n\n");
  }
  return out;
}

std::string BuildActionsList() {
  std::string out = BuildList(kActionsStyle, kActions);
  out.append("\n\n\t\t\tSound ID's\n\tSound ID - Skyrend\n");
  for (std::size_t i = 0; i < sizeof kSounds / sizeof kSounds[0]; ++i) {
    out.append("\n\tSoundID ").append(std::to_string(i + 1)).append("\t").append(kSounds[i].Description);
    if (kSounds[i].Voice != nullptr) out.append("\n\tVoice: ").append(kSounds[i].Voice);
    out.push_back('\n');
  }
  out.pop_back();  // no line end after the last line
  return out;
}

std::string BuildDistanceTable() {
  const std::string rule(27, '=');
  std::string out = rule + "\n         Distances\n" + rule + "\n" + std::string(27, ' ') + "\nKm\t\tMiles";
  for (const DistanceRow& row : kDistances) out.append("\n  ").append(row.Metres).append("\t\t= ").append(row.Miles);
  return out;
}

}  // namespace

const std::string& ChecksList() {
  static const std::string text = BuildList(kChecksStyle, kChecks);
  return text;
}

const std::string& ActionsList() {
  static const std::string text = BuildActionsList();
  return text;
}

const std::string& DistanceTable() {
  static const std::string text = BuildDistanceTable();
  return text;
}

}  // namespace tolvane
