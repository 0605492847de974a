#pragma once
// What the process tests of tolvane-verify share: where the program and the
// samples are, two small missions, and a fixture with a scratch folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_process.h"

namespace testcli {

const std::string kExe = TOLVANE_VERIFY_EXE;
const std::string kSource = TOLVANE_SOURCE_DIR;
const std::string kProgramFolder = kSource + "/program";
const std::string kChannelSweep = kSource + "/examples/channel_sweep.mis";
const std::string kRiverCrossing = kSource + "/examples/river_crossing.mis";

// Line 2 holds a statement without its dot, after three blanks.
const std::string kBadMission =
    "// a mission with a statement that lost its dot\r\n"
    "   Blue Section\r\n"
    ".EndMission\r\n";

// Loads the next mission (line 16); it must be in the missions folder.
inline std::string OnwardMission(const std::string& next) {
  return "// the next mission must be in the missions folder\r\n"
         ".Entity\r\n"
         ".TypeName Hangar\r\n"
         ".TagIdentifier 40\r\n"
         ".PositionX 1500.0\r\n"
         ".PositionY 2500.0\r\n"
         ".PositionZ 0.0\r\n"
         ".EndEntity\r\n"
         ".Trigger\r\n"
         ".Name Onward .EndString\r\n"
         ".Check\r\n"
         ".TIME 10\r\n"
         ".EndCheck\r\n"
         ".Action\r\n"
         ".LOADNEXTMISSION\r\n"
         ".MissionName " + next + " .EndString\r\n"
         ".EndAction\r\n"
         ".EndTrigger\r\n"
         ".MissionSummary\r\n"
         "On to the second leg.\r\n"
         ".EndMission\r\n";
}

const std::string kOnwardMission = OnwardMission("second_leg.mis");

class VerifyProcess : public ::testing::Test {
 protected:
  testproc::Outcome Run(const std::vector<std::string>& arguments, const std::string& workDir = "") {
    return testproc::Run(kExe, arguments, scratch_.path(), workDir);
  }
  testproc::Outcome Run(const std::vector<std::string>& arguments, const testproc::RunOptions& options) {
    return testproc::Run(kExe, arguments, scratch_.path(), options);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = scratch_ / name;
    testproc::WriteFile(path, bytes);
    return path;
  }
  testproc::ScratchFolder scratch_;
};

}  // namespace testcli
