// tolvane-verify at its edges, run as a process: inputs that are no ordinary
// file or never end, a report that cannot be written, names that would break
// a line or reach the terminal, next-mission names that leave the missions
// folder, and settings files that are huge, empty or binary. Every run ends
// with exit 0, 1 or 2, and the files after a bad one are still verified.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "json_text.h"
#include "process_fixture.h"
#include "run_process.h"

namespace {

using testcli::kChannelSweep;
using testcli::kProgramFolder;
using testcli::OnwardMission;
using testcli::VerifyProcess;

// Address space a run may use. A sanitizer build reserves far more for its
// own bookkeeping and runs without the limit.
#ifdef TOLVANE_SANITIZED_BUILD
constexpr std::uint64_t kMemoryLimit = 0;
#else
constexpr std::uint64_t kMemoryLimit = std::uint64_t(256) << 20;
#endif

bool HasControlBytes(const std::string& text) {
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\n') || byte == 0x7F) return true;
  }
  return false;
}

// A file of size bytes that takes no room on disk: the given start, then a hole.
void WriteSparse(const std::string& path, const std::string& start, off_t size) {
  testproc::WriteFile(path, start);
  ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

}  // namespace

TEST_F(VerifyProcess, UnreadableFilesAreRefusedAtOnceAndTheOthersAreStillVerified) {
  const std::string missing = scratch_ / "no_such_mission.mis";
  const std::string fifo = scratch_ / "no_writer.mis";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // opening it would wait for ever
  const std::string bad = Write("bad.mis", testcli::kBadMission);
  const auto outcome =
      Run({"--program-folder", kProgramFolder, missing, fifo, "/dev/zero", "/dev/null", kChannelSweep, bad});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "tolvane-verify: cannot read '" + missing + "': No such file or directory\n" +
                             "tolvane-verify: cannot read '" + fifo + "': not an ordinary file\n" +
                             "tolvane-verify: cannot read '/dev/zero': not an ordinary file\n" +
                             "tolvane-verify: cannot read '/dev/null': not an ordinary file\n" +
                             "tolvane-verify: 6 files, 1 verified, 1 failed, 4 unreadable\n");
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n" + bad + ":2:4: error: Expected a Keyword but \".\" not found [60]\n");
}

TEST_F(VerifyProcess, EndlessStandardInputEndsWithinItsBoundAndMemory) {
  testproc::RunOptions fromZero;
  fromZero.inputPath = "/dev/zero";
  fromZero.memoryLimit = kMemoryLimit;
  // The default bound (1 GiB) is past the memory the run may use: the input
  // is too large for it, and the next file is verified all the same.
  std::vector<std::string> arguments = {"--program-folder", kProgramFolder, "-", kChannelSweep};
  if (kMemoryLimit == 0) arguments.insert(arguments.begin(), {"--max-size", "64M"});
  auto outcome = Run(arguments, fromZero);
  EXPECT_EQ(outcome.status, 2) << outcome.err;
  EXPECT_EQ(outcome.err.rfind("tolvane-verify: cannot read '-': ", 0), 0u) << outcome.err;
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n");

  outcome = Run({"--max-size", "1K", "--program-folder", kProgramFolder, "-"}, fromZero);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "tolvane-verify: cannot read '-': larger than 1024 bytes\n");

  // The bound applies to files too; standard input redirected from a file is
  // read by its size.
  testproc::RunOptions fromFile;
  fromFile.inputPath = kChannelSweep;
  outcome = Run({"--max-size=2k", "--program-folder", kProgramFolder, kChannelSweep, "-"}, fromFile);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "tolvane-verify: cannot read '" + kChannelSweep + "': larger than 2048 bytes\n" +
                             "tolvane-verify: cannot read '-': larger than 2048 bytes\n" +
                             "tolvane-verify: 2 files, 0 verified, 0 failed, 2 unreadable\n");
  outcome = Run({"--max-size", "1M", "--program-folder", kProgramFolder, "-"}, fromFile);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "-: ok\n");
  for (const char* size : {"0", "-1", "1T", "12KB", "", "99999999999999999999"}) {
    outcome = Run({"--max-size", size, kChannelSweep});
    EXPECT_EQ(outcome.status, 2) << size;
    EXPECT_EQ(outcome.out, "") << size;
  }
}

