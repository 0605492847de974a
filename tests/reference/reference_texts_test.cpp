// Every template of the checks and actions lists, with its placeholders
// filled by the names of a sample mission, verifies inside that mission.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "reference_texts.h"
#include "type_names.h"
#include "verify.h"

namespace tolvane {
namespace {

const std::string kSource = TOLVANE_SOURCE_DIR;

struct Verdict {
  bool ok = false;
  std::string why;
};

// The one call of the verifier: the program's type names, the sample
// missions' folder as the missions folder.
Verdict Verify(const std::string& mission) {
  TypeNameList names;
  LoadTypeNames(names, kSource + "/program/ObjectNames.Txt");
  const MissionFolderEnvironment environment(names, kSource + "/examples");
  MissionState state;
  const VerifyResult result = VerifyMissionBytes(state, environment, mission);
  return {result.MissionOk && state.ErrNo == 0, state.ErrMsg + "at line " + std::to_string(state.LineNo)};
}

// The names and values of examples/convoy_orders.mis, by field keyword.
// Numbers are short on purpose: a keyword whose characters a validator
// counts wrongly leaves no number behind.
const std::map<std::string, std::string> kSample = {
    {".TIME", "7"}, {".RANDOM", "7"}, {".Squad", "Harrier Squadron"}, {".Flight", "Dawn Patrol"},
    {".Plane", "Harrier One"}, {".Waypoint", "2"}, {".Altitude", "5"}, {".Speed", "5"}, {".Amount", "3"},
    {".Division", "Harbour Guard"}, {".Number", "3"}, {".Fuel", "5"},
    {".Distance", "800"}, {".WaySet", "2"}, {".SoundID", "5"}, {".Effect", "3"},
    {".StartString", "Escort, stay with the lorries"}, {".TimeDuration", "8"}, {".RightCorner", "1"},
    {".Xpos", "0.5"}, {".Ypos", "0.25"}, {".Angle", "45"}, {".TriggerName", "Final Orders"}, {".CamType", "1"},
    {".Yaw", "180"}, {".Pitch", "-15"}, {".Dist", "250"}, {".StartYaw", "180"}, {".EndYaw", "270"},
    {".Time", "6"}, {".StartPitch", "-15"}, {".EndPitch", "5"}, {".StartDist", "250"}, {".EndDist", "120"},
    {".MissionName", "convoy_homecoming.mis"}};
// The first tag of a template names the escort flight, any later one the
// warehouse.
const char kFlightTag[] = "10";
const char kWarehouseTag[] = "50";
// The vehicle types the checks' descriptions name: a template with a .Type
// line verifies with each of them.
const char* const kVehicleTypes[] = {"Armor", "Artillery", "Flak", "Other"};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

// The templates of a list: each from its "\t.Check" (or "\t.Action") line to
// its "\t.EndCheck" line.
std::vector<std::vector<std::string>> Templates(const std::string& list, const std::string& block) {
  std::vector<std::vector<std::string>> templates;
  bool inside = false;
  for (const std::string& line : SplitLines(list)) {
    if (line == "\t." + block) {
      templates.emplace_back();
      inside = true;
    }
    if (inside) templates.back().push_back(line);
    if (line == "\t.End" + block) inside = false;
  }
  return templates;
}

// A placeholder is a value made of x characters (and dots) only.
bool IsPlaceholder(const std::string& value) {
  return value.find('x') != std::string::npos && value.find_first_not_of("x.") == std::string::npos;
}

// The template as mission lines (CR LF), its placeholders replaced.
std::string Fill(const std::vector<std::string>& lines, const std::string& type, std::string& unfilled) {
  std::string text;
  int tags = 0;
  for (const std::string& line : lines) {
    std::string filled = line;
    const std::size_t keywordStart = line.find_first_not_of('\t');
    const std::size_t blank = line.find(' ', keywordStart);
    if (blank != std::string::npos) {
      const std::string keyword = line.substr(keywordStart, blank - keywordStart);
      std::string value = line.substr(blank + 1);
      const std::size_t marker = value.rfind(" .EndString");
      if (marker != std::string::npos) value.erase(marker);
      if (IsPlaceholder(value)) {
        std::string sample;
        if (keyword == ".TagIdentifier") {
          sample = tags++ == 0 ? kFlightTag : kWarehouseTag;
        } else if (keyword == ".Type") {
          sample = type;
        } else if (kSample.count(keyword) != 0) {
          sample = kSample.at(keyword);
        } else {
          unfilled += keyword + " ";
        }
        filled.replace(blank + 1, value.size(), sample);
      }
    }
    text += filled + "\r\n";
  }
  return text;
}

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mission_ = ReadFile(kSource + "/examples/convoy_orders.mis");
    summary_ = mission_.find("\r\n.MissionSummary\r\n");
    ASSERT_NE(summary_, std::string::npos);
    const Verdict plain = Verify(mission_);
    ASSERT_TRUE(plain.ok) << plain.why;
  }

  // Each template in a trigger of its own at the end of the trigger section,
  // with a check or an action of the simplest kind beside it. Answers how
  // many keywords the templates cover.
  std::size_t VerifyEach(const std::string& list, const std::string& block, const std::string& partner) {
    std::set<std::string> keywords;
    for (const std::vector<std::string>& lines : Templates(list, block)) {
      std::string quoted;
      for (const std::string& line : lines) quoted += line + "\n";
      if (lines.size() < 3) {
        ADD_FAILURE() << "a template without its keyword line or its end\n" << quoted;
        continue;
      }
      keywords.insert(lines[1].substr(2, lines[1].find(' ') - 2));
      bool typed = false;
      for (const std::string& line : lines) typed = typed || line.find("\t.Type ") != std::string::npos;
      for (const char* type : kVehicleTypes) {
        std::string unfilled;
        const std::string filled = Fill(lines, type, unfilled);
        EXPECT_EQ(unfilled, "") << "no sample value for these fields of\n" << quoted;
        const std::string trigger = "\r\n.Trigger\r\n.Name Template Under Test .EndString\r\n" +
                                    (block == "Check" ? filled + partner : partner + filled) + ".EndTrigger";
        const Verdict verdict = Verify(std::string(mission_).insert(summary_, trigger));
        EXPECT_TRUE(verdict.ok) << verdict.why << " in the template\n" << quoted << "filled as\n" << filled;
        if (!typed) break;  // one filling is enough without a type
      }
    }
    return keywords.size();
  }

  std::string mission_;
  std::size_t summary_ = 0;
};

TEST_F(TemplateTest, EveryCheckTemplateVerifies) {
  EXPECT_EQ(VerifyEach(ChecksList(), "Check", ".Action\r\n.ENDSIM\r\n.EndAction\r\n"), 28u);
}

TEST_F(TemplateTest, EveryActionTemplateVerifies) {
  EXPECT_EQ(VerifyEach(ActionsList(), "Action", ".Check\r\n.TIME 5\r\n.EndCheck\r\n"), 24u);
}

}  // namespace
}  // namespace tolvane
