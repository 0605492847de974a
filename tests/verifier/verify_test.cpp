// One whole verification from its entry points: a file read once and left as
// it was, the same verdict from the file and from its bytes, files that cannot
// be read, and the environment as the only way to the world outside the text.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>

#include "scratch_folder.h"
#include "harbour_mission.h"
#include "record_fields.h"
#include "verify.h"

namespace tolvane {
namespace {

using namespace builder;

using VerifyFromAFile = testing::ScratchFolder;

// Every field of every table, as text.
std::vector<std::string> AllTables(const MissionState& state) {
  std::vector<std::string> fields;
  for (int t = 0; t < TableDescriptorCount; ++t) {
    const TableDescriptor& table = TableDescriptors()[t];
    for (int record = 1; record <= table.Count(state); ++record) {
      for (int field = 0; field < table.FieldCount; ++field) fields.push_back(table.Text(state, record, field));
    }
  }
  return fields;
}

TEST_F(VerifyFromAFile, TheFileGivesTheVerdictOfItsBytesAndIsLeftAsItWas) {
  const TypeNameList names = [] {
    TypeNameList list;
    for (const std::string& name : harbour::HarbourTypeNames()) list.TypeNameTable.emplace_back(name);
    return list;
  }();
  const MissionFolderEnvironment environment(names, folder.string());
  const std::string good = harbour::HarbourMission(harbour::CheckBody(".TIME 5|.EndCheck"));
  const std::string bad = harbour::HarbourMission(harbour::CheckBody(".FLIGHTREACHED|.TagIdentifier 101|.Waypoint 9|.EndCheck"));
  const std::string brokenInPassOne = Lines({".Trigger", ".Name Alpha .EndString"});
  // Many pages read through the file's mapping, whole and cut in the middle of a text.
  std::string pages;
  for (int i = 0; i < 2000; ++i) pages += "is coming from the sea, hold the harbour\r\n// a note\r\n";
  const std::string longText = harbour::HarbourMission(
      {".Check", ".TIME 5", ".EndCheck", ".Action", ".DISPLAYTEXT", ".StartString The raid", pages + "until dawn .EndString",
       ".EndAction"});
  for (const std::string& text : {good, bad, brokenInPassOne, longText, longText.substr(0, longText.size() / 2)}) {
    const std::string path = Write("MissionTemp.fil", text);
    MissionState fromFile;
    const VerifyResult fileResult = VerifyMission(fromFile, environment, path);
    MissionState fromBytes;
    const VerifyResult bytesResult = VerifyMissionBytes(fromBytes, environment, text);
    EXPECT_TRUE(fileResult.File.Ok());
    EXPECT_EQ(fileResult.MissionOk, bytesResult.MissionOk);
    EXPECT_EQ(fileResult.LastPass, bytesResult.LastPass);
    EXPECT_EQ(fileResult.LocateText, bytesResult.LocateText);
    EXPECT_EQ(fromFile.ErrNo, fromBytes.ErrNo);
    EXPECT_EQ(fromFile.LineNo, fromBytes.LineNo);
    EXPECT_EQ(AllTables(fromFile), AllTables(fromBytes));
    // Nothing is deleted or added, whatever the outcome.
    EXPECT_EQ(std::set<std::filesystem::path>(std::filesystem::directory_iterator(folder), {}),
              std::set<std::filesystem::path>({path}));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
  }
  MissionState state;
  EXPECT_TRUE(VerifyMission(state, environment, Write("good.mis", good)).MissionOk);
  EXPECT_TRUE(VerifyMission(state, environment, Write("long.mis", longText)).MissionOk);
  EXPECT_EQ(VerifyMission(state, environment, Write("bad.mis", bad)).LastPass, 2);
  EXPECT_EQ(state.ErrNo, 79);  // no waypoint 9 in the plane's set
}

TEST_F(VerifyFromAFile, ARunAskedToStopEndsEarlyWithoutAVerdict) {
  TypeNameList names;
  for (const std::string& name : harbour::HarbourTypeNames()) names.TypeNameTable.emplace_back(name);
  const MissionFolderEnvironment environment(names, folder.string());
  // Long notes before a mission that verifies, and before one with an error.
  std::string notes;
  for (int i = 0; i < 8 * MissionState::StopCheckLines; ++i) notes += "// a long note\r\n";
  const std::string good = notes + harbour::HarbourMission(harbour::CheckBody(".TIME 5|.EndCheck"));
  const std::string bad = notes + Lines({".Trigger", ".Name Alpha .EndString"});
  std::atomic<bool> stop{true};
  for (const std::string& text : {good, bad}) {
    MissionState state;
    state.StopRequested = &stop;
    const VerifyResult result = VerifyMissionBytes(state, environment, text);
    EXPECT_TRUE(result.Stopped);
    EXPECT_FALSE(result.MissionOk);
    EXPECT_TRUE(result.LocateText.empty());
    EXPECT_EQ(state.ErrNo, 0);
    EXPECT_TRUE(state.ErrMsg.empty());
    EXPECT_EQ(state.LineNo, MissionState::StopCheckLines);  // at the first look
  }
  // Not asked: the flag is looked at all along and changes nothing.
  stop = false;
  MissionState state;
  state.StopRequested = &stop;
  const VerifyResult result = VerifyMissionBytes(state, environment, good);
  EXPECT_TRUE(result.MissionOk);
  EXPECT_FALSE(result.Stopped);
  EXPECT_EQ(result.LastPass, 2);
}

TEST_F(VerifyFromAFile, AFileThatCannotBeReadIsCode74WithItsReason) {
  MissionState state;
  // What an earlier run found is emptied first.
  VerifyMissionBytes(state, EmptyEnvironment(),
                     VehicleBlock("Lorry", "5") + TriggerBlock("Alpha", {".Check"}) + MissionEnd());
  ASSERT_EQ(state.VehicleTable.count(), 1);
  ASSERT_EQ(state.TriggerTable.count(), 1);

  const std::string fifo = (folder / "pipe.fil").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    ReadStatus status;
    std::string reason;
  } cases[] = {
      {(folder / "absent.fil").string(), ReadStatus::Missing, "No such file or directory"},
      {fifo, ReadStatus::NotOrdinary, "not an ordinary file"},  // no writer: never waited for
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    state.ErrNo = 0;
    const VerifyResult result = VerifyMission(state, EmptyEnvironment(), c.path);
    EXPECT_FALSE(result.MissionOk);
    EXPECT_EQ(result.LastPass, 1);
    EXPECT_EQ(state.ErrNo, 74);
    EXPECT_EQ(state.ErrMsg, "Tolvane can not open a temporary file it needs ");
    EXPECT_EQ(state.LineNo, 0);
    EXPECT_EQ(state.VehicleTable.count(), 0);
    EXPECT_EQ(state.TriggerTable.count(), 0);
    EXPECT_FALSE(state.TriggersFound);
    EXPECT_EQ(result.File.Status, c.status);
    EXPECT_EQ(result.File.Reason, c.reason);
  }
}

// An environment that answers from a list and remembers what it was asked.
class ListedMissions : public VerifierEnvironment {
 public:
  explicit ListedMissions(std::set<std::string> missions) : missions_(std::move(missions)) {
    names_.TypeNameTable.emplace_back("Lorry");
  }
  const TypeNameList& TypeNames() const override { return names_; }
  bool NextMissionExists(const std::string& name) const override {
    asked.push_back(name);
    return missions_.count(name) != 0;
  }
  mutable std::vector<std::string> asked;

