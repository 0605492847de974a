// Statements inside objects: the value each leaves behind and the code each
// fault earns.

#include <gtest/gtest.h>

#include "harbour_mission.h"
#include "object_validator.h"

namespace tolvane {
namespace {

TEST(ValidateObjectStatement, ValuesAndCodes) {
  const struct {
    const char* statement;
    int code;
    const char* buffer;  // checked when the statement passes
  } cases[] = {
      {".PositionX 12.5", 0, "12.5"},
      {".Yaw 1.5", 0, " 1.5"},
      {".TagIdentifier $1F", 0, "$1F"},
      {".Callsign\tBlue Two  ", 0, "Blue Two"},
      {".Callsign   ", 0, ""},
      {".IsPlayer trailing words", 0, ""},
      {".Action anything", 0, ""},
      {".BridgeName Old Mill Bridge .EndString", 0, ""},
      {".TypeName Hurrier", 0, "Hurrier"},
      {"", 0, ""},
      {".Side\tAxis", 0, "Axis"},
      {".Nation American", 0, "American"},
      {".Posx 4", 0, "4"},
      // ".EndActionInfo" is tested before ".Action".
      {".EndActionInfo", 0, ""},
      // Decimal values are checked by their form alone.
      {".TotalHealth 1e999", 0, "1e999"},
      {".TotalHealth 1e999e", 21, ""},
      {".Side allied", 116, ""},
      {".Sides Allied", 105, ""},
      {".side Allied", 114, ""},
      {".Nation Americian", 117, ""},
      {".PositionX12.5", 105, ""},
      {".Yaw\t1.5", 21, ""},
      {".TagIdentifier 12.5", 21, ""},
      {".Action", 105, ""},
      {".BridgeName Old Mill Bridge", 105, ""},
      {".Callsign", 105, ""},
      {"Plain words", 114, ""},
  };
  for (const auto& c : cases) {
    MissionState st;
    bool ok = true;
    std::string statement = c.statement;
    ValidateObjectStatement(st, statement, ok);
    EXPECT_EQ(st.ErrNo, c.code) << c.statement;
    EXPECT_EQ(ok, c.code == 0) << c.statement;
    if (c.code == 0) {
      EXPECT_EQ(statement, c.buffer) << c.statement;
    }
  }
}

TEST(ValidateObjectStatement, AMissionWithHugeValuesVerifies) {
  const std::string structure = builder::Lines({".ENTITY", ".Type Warehouse", ".TagIdentifier 77",
                                                ".PositionX 1e999", ".TotalHealth 1e999", ".EndEntity"});
  const std::string text = harbour::HarbourObjects() + structure +
                           harbour::HarbourMission(harbour::CheckBody(".TIME 5|.EndCheck")).substr(
                               harbour::HarbourObjects().size());
  const harbour::Verdict verdict = harbour::VerifyText(text);
  EXPECT_TRUE(verdict.ok) << verdict.code << " at " << verdict.line;
  EXPECT_EQ(verdict.pass, 2);
}

}  // namespace
}  // namespace tolvane
