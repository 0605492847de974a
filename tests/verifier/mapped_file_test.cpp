// A mission read through a mapping while another program changes the file:
// a file shortened under the verifier is unreadable and the process goes on,
// on every thread; a file that grows is verified as it was when opened.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "file_reader.h"
#include "scratch_folder.h"
#include "verify.h"

namespace tolvane {
namespace {

using MappedMission = testing::ScratchFolder;

// A mission that verifies, many pages long: a display text over many lines.
std::string LongMission() {
  std::string text = ".Trigger\r\n.Name Alarm .EndString\r\n.Check\r\n.TIME 5\r\n.EndCheck\r\n"
                     ".Action\r\n.DISPLAYTEXT\r\n.StartString The raid\r\n";
  for (int i = 0; i < 2000; ++i) text += "is coming from the sea, hold the harbour\r\n// a note\r\n";
  return text + "until dawn .EndString\r\n.EndAction\r\n.EndTrigger\r\n.MissionSummary\r\n.EndMission\r\n";
}

// Every byte touched, as the verifier may touch them.
unsigned Sum(std::string_view bytes) {
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return sum;
}

TEST_F(MappedMission, AFileShortenedWhileMappedIsUnreadableAndTheNextIsVerified) {
  const std::string mission = LongMission();
  // Cut to nothing, inside the first page, and after it: each time on the
  // same thread, so the guard holds more than once.
  for (const off_t cut : {off_t(0), off_t(100), off_t(5000)}) {
    SCOPED_TRACE(cut);
    const std::string path = Write("shrinking.mis", mission);
    MappedFile file;
    ASSERT_TRUE(file.Open(path).Ok());
    ASSERT_EQ(::truncate(path.c_str(), cut), 0);
    // Reading every byte meets the pages that went: they read as zeros.
    unsigned sum = 0;
    EXPECT_FALSE(file.ReadGuarded([&](std::string_view bytes) { sum = Sum(bytes); }));
    EXPECT_LT(sum, Sum(mission));
    EXPECT_FALSE(file.ReadGuarded([](std::string_view) {}));  // it stays changed

    ASSERT_TRUE(file.Open(Write("shrinking.mis", mission)).Ok());
    ASSERT_EQ(::truncate(path.c_str(), cut), 0);
    MissionState state;
    bool reported = false;
    const VerifyResult result = VerifyMappedFile(state, EmptyEnvironment(), file,
                                                 [&](std::string_view, const VerifyResult&) { reported = true; });
    EXPECT_TRUE(reported);  // the report was made, and is to be thrown away
    EXPECT_FALSE(result.MissionOk);
    EXPECT_EQ(result.File.Status, ReadStatus::Unreadable);
    EXPECT_EQ(result.File.Reason, "the file changed while it was read");
    EXPECT_EQ(state.ErrNo, 74);

    MissionState next;
    const VerifyResult whole = VerifyMission(next, EmptyEnvironment(), Write("next.mis", mission));
    EXPECT_TRUE(whole.MissionOk) << next.ErrNo << " " << next.LineNo;
  }
}

TEST_F(MappedMission, AFileThatGrowsIsVerifiedAsFarAsItsSizeWhenOpened) {
  const std::string mission = LongMission();
  const std::string path = Write("growing.mis", mission);
  MappedFile file;
  ASSERT_TRUE(file.Open(path).Ok());
  Write("growing.mis", mission + "this line would fail the mission\r\n" + std::string(100000, 'x'));
  MissionState state;
  const VerifyResult result = VerifyMappedFile(state, EmptyEnvironment(), file);
  EXPECT_TRUE(result.File.Ok());
  EXPECT_TRUE(result.MissionOk) << state.ErrNo << " " << state.LineNo;
  EXPECT_EQ(file.Bytes(), mission);
}

TEST_F(MappedMission, EachThreadIsGuardedInItsOwnMapping) {
  const std::string mission = LongMission();
  const std::string shrinking = Write("shrinking.mis", mission);
  const std::string intact = Write("intact.mis", mission);
  MappedFile shrunk, kept;
  ASSERT_TRUE(shrunk.Open(shrinking).Ok());
  ASSERT_TRUE(kept.Open(intact).Ok());
  ASSERT_EQ(::truncate(shrinking.c_str(), 4096), 0);
  bool shrunkIntact = true, keptIntact = false;
  unsigned shrunkSum = 0, keptSum = 0;
  std::thread first([&] { shrunkIntact = shrunk.ReadGuarded([&](std::string_view bytes) { shrunkSum = Sum(bytes); }); });
  std::thread second([&] { keptIntact = kept.ReadGuarded([&](std::string_view bytes) { keptSum = Sum(bytes); }); });
  first.join();
  second.join();
  EXPECT_FALSE(shrunkIntact);
  EXPECT_LT(shrunkSum, keptSum);
  EXPECT_TRUE(keptIntact);
  EXPECT_EQ(keptSum, Sum(mission));

  // A fault outside the mapping this thread guards is no file change: it
  // ends the process as it would without the guard.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        MappedFile other;
        if (!other.Open(intact).Ok() || ::truncate(intact.c_str(), 0) != 0) std::_Exit(0);
        volatile unsigned sum = 0;
        kept.ReadGuarded([&](std::string_view) { sum = Sum(other.Bytes()); });
        std::_Exit(0);
      },
      "");
}

}  // namespace
}  // namespace tolvane
