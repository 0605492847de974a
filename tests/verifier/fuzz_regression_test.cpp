// Replays every input the fuzzers ever found a fault with, and every sample
// mission: each must end with a code of the message table.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "statement_reader.h"
#include "verify.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ReplayFolder(const fs::path& folder) {
  if (!fs::exists(folder)) return;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    MissionState state;
    state.MissionFolder = "/nonexistent-missions";
    const VerifyResult result = VerifyMissionBytes(state, ReadBytes(entry.path()));
    EXPECT_GE(state.ErrNo, 0);
    EXPECT_LE(state.ErrNo, 137);
    EXPECT_EQ(state.ErrMsg, MessageText(state.ErrNo));
    if (!result.MissionOk) {
      EXPECT_NE(state.ErrNo, 0);
    }
  }
}

TEST(FuzzRegressions, VerifierInputsEndWithACode) {
  ReplayFolder(fs::path(TOLVANE_SOURCE_DIR) / "fuzz" / "regressions" / "verifier");
  ReplayFolder(fs::path(TOLVANE_SOURCE_DIR) / "examples");
}

}  // namespace
}  // namespace tolvane
