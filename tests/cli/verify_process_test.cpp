// tolvane-verify run as a process: exit statuses, both output forms, files
// that cannot be read, several files in one run, the program and missions
// folders, and the mission files left exactly as they were.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <dirent.h>

#include <set>
#include <string>
#include <vector>

#include "json_text.h"
#include "process_fixture.h"
#include "run_process.h"

namespace {

using testcli::kBadMission;
using testcli::kChannelSweep;
using testcli::kExe;
using testcli::kOnwardMission;
using testcli::kProgramFolder;
using testcli::kRiverCrossing;
using testcli::VerifyProcess;

std::set<std::string> FolderEntries(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) names.insert(entry->d_name);
    ::closedir(dir);
  }
  return names;
}

using jsontest::Parse;

}  // namespace

TEST_F(VerifyProcess, HelpAndVersionExitZero) {
  const auto help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: tolvane-verify [--program-folder DIR] [--missions-folder DIR] [--json]", 0), 0u);
  EXPECT_EQ(help.err, "");
  // Help wins over the files; nothing is verified.
  EXPECT_EQ(Run({kChannelSweep, "--help"}).out, help.out);
  EXPECT_EQ(Run({"--version"}).status, 0);
}

TEST_F(VerifyProcess, UsageErrorsExitTwoAndVerifyNothing) {
  const std::vector<std::vector<std::string>> cases = {{"--json"}, {kChannelSweep, "--missions-folder"},
                                                       {"--colour", kChannelSweep}};
  for (const auto& arguments : cases) {
    const auto outcome = Run(arguments);
    std::string shown;
    for (const auto& argument : arguments) shown += argument + " ";
    EXPECT_EQ(outcome.status, 2) << shown;
    EXPECT_EQ(outcome.out, "") << shown;
    EXPECT_EQ(outcome.err.rfind("tolvane-verify: ", 0), 0u) << shown;
    EXPECT_NE(outcome.err.find("Usage: tolvane-verify"), std::string::npos) << shown;
  }
}

TEST_F(VerifyProcess, SampleMissionsVerifyInBothForms) {
  const auto outcome = Run({"--program-folder", kProgramFolder, kChannelSweep, kRiverCrossing});
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n" + kRiverCrossing + ": ok\n");
  EXPECT_EQ(outcome.err, "tolvane-verify: 2 files, 2 verified, 0 failed, 0 unreadable\n");

  const auto json = Run({"--json", "--program-folder=" + kProgramFolder, kChannelSweep, kRiverCrossing});
  EXPECT_EQ(json.status, 0) << json.out << json.err;
  const auto lines = testproc::Lines(json.out);
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> files = {kChannelSweep, kRiverCrossing};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const jsontest::Json report = Parse(lines[i]);
    EXPECT_EQ(jsontest::Text(report["file"]), jsontest::FromLatin1(files[i]));
    EXPECT_TRUE(report["ok"].get<bool>()) << lines[i].substr(0, 400);
    EXPECT_EQ(report["pass"].dump(), "2");
    EXPECT_TRUE(report["triggers_found"].get<bool>());
    // The samples fill every object table.
    EXPECT_EQ(report["tables"].size(), 10u);
    for (const auto& table : report["tables"].items()) EXPECT_FALSE(table.value().empty()) << table.key();
  }
}

TEST_F(VerifyProcess, MissionErrorsExitOneAndReportInOrder) {
  const std::string bad = Write("bad.mis", kBadMission);
  const auto outcome = Run({"--program-folder", kProgramFolder, kChannelSweep, bad, kRiverCrossing});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n" + bad +
                             ":2:4: error: Expected a Keyword but \".\" not found [60]\n" + kRiverCrossing + ": ok\n");

  const auto json = Run({"--program-folder", kProgramFolder, "--json", bad});
  EXPECT_EQ(json.status, 1);
  const auto lines = testproc::Lines(json.out);
  ASSERT_EQ(lines.size(), 1u);
  const jsontest::Json report = Parse(lines[0]);
  EXPECT_FALSE(report["ok"].get<bool>());
  EXPECT_EQ(report["code"].dump(), "60");
  EXPECT_EQ(report["line"].dump(), "2");
  EXPECT_EQ(jsontest::Text(report["message"]), U"Expected a Keyword but \".\" not found ");
  EXPECT_EQ(jsontest::Text(report["statement"]), U"Blue Section");
  EXPECT_EQ(report["pass"].dump(), "1");
  EXPECT_FALSE(report["triggers_found"].get<bool>());
}

TEST_F(VerifyProcess, AnUnreadableFileInJsonFormPrintsOnlyItsMessage) {
  const auto json = Run({"--json", "--program-folder", kProgramFolder, scratch_ / "no_such_mission.mis"});
  EXPECT_EQ(json.status, 2);
  EXPECT_EQ(json.out, "");
  EXPECT_NE(json.err.find("No such file or directory"), std::string::npos);
}

