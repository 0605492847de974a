#include "object_validator.h"

#include <array>
#include <cassert>
#include <iterator>
#include <string_view>
#include <vector>

#include "statement_reader.h"

namespace tolvane {

namespace {

enum class ValueRule { Number, Whole, Text, Side, Nation, Flag, MarkedText, IgnoredValue, Yaw };

struct ObjectKeyword {
  std::string_view keyword;
  ValueRule rule;
};

// The object keywords in the order they are tested; the first whose text
// begins the statement decides, so a longer word that starts with a keyword
// is taken as that keyword.
constexpr ObjectKeyword kObjectKeywords[] = {
    {".Yaw", ValueRule::Yaw},                      //  1
    {".PositionX", ValueRule::Number},             //  2
    {".PositionY", ValueRule::Number},             //  3
    {".PositionZ", ValueRule::Number},             //  4
    {".Speed", ValueRule::Number},                 //  5
    {".SIDE", ValueRule::Side},                    //  6
    {".Side", ValueRule::Side},                    //  7
    {".Nation", ValueRule::Nation},                //  8
    {".ICONHIDDEN", ValueRule::Flag},              //  9
    {".Info", ValueRule::Flag},                    // 10
    {".EndName", ValueRule::Flag},                 // 11
    {".TotalHealth", ValueRule::Number},           // 12
    {".TotalSize", ValueRule::Number},             // 13
    {".Stance", ValueRule::Number},                // 14
    {".EndInfo", ValueRule::Flag},                 // 15
    {".AirBaseIndex", ValueRule::Whole},           // 16
    {".EndSquadName", ValueRule::Flag},            // 17
    {".EndFlightName", ValueRule::Flag},           // 18
    {".BrainOff", ValueRule::Flag},                // 19
    {".BrainOFF", ValueRule::Flag},                // 20
    {".Spread V Formation", ValueRule::Flag},      // 21
    {".EndSpreadType", ValueRule::Flag},           // 22
    {".Spread", ValueRule::Flag},                  // 23
    {".TypeName", ValueRule::Text},                // 24
    {".Type", ValueRule::Text},                    // 25
    {".TagIdentifier", ValueRule::Whole},          // 26
    {".IsPlayer", ValueRule::Flag},                // 27
    {".PlaneAI", ValueRule::Whole},                // 28
    {".PlaneWayPoints", ValueRule::Whole},         // 29
    {".Callsign", ValueRule::Text},                // 30
    {".MPCallsign", ValueRule::Text},              // 31
    {".FuelPercent", ValueRule::Number},           // 32
    {".Skill", ValueRule::Text},                   // 33
    {".Pitch", ValueRule::Number},                 // 34
    {".Roll", ValueRule::Number},                  // 35
    {".WeaponLoadOut", ValueRule::Text},           // 36
    {".VehicleAI", ValueRule::Whole},              // 37
    {".VehicleWayPoints", ValueRule::Whole},       // 38
    {".Posx", ValueRule::Whole},                   // 39
    {".Posy", ValueRule::Whole},
    {".Posz", ValueRule::Whole},
    {".PosX", ValueRule::Whole},                   // 40
    {".PosY", ValueRule::Whole},
    {".PosZ", ValueRule::Whole},
    {".TargetSpeed", ValueRule::Number},           // 41
    {".TargetID", ValueRule::Whole},               // 42
    {".EndActionInfo", ValueRule::Flag},           // 43
    {".ActionInfo", ValueRule::Flag},              // 44
    {".Action", ValueRule::IgnoredValue},          // 45
    {".EndNotes", ValueRule::Flag},                // 46
    {".Notes", ValueRule::Flag},                   // 47
    {".AirbaseName", ValueRule::MarkedText},       // 48
    {".Radius", ValueRule::Number},                // 49
    {".Time", ValueRule::Number},                  // 50
    {".Altitude", ValueRule::Number},              // 51
    {".BridgeName", ValueRule::MarkedText},        // 52
    {".TargetClass", ValueRule::MarkedText},       // 53
};

void ApplyRule(MissionState& state, ValueRule rule, std::string_view keyword, std::string& statement,
               bool& ok) {
  switch (rule) {
    case ValueRule::Number:
    case ValueRule::Whole:
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      TrimBlanks(statement);
      if (rule == ValueRule::Number) {
        CheckFloat(state, statement, ok);
      } else {
        CheckInteger(state, statement, ok);
      }
      return;
    case ValueRule::Text:
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      TrimBlanks(statement);
      return;
    case ValueRule::Side:
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      TrimBlanks(statement);
      if (statement != "Allied" && statement != "Axis") Fail(state, ok, 116);
      return;
    case ValueRule::Nation:
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      TrimBlanks(statement);
      if (statement != "American" && statement != "German" && statement != "British") Fail(state, ok, 117);
      return;
    case ValueRule::Flag:
      statement.clear();
      return;
    case ValueRule::MarkedText: {
      // The separator is looked for in the text value, before its marker.
      RemoveKeyword(statement, keyword);
      if (!CheckValueSeparator(state, TextValue(statement), ok)) return;
      statement.clear();
      return;
    }
    case ValueRule::IgnoredValue:
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      statement.clear();
      return;
    case ValueRule::Yaw:
      // The rest is checked and left as it stands, blanks included.
      if (!TakeKeyword(state, statement, keyword, ok)) return;
      CheckFloat(state, statement, ok);
      return;
  }
}

}  // namespace

namespace {

// Every keyword is a dot and at least one more character, so only the rows
// whose second character is the statement's can match. For each second
// character, its rows in table order: testing them in turn finds the same
// first match as testing every row.
class KeywordRows {
 public:
  KeywordRows() {
    for (std::size_t i = 0; i < std::size(kObjectKeywords); ++i) {
      const std::string_view keyword = kObjectKeywords[i].keyword;
      assert(keyword.size() >= 2 && keyword[0] == '.');
      rows_[static_cast<unsigned char>(keyword[1])].push_back(i);
    }
  }
  const std::vector<std::size_t>& For(std::string_view statement) const {
    static const std::vector<std::size_t> none;
    if (statement.size() < 2 || statement[0] != '.') return none;
    return rows_[static_cast<unsigned char>(statement[1])];
  }

 private:
  std::array<std::vector<std::size_t>, 256> rows_;
};

}  // namespace

void ValidateObjectStatement(MissionState& state, std::string& statement, bool& ok) {
  if (statement.empty()) return;
  static const KeywordRows rows;
  for (const std::size_t i : rows.For(statement)) {
    const ObjectKeyword& entry = kObjectKeywords[i];
    if (BeginsWith(statement, entry.keyword)) {
      ApplyRule(state, entry.rule, entry.keyword, statement, ok);
      return;
    }
  }
  Fail(state, ok, 114);
}

}  // namespace tolvane
