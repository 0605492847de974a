// The settings file read from disk: the fields and custom colours of a file
// and the reasons a file is not read. The bound on what is read is run
// through tolvane-verify.

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "settings_file.h"
#include "settings_round_trip.h"

namespace tolvane {
namespace {

const char kSettings[] =
    "[MISSION FOLDER]\r\n/srv/missions\r\n\r\n[FONT]\r\nCourier New\r\n11\r\n255\r\nBold\r\n\r\n[COLOR]\r\n"
    "8388608\r\nColorA=FF0000\r\nColorB=00FF00\r\n";

class SettingsFile : public testing::ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    path = (folder / "Tolvane.INI").string();
  }
  void Write(const std::string& bytes) { ScratchFolder::Write("Tolvane.INI", bytes); }

  std::string path;
};

TEST_F(SettingsFile, ReadsTheFieldsAndTheCustomColours) {
  Write(kSettings);
  SettingsFileContents read;
  CustomColorLines colors;
  const SettingsFileResult result = ReadSettingsFile(path, read, &colors);
  EXPECT_TRUE(result.Ok());
  EXPECT_FALSE(result.Settings.EndedEarly);
  // The fields the parser takes from the same bytes.
  SettingsFileContents parsed;
  LoadINIFile(kSettings, parsed);
  EXPECT_EQ(SaveSettings(read, colors), SaveSettings(parsed, colors));
  EXPECT_EQ(read.EditorColor, 8388608);
  EXPECT_EQ(colors[0], "ColorA=FF0000");
  EXPECT_EQ(colors[1], "ColorB=00FF00");
  EXPECT_EQ(colors[2], "");

  // Without a place for the colours the fields are read all the same.
  SettingsFileContents again;
  EXPECT_TRUE(ReadSettingsFile(path, again, nullptr).Ok());
  EXPECT_EQ(again.EditorColor, 8388608);

  // A bad number is the parser's finding; the file itself was read.
  Write("[MISSION FOLDER]\r\n/m\r\n\r\n[FONT]\r\nArial\r\nten\r\n");
  const SettingsFileResult bad = ReadSettingsFile(path, again, nullptr);
  EXPECT_TRUE(bad.File.Ok());
  EXPECT_FALSE(bad.Ok());
  EXPECT_EQ(bad.Settings.ErrorLine, 6);
  EXPECT_EQ(again.MissionFolder, "/m");
}

TEST_F(SettingsFile, AFileThatIsNotReadLeavesTheSettingsAsTheyWere) {
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  const struct {
    std::string path;
    ReadStatus status;
    std::string reason;
  } cases[] = {
      {path, ReadStatus::Missing, "No such file or directory"},
      {(folder / "pipe").string(), ReadStatus::NotOrdinary, "not an ordinary file"},  // never waited for
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    SettingsFileContents kept;
    kept.MissionFolder = "/kept";
    kept.FontSize = 9;
    CustomColorLines colors;
    colors[0] = "ColorA=123456";
    const SettingsFileResult result = ReadSettingsFile(c.path, kept, &colors);
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.File.Status, c.status);
    EXPECT_EQ(result.File.Reason, c.reason);
    EXPECT_EQ(kept.MissionFolder, "/kept");
    EXPECT_EQ(kept.FontSize, 9);
    EXPECT_EQ(colors[0], "ColorA=123456");
  }
}

// Empty, binary and heading-less files are run through tolvane-verify.
TEST(SettingsLines, AMissionsFolderLineIsUsableUnderItsHeadingWithText) {
  const struct {
    std::string bytes;
    bool usable;
  } cases[] = {
      {"[MISSION FOLDER]\r\n../examples\r\n", true},
      {"[MISSION FOLDER]\n/srv/missions", true},
      {"[MISSION FOLDER]\r\n/srv/\tmissions\r\n", false},
      {"[mission folder]\r\n/srv/missions\r\n", false},
  };
  for (const auto& c : cases) {
    SettingsFileContents read;
    EXPECT_EQ(LoadINIFile(c.bytes, read).MissionFolderUsable, c.usable) << c.bytes;
  }
}

}  // namespace
}  // namespace tolvane

TEST(SettingsFileBytes, SurviveAnyBytes) {
  std::mt19937 random(20261209);
  const std::string pieces[] = {"[FONT]", "[COLOR]", "\r\n", "\n", "\r", "12", "-", " ", "ColorA=FFFFFF", "Bold",
                                std::string(1, '\0'), "\xff", "99999999999"};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      if (random() % 3 == 0) {
        bytes += static_cast<char>(random() % 256);
      } else {
        bytes += pieces[random() % (sizeof(pieces) / sizeof(pieces[0]))];
      }
    }
    tolvane::SettingsFileFuzzOne(bytes);  // aborts on a fault
  }
}