TEST_F(VerifyProcess, AHugeSparseMissionIsTooLargeWithoutBeingRead) {
  const std::string huge = scratch_ / "huge.mis";
  WriteSparse(huge, testproc::ReadFile(kChannelSweep), off_t(8) << 30);
  testproc::RunOptions limited;
  limited.memoryLimit = kMemoryLimit;
  const auto outcome = Run({"--program-folder", kProgramFolder, huge, kChannelSweep}, limited);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(testproc::Lines(outcome.err).at(0), "tolvane-verify: cannot read '" + huge + "': larger than 1073741824 bytes");
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n");
}

TEST_F(VerifyProcess, AReportThatCannotBeWrittenExitsTwo) {
  for (const std::string form : {"--plain", "--json"}) {
    std::vector<std::string> arguments = {"--program-folder", kProgramFolder, kChannelSweep};
    if (form == "--json") arguments.push_back("--json");
    testproc::RunOptions full;
    full.outputPath = "/dev/full";
    auto outcome = Run(arguments, full);
    EXPECT_EQ(outcome.status, 2) << form;
    EXPECT_EQ(outcome.err, "tolvane-verify: cannot write the report: No space left on device\n") << form;

    testproc::RunOptions closed;
    closed.closeOutput = true;
    outcome = Run(arguments, closed);
    EXPECT_EQ(outcome.status, 2) << form;
    EXPECT_EQ(outcome.err, "tolvane-verify: cannot write the report: Bad file descriptor\n") << form;
  }
}

TEST_F(VerifyProcess, NamesNeverBreakALineNorReachTheTerminalAsControlCodes) {
  const std::string sweep = testproc::ReadFile(kChannelSweep);
  const std::string newline = Write("two\nlines.mis", sweep);
  const std::string escape = Write("red\x1b[31m\x9b.mis", testcli::kBadMission);
  const std::string missing = scratch_ / "gone\r\a.mis";
  const auto outcome = Run({"--program-folder", kProgramFolder, newline, escape, missing});
  EXPECT_EQ(outcome.status, 2);
  const auto lines = testproc::Lines(outcome.out);
  ASSERT_EQ(lines.size(), 2u) << outcome.out;
  EXPECT_EQ(lines[0], "'" + scratch_.path() + "/two'$'\\n''lines.mis': ok");
  EXPECT_EQ(lines[1].rfind("'" + scratch_.path() + "/red'$'\\033''[31m'$'\\233''.mis':2:4: error: ", 0), 0u)
      << lines[1];
  EXPECT_EQ(testproc::Lines(outcome.err).at(0), "tolvane-verify: cannot read '" + scratch_.path() +
                                                    "/gone'$'\\r\\a''.mis': No such file or directory");
  EXPECT_FALSE(HasControlBytes(outcome.out));
  EXPECT_FALSE(HasControlBytes(outcome.err));

  // In JSON the byte 0xFF and the letter U+00FF are two names, and a
  // backslash cannot be taken for the start of an escaped byte.
  const std::string byte = Write("\xff.mis", sweep);
  const std::string letter = Write("\xc3\xbf.mis", sweep);
  const std::string slash = Write("\\xFF.mis", sweep);
  const auto json = Run({"--json", "--program-folder", kProgramFolder, byte, letter, slash});
  EXPECT_EQ(json.status, 0) << json.err;
  const auto reports = testproc::Lines(json.out);
  ASSERT_EQ(reports.size(), 3u);
  std::vector<std::u32string> names;
  for (const std::string& report : reports) {
    names.push_back(jsontest::Text(jsontest::Parse(report)["file"]));
  }
  const std::u32string folder = jsontest::FromLatin1(scratch_.path());
  EXPECT_EQ(names[0], folder + U"/\\xFF.mis");
  EXPECT_EQ(names[1], folder + U"/\u00ff.mis");
  EXPECT_EQ(names[2], folder + U"/\\\\xFF.mis");
}