TEST_F(VerifyProcess, MissionFilesAndProgramFolderAreLeftAsTheyWere) {
  // Copies, so the check cannot disturb the samples in the source tree.
  const std::string programFolder = scratch_ / "program";
  ::mkdir(programFolder.c_str(), 0700);
  testproc::WriteFile(programFolder + "/ObjectNames.Txt", testproc::ReadFile(kProgramFolder + "/ObjectNames.Txt"));
  testproc::WriteFile(programFolder + "/Tolvane.INI", testproc::ReadFile(kProgramFolder + "/Tolvane.INI"));
  const std::string sweep = Write("channel_sweep.mis", testproc::ReadFile(kChannelSweep));
  const std::string bad = Write("bad.mis", kBadMission);
  struct stat before {};
  ASSERT_EQ(::stat(sweep.c_str(), &before), 0);
  const std::set<std::string> programBefore = FolderEntries(programFolder);

  for (const std::vector<std::string>& form : {std::vector<std::string>{}, std::vector<std::string>{"--json"}}) {
    std::vector<std::string> arguments = form;
    for (const std::string& argument : {std::string("--program-folder"), programFolder, sweep, bad})
      arguments.push_back(argument);
    const auto outcome = Run(arguments, programFolder);
    EXPECT_EQ(outcome.status, 1) << outcome.out << outcome.err;
  }

  ASSERT_TRUE(testproc::Exists(sweep));
  EXPECT_EQ(testproc::ReadFile(sweep), testproc::ReadFile(kChannelSweep));
  EXPECT_EQ(testproc::ReadFile(bad), kBadMission);
  struct stat after {};
  ASSERT_EQ(::stat(sweep.c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  // No work file or settings written anywhere near.
  EXPECT_EQ(FolderEntries(programFolder), programBefore);
  EXPECT_FALSE(testproc::Exists(scratch_ / "MissionTemp.fil"));
}

TEST_F(VerifyProcess, ADashIsTheStandardInputReadOnce) {
  // More than a pipe holds at once, so it arrives in several reads.
  std::string sweep;
  for (int i = 0; i < 5000; ++i) sweep += "// a comment line that pads the mission out\r\n";
  sweep += testproc::ReadFile(kChannelSweep);
  auto outcome = testproc::Run(kExe, {"--program-folder", kProgramFolder, "-"}, scratch_.path(), "", &sweep);
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_EQ(outcome.out, "-: ok\n");
  outcome = testproc::Run(kExe, {"--program-folder", kProgramFolder, "--json", "-"}, scratch_.path(), "", &kBadMission);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(Parse(testproc::Lines(outcome.out).at(0))["line"].get<double>(), 2);
  // A pipe named by its path is no ordinary file: only "-" reads one.
  outcome = testproc::Run(kExe, {"--program-folder", kProgramFolder, "/dev/stdin"}, scratch_.path(), "", &kBadMission);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "tolvane-verify: cannot read '/dev/stdin': not an ordinary file\n");
}

TEST_F(VerifyProcess, ProgramFolderDefaultsToTheCurrentFolder) {
  const auto outcome = Run({kChannelSweep}, kProgramFolder);
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_EQ(outcome.out, kChannelSweep + ": ok\n");
  EXPECT_EQ(outcome.err, "");
}

TEST_F(VerifyProcess, MissingTypeNameListIsAWarningNotAFailure) {
  const std::string empty = scratch_ / "empty";
  ::mkdir(empty.c_str(), 0700);
  const std::string onward = Write("onward.mis", kOnwardMission);
  const auto outcome = Run({"--program-folder", empty, "--missions-folder", scratch_.path(), "--json", onward});
  EXPECT_NE(outcome.err.find("warning: cannot read '" + empty + "/ObjectNames.Txt': No such file or directory"),
            std::string::npos)
      << outcome.err;
  ASSERT_EQ(testproc::Lines(outcome.out).size(), 1u);
  Parse(testproc::Lines(outcome.out)[0]);
}

TEST_F(VerifyProcess, MissionsFolderComesFromTheSettingsFileRelativeToTheProgramFolder) {
  const std::string onward = Write("onward.mis", kOnwardMission);
  const std::string programFolder = scratch_ / "program";
  const std::string missions = scratch_ / "missions";
  ::mkdir(programFolder.c_str(), 0700);
  ::mkdir(missions.c_str(), 0700);
  testproc::WriteFile(programFolder + "/ObjectNames.Txt", "Hangar\r\n");
  testproc::WriteFile(missions + "/second_leg.mis", ".EndMission\r\n");
  const std::string settingsTail =
      "\r\n\r\n[FONT]\r\nCourier New\r\n10\r\n0\r\nRegular\r\n\r\n[COLOR]\r\n16777215\r\n";

  // Relative: taken from the program folder, whatever the current folder.
  testproc::WriteFile(programFolder + "/Tolvane.INI", "[MISSION FOLDER]\r\n../missions" + settingsTail);
  auto outcome = Run({"--program-folder", programFolder, onward}, "/");
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_EQ(outcome.err, "");

  // Absolute.
  testproc::WriteFile(programFolder + "/Tolvane.INI", "[MISSION FOLDER]\r\n" + missions + settingsTail);
  outcome = Run({"--program-folder", programFolder, onward}, "/");
  EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;

  // The command line wins over the settings file.
  outcome = Run({"--program-folder", programFolder, "--missions-folder", programFolder, onward});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.out.find("[73]"), std::string::npos);

  // Without a settings file the missions folder is empty, which is a warning.
  ::unlink((programFolder + "/Tolvane.INI").c_str());
  outcome = Run({"--program-folder", programFolder, onward});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("warning: cannot read '" + programFolder + "/Tolvane.INI': No such file or directory"),
            std::string::npos);
}
