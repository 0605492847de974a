// Replays every input the fuzzers ever found a fault with: each must end with
// a code of the message table. Every sample mission must verify.

#include <gtest/gtest.h>

#include <filesystem>

#include "file_reader.h"
#include "settings_round_trip.h"
#include "statement_reader.h"
#include "verify.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSource(TOLVANE_SOURCE_DIR);

std::vector<fs::path> FilesOf(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

TEST(FuzzRegressions, VerifierInputsEndWithACode) {
  const MissionFolderEnvironment environment({}, "/nonexistent-missions");
  for (const fs::path& path : FilesOf(kSource / "fuzz" / "regressions" / "verifier")) {
    SCOPED_TRACE(path.string());
    MissionState state;
    const VerifyResult result = VerifyMission(state, environment, path.string());
    ASSERT_TRUE(result.File.Ok()) << result.File.Reason;
    EXPECT_GE(state.ErrNo, 0);
    EXPECT_LE(state.ErrNo, 137);
    EXPECT_EQ(state.ErrMsg, MessageText(state.ErrNo));
    if (!result.MissionOk) {
      EXPECT_NE(state.ErrNo, 0);
    }
  }
}

TEST(FuzzRegressions, SettingsInputsReadBackAsTheyWereRead) {
  for (const fs::path& path : FilesOf(kSource / "fuzz" / "regressions" / "settings")) {
    SCOPED_TRACE(path.string());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path.string(), bytes).Ok());
    SettingsFileFuzzOne(bytes);  // aborts on a fault
  }
}

TEST(SampleMissions, EveryOneVerifies) {
  // With the program's own type names, and the samples' folder as the
  // missions folder (one sample loads another next).
  TypeNameList names;
  ASSERT_TRUE(LoadTypeNames(names, (kSource / "program" / "ObjectNames.Txt").string()).Ok());
  const MissionFolderEnvironment environment(names, (kSource / "examples").string());
  const std::vector<fs::path> samples = FilesOf(kSource / "examples");
  ASSERT_GE(samples.size(), 5u);
  for (const fs::path& path : samples) {
    SCOPED_TRACE(path.string());
    MissionState state;
    const VerifyResult result = VerifyMission(state, environment, path.string());
    EXPECT_TRUE(result.MissionOk) << state.ErrMsg << "at line " << state.LineNo;
    EXPECT_EQ(state.ErrNo, 0);
    EXPECT_EQ(result.LastPass, state.TriggersFound ? 2 : 1);
  }
}

}  // namespace
}  // namespace tolvane
