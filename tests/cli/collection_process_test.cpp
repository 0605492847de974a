// tolvane-verify on collections: folders searched for missions in a stable
// order, the same output on one thread or many, the summary line, the
// format options, and the SARIF log checked for what its readers need.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "json_text.h"
#include "process_fixture.h"
#include "run_process.h"

namespace {

using testcli::kBadMission;
using testcli::kChannelSweep;
using testcli::kProgramFolder;
using testcli::kRiverCrossing;
using testcli::VerifyProcess;

}  // namespace

TEST_F(VerifyProcess, FoldersStandForEveryMissionBelowThemInSortedOrder) {
  const std::string sweep = testproc::ReadFile(kChannelSweep);
  const std::string campaign = scratch_ / "campaign";
  for (const std::string folder : {"campaign", "campaign/later", "campaign/old.mis", "elsewhere"})
    ASSERT_EQ(::mkdir((scratch_ / folder).c_str(), 0700), 0);
  Write("campaign/b.mis", sweep);
  Write("campaign/A.MIS", sweep);
  Write("campaign/later/c.Mis", kBadMission);
  Write("campaign/old.mis/d.mis", sweep);
  Write("campaign/notes.txt", "not a mission");
  Write("campaign/mis", sweep);
  Write("elsewhere/e.mis", sweep);
  ASSERT_EQ(::symlink((scratch_ / "elsewhere").c_str(), (campaign + "/linked").c_str()), 0);  // not followed
  ASSERT_EQ(::symlink((scratch_ / "elsewhere/e.mis").c_str(), (campaign + "/shortcut.mis").c_str()), 0);
  ASSERT_EQ(::mkfifo((campaign + "/pipe.mis").c_str(), 0600), 0);  // no mission file

  const std::string expected = kRiverCrossing + ": ok\n" + campaign + "/A.MIS: ok\n" + campaign + "/b.mis: ok\n" +
                               campaign + "/later/c.Mis:2:4: error: Expected a Keyword but \".\" not found [60]\n" +
                               campaign + "/old.mis/d.mis: ok\n" + campaign + "/shortcut.mis: ok\n" + kChannelSweep +
                               ": ok\n";
  for (const std::string jobs : {"1", "2", "7"}) {
    const auto outcome =
        Run({"--jobs", jobs, "--program-folder", kProgramFolder, kRiverCrossing, campaign + "/", kChannelSweep});
    EXPECT_EQ(outcome.status, 1) << jobs;
    EXPECT_EQ(outcome.out, expected) << jobs;
    EXPECT_EQ(outcome.err, "tolvane-verify: 7 files, 6 verified, 1 failed, 0 unreadable\n") << jobs;
  }
  // A folder without missions verifies nothing, and says so.
  const std::string empty = scratch_ / "empty";
  ASSERT_EQ(::mkdir(empty.c_str(), 0700), 0);
  const auto none = Run({"--program-folder", kProgramFolder, empty});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "tolvane-verify: 0 files, 0 verified, 0 failed, 0 unreadable\n");
}

TEST_F(VerifyProcess, FormatOptions) {
  const std::string bad = Write("bad.mis", kBadMission);
  const auto json = Run({"--json", "--program-folder", kProgramFolder, kChannelSweep, bad});
  const auto format = Run({"--format=json", "--program-folder", kProgramFolder, kChannelSweep, bad});
  EXPECT_EQ(json.status, 1);
  EXPECT_EQ(json.out, format.out);
  EXPECT_EQ(testproc::Lines(json.out).size(), 2u);
  const auto gcc = Run({"--format", "gcc", "--program-folder", kProgramFolder, bad});
  EXPECT_EQ(gcc.out, bad + ":2:4: error: Expected a Keyword but \".\" not found [60]\n");
  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
           {"--format=xml", bad}, {"--json", "--format=sarif", bad}, {"--jobs", "0", bad}, {"-j", "many", bad}}) {
    const auto outcome = Run(wrong);
    EXPECT_EQ(outcome.status, 2) << wrong[0];
    EXPECT_EQ(outcome.out, "") << wrong[0];
    EXPECT_NE(outcome.err.find("Usage: tolvane-verify"), std::string::npos) << wrong[0];
  }
}

TEST_F(VerifyProcess, SarifLogHasWhatCodeScanningReads) {
  const std::string bad = "bad mission.mis";
  Write(bad, kBadMission);
  const std::string sweep = "channel_sweep.mis";
  Write(sweep, testproc::ReadFile(kChannelSweep));
  const std::string missing = scratch_ / "missing.mis";
  const auto outcome = Run({"--format=sarif", "--jobs", "2", "--program-folder", kProgramFolder, sweep, bad, missing},
                           scratch_.path());
  EXPECT_EQ(outcome.status, 2);
  ASSERT_EQ(testproc::Lines(outcome.out).size(), 1u);
  const jsontest::Json log = jsontest::Parse(outcome.out);
  EXPECT_EQ(log["version"], "2.1.0");
  EXPECT_EQ(log["$schema"], "https://json.schemastore.org/sarif-2.1.0.json");
  ASSERT_EQ(log["runs"].size(), 1u);
  const jsontest::Json& run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["name"], "tolvane-verify");
  EXPECT_EQ(run["tool"]["driver"]["version"], "1.2.3.1");

  // One rule per code of the message table, with its message.
  const jsontest::Json& rules = run["tool"]["driver"]["rules"];
  ASSERT_EQ(rules.size(), 137u);
  EXPECT_EQ(rules[0]["id"], "TV001");
  EXPECT_EQ(rules[59]["id"], "TV060");
  EXPECT_EQ(rules[59]["shortDescription"]["text"], "Expected a Keyword but \".\" not found");
  EXPECT_EQ(rules[136]["id"], "TV137");

  // One result per mission with an error, where the plain report puts it.
  ASSERT_EQ(run["results"].size(), 1u);
  const jsontest::Json& result = run["results"][0];
  EXPECT_EQ(result["ruleId"], "TV060");
  EXPECT_EQ(rules[result["ruleIndex"].get<int>()]["id"], result["ruleId"]);
  EXPECT_EQ(result["level"], "error");
  EXPECT_EQ(result["message"]["text"], "Expected a Keyword but \".\" not found");
  const jsontest::Json& location = result["locations"][0]["physicalLocation"];
  EXPECT_EQ(location["artifactLocation"]["uri"], "bad%20mission.mis");
  EXPECT_EQ(location["artifactLocation"]["uriBaseId"], "SRCROOT");
  EXPECT_EQ(location["region"]["startLine"], 2);
  EXPECT_EQ(location["region"]["startColumn"], 4);
  const std::string root = run["originalUriBaseIds"]["SRCROOT"]["uri"];
  EXPECT_EQ(root.rfind("file:///", 0), 0u) << root;
  EXPECT_EQ(root.back(), '/');

  // The file that could not be read is a notification, and the run says it failed.
  const jsontest::Json& invocation = run["invocations"][0];
  EXPECT_FALSE(invocation["executionSuccessful"].get<bool>());
  ASSERT_EQ(invocation["toolExecutionNotifications"].size(), 1u);
  EXPECT_EQ(invocation["toolExecutionNotifications"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
            "file://" + missing);
}