 private:
  TypeNameList names_;
  std::set<std::string> missions_;
};

TEST(VerifierEnvironment, IsTheOnlySourceOfTypeNamesAndNextMissions) {
  const std::string body = VehicleBlock("Lorry", "5") +
                           TriggerBlock("Alpha", {".Check", ".UNITSDESTROYED", ".Type Lorry .EndString", ".Number 1",
                                                  ".EndCheck", ".Action", ".LOADNEXTMISSION",
                                                  ".MissionName Second Leg.mis .EndString", ".EndAction"}) +
                           MissionEnd();
  ListedMissions listed({"Second Leg.mis"});
  MissionState state;
  EXPECT_TRUE(VerifyMissionBytes(state, listed, body).MissionOk) << state.ErrMsg << state.LineNo;
  EXPECT_EQ(listed.asked, std::vector<std::string>({"Second Leg.mis"}));
  // The environment is the run's only: afterwards the state holds none.
  EXPECT_EQ(state.Environment, nullptr);

  ListedMissions none({});
  EXPECT_FALSE(VerifyMissionBytes(state, none, body).MissionOk);
  EXPECT_EQ(state.ErrNo, 73);
  // Without type names the type check fails first.
  EXPECT_FALSE(VerifyMissionBytes(state, EmptyEnvironment(), body).MissionOk);
  EXPECT_EQ(state.ErrNo, 96);
}

// Names that leave the folder are run through tolvane-verify; here what a
// command line cannot carry.
TEST_F(VerifyFromAFile, MissionFolderEnvironmentLooksForTheExactNameInItsFolder) {
  Write("Second Leg.mis", ".EndMission\r\n");
  std::filesystem::create_directories(folder / "Old Missions");
  const MissionFolderEnvironment environment({}, folder.string());
  EXPECT_TRUE(environment.NextMissionExists("Second Leg.mis"));
  EXPECT_FALSE(environment.NextMissionExists("second leg.mis"));
  EXPECT_FALSE(environment.NextMissionExists("Old Missions"));  // a folder is no mission
  EXPECT_FALSE(environment.NextMissionExists(std::string("Second Leg.mis\0x", 16)));
}

}  // namespace
}  // namespace tolvane