TEST_F(VerifyProcess, NextMissionNamesStayInsideTheMissionsFolder) {
  const std::string missions = scratch_ / "missions";
  ASSERT_EQ(::mkdir(missions.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((missions + "/older").c_str(), 0700), 0);
  testproc::WriteFile(missions + "/second_leg.mis", ".EndMission\r\n");
  testproc::WriteFile(missions + "/older/first_leg.mis", ".EndMission\r\n");
  Write("outside.mis", ".EndMission\r\n");
  auto verify = [&](const std::string& next, const std::vector<std::string>& folderArguments) {
    const std::string mission = Write("onward.mis", OnwardMission(next));
    std::vector<std::string> arguments = {"--program-folder", kProgramFolder};
    arguments.insert(arguments.end(), folderArguments.begin(), folderArguments.end());
    arguments.push_back(mission);
    const auto outcome = Run(arguments);
    return outcome.status == 0 ? std::string("ok") : outcome.out.substr(outcome.out.rfind(' ') + 1);
  };
  const std::vector<std::string> inMissions = {"--missions-folder", missions};
  EXPECT_EQ(verify("second_leg.mis", inMissions), "ok");
  for (const std::string& name : std::vector<std::string>{"../outside.mis", "older/first_leg.mis", "older\\first_leg.mis", "..", ".",
                                 "./second_leg.mis", missions + "/second_leg.mis"}) {
    EXPECT_EQ(verify(name, inMissions), "[73]\n") << name;
  }
  // With an empty missions folder no name is found, not even one at the root.
  const std::string program = scratch_ / "program";
  ASSERT_EQ(::mkdir(program.c_str(), 0700), 0);
  testproc::WriteFile(program + "/ObjectNames.Txt", "Hangar\r\n");
  const std::string root = scratch_.path().substr(1) + "/outside.mis";
  EXPECT_EQ(verify(root, {"--program-folder", program}), "[73]\n");
  EXPECT_EQ(verify(root, {"--program-folder", program, "--missions-folder", ""}), "[73]\n");
}

TEST_F(VerifyProcess, SettingsFilesHugeEmptyOrBinary) {
  const std::string program = scratch_ / "program";
  const std::string missions = scratch_ / "missions";
  ASSERT_EQ(::mkdir(program.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(missions.c_str(), 0700), 0);
  testproc::WriteFile(program + "/ObjectNames.Txt", "Hangar\r\n");
  testproc::WriteFile(missions + "/second_leg.mis", ".EndMission\r\n");
  const std::string onward = Write("onward.mis", testcli::kOnwardMission);
  const std::string settings = program + "/Tolvane.INI";
  testproc::RunOptions limited;
  limited.memoryLimit = kMemoryLimit;
  const std::string warning = "tolvane-verify: warning: '" + settings +
                              "' holds no usable missions folder line: the missions folder is empty\n";

  // 200 MB, of which only the start is read: the folder line is used.
  WriteSparse(settings, "[MISSION FOLDER]\r\n" + missions + "\r\n\r\n[FONT]\r\n", off_t(200) << 20);
  auto outcome = Run({"--program-folder", program, onward}, limited);
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_EQ(outcome.err, "");

  std::string binary;
  std::mt19937 random(7);
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(random() % 256);
  const std::vector<std::string> unusable = {"", "\r\n\r\n", "[MISSION FOLDER]\r\n\r\n", binary,
                                             "[MISSION FOLDER]\r\n" + missions + "\x01\r\n",
                                             "[FONT]\r\n" + missions + "\r\n"};
  for (const std::string& bytes : unusable) {
    testproc::WriteFile(settings, bytes);
    outcome = Run({"--program-folder", program, onward});
    EXPECT_EQ(outcome.status, 1) << outcome.out;
    EXPECT_EQ(outcome.err, warning);
    EXPECT_NE(outcome.out.find("[73]"), std::string::npos);
  }
}
