#include <gtest/gtest.h>

#include "harbour_mission.h"
#include "object_validator.h"

namespace tolvane {
namespace {

struct Outcome {
  bool ok;
  int code;
  std::string buffer;
};

Outcome Validate(std::string statement) {
  MissionState st;
  bool ok = true;
  ValidateObjectStatement(st, statement, ok);
  return {ok, st.ErrNo, statement};
}

TEST(ValidateObjectStatement, ValuesLeftInTheBuffer) {
  EXPECT_EQ(Validate(".PositionX 12.5").buffer, "12.5");
  EXPECT_EQ(Validate(".Nation German").buffer, "German");
  EXPECT_EQ(Validate(".Yaw 1.5").buffer, " 1.5");
  EXPECT_EQ(Validate(".TagIdentifier 1234").buffer, "1234");
  EXPECT_EQ(Validate(".Callsign   ").buffer, "");
  EXPECT_EQ(Validate(".Callsign\tBlue Two  ").buffer, "Blue Two");
  EXPECT_EQ(Validate(".IsPlayer").buffer, "");
  EXPECT_EQ(Validate(".IsPlayer trailing words").buffer, "");
  EXPECT_EQ(Validate(".Action anything").buffer, "");
  EXPECT_EQ(Validate(".BridgeName Old Mill Bridge .EndString").buffer, "");
  EXPECT_EQ(Validate(".Type Hurrier").buffer, "Hurrier");
  EXPECT_EQ(Validate(".TypeName Hurrier").buffer, "Hurrier");
  EXPECT_TRUE(Validate("").ok);
  EXPECT_EQ(Validate("").buffer, "");
}

TEST(ValidateObjectStatement, SideAndNation) {
  EXPECT_TRUE(Validate(".SIDE Allied").ok);
  EXPECT_TRUE(Validate(".Side\tAxis").ok);
  EXPECT_EQ(Validate(".Side allied").code, 116);
  EXPECT_EQ(Validate(".Sides Allied").code, 105);
  EXPECT_EQ(Validate(".side Allied").code, 114);
  EXPECT_TRUE(Validate(".Nation British").ok);
  EXPECT_TRUE(Validate(".Nation American").ok);
  EXPECT_EQ(Validate(".Nation GERMAN").code, 117);
  EXPECT_EQ(Validate(".Nation Americian").code, 117);
}

TEST(ValidateObjectStatement, DecimalValuesAreCheckedByTheirFormAlone) {
  EXPECT_TRUE(Validate(".TotalHealth 1e999").ok);
  EXPECT_TRUE(Validate(".PositionX -1E400").ok);
  EXPECT_TRUE(Validate(".Yaw 1e-999").ok);
  EXPECT_EQ(Validate(".TotalHealth 1e999e").code, 21);
  // A whole mission with such a value verifies.
  const std::string structure = builder::Lines({".ENTITY", ".Type Warehouse", ".TagIdentifier 77",
                                                ".PositionX 1e999", ".TotalHealth 1e999", ".EndEntity"});
  const std::string text = harbour::HarbourObjects() + structure +
                           harbour::HarbourMission(harbour::CheckBody(".TIME 5|.EndCheck")).substr(
                               harbour::HarbourObjects().size());
  const harbour::Verdict verdict = harbour::VerifyText(text);
  EXPECT_TRUE(verdict.ok) << verdict.code << " at " << verdict.line;
  EXPECT_EQ(verdict.pass, 2);
}

TEST(ValidateObjectStatement, SeparatorAndNumberErrors) {
  EXPECT_EQ(Validate(".PositionX12.5").code, 105);
  EXPECT_EQ(Validate(".PositionX abc").code, 21);
  EXPECT_EQ(Validate(".Speedy 4").code, 105);
  EXPECT_EQ(Validate(".Yaw\t1.5").code, 21);
  EXPECT_EQ(Validate(".TagIdentifier 12.5").code, 21);
  EXPECT_EQ(Validate(".Action").code, 105);
  EXPECT_EQ(Validate(".BridgeName Old Mill Bridge").code, 105);
  EXPECT_EQ(Validate(".Callsign").code, 105);
  EXPECT_TRUE(Validate(".TagIdentifier $1F").ok);
  EXPECT_TRUE(Validate(".TagIdentifier -3").ok);
}

TEST(ValidateObjectStatement, CaseAndOrderOfKeywords) {
  EXPECT_TRUE(Validate(".PosX 4").ok);
  EXPECT_TRUE(Validate(".Posx 4").ok);
  EXPECT_EQ(Validate(".posx 4").code, 114);
  EXPECT_TRUE(Validate(".AirBaseIndex 3").ok);
  EXPECT_EQ(Validate(".AirBaseIndex x").code, 21);
  EXPECT_TRUE(Validate(".AirbaseName North Field .EndString").ok);
  // ".Spread V Formation" is a flag; ".Spread" alone is one too.
  EXPECT_TRUE(Validate(".Spread V Formation").ok);
  EXPECT_TRUE(Validate(".Spread Wide").ok);
  // ".EndActionInfo" is tested before ".Action".
  EXPECT_TRUE(Validate(".EndActionInfo").ok);
  EXPECT_TRUE(Validate(".ActionInfo").ok);
  EXPECT_EQ(Validate(".Unknown 1").code, 114);
  EXPECT_EQ(Validate("Plain words").code, 114);
}

}  // namespace
}  // namespace tolvane
