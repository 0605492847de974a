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
TEST(SettingsBytes, WrittenInTheFixedLayoutAndReadBack) {
  SettingsFileContents settings;
  settings.MissionFolder = "/data/missions";
  settings.FontName = "Arial";
  settings.FontSize = 12;
  settings.FontColor = 16777215;
  settings.FontStyle = "Bold";
  settings.EditorColor = 0;
  CustomColorLines white;
  for (int slot = 0; slot < CustomColorCount; ++slot) white[slot] = FormatCustomColorLine(slot, 0xFFFFFF);
  const std::string bytes = SaveSettings(settings, white);
  std::string expected =
      "[MISSION FOLDER]\r\n/data/missions\r\n\r\n[FONT]\r\nArial\r\n12\r\n16777215\r\nBold\r\n\r\n[COLOR]\r\n0\r\n";
  for (int slot = 0; slot < 16; ++slot) expected += std::string("Color") + char('A' + slot) + "=FFFFFF\r\n";
  EXPECT_EQ(bytes, expected + "\r\n");  // one empty line at the end
  SettingsFileContents back;
  ASSERT_TRUE(LoadINIFile(bytes, back).Ok);
  EXPECT_EQ(back.MissionFolder, settings.MissionFolder);
  EXPECT_EQ(back.FontColor, 16777215);
  EXPECT_EQ(ReadCustomColorLines(bytes), white);
}

TEST(SettingsBytes, SectionsAreFoundWhereverTheyStandAndTheScanMayEndTheFile) {
  SettingsFileContents early;  // "[FONT]" on line 3, LF line ends
  ASSERT_TRUE(LoadINIFile("[MISSION FOLDER]\n/m\n[FONT]\nTimes\n9\n255\nItalic\n[COLOR]\n65280\n", early).Ok);
  EXPECT_EQ(early.FontStyle, "Italic");
  EXPECT_EQ(early.EditorColor, 65280);
  SettingsFileContents extra;  // lines that are not headings are skipped
  ASSERT_TRUE(LoadINIFile("[MISSION FOLDER]\r\n/m\r\n\r\nnote\r\n[COLORS]\r\n [FONT]\r\n[FONT]\r\nTimes\r\n11\r\n1\r\n"
                          "Bold\r\n\r\n[FONT]\r\nanother note\r\n[COLOR]\r\n42\r\n",
                          extra)
                  .Ok);
  EXPECT_EQ(extra.FontSize, 11);
  EXPECT_EQ(extra.EditorColor, 42);
  SettingsFileContents noColor;  // no "[COLOR]": read past the end as 0
  noColor.EditorColor = 99;
  ASSERT_TRUE(LoadINIFile("h\nf\n\n[FONT]\nA\n8\n0\nBold\n\nx\n", noColor).Ok);
  EXPECT_EQ(noColor.EditorColor, 0);
}

TEST(SettingsBytes, NumberLinesAreReadOrReportedWithTheirLine) {
  const struct {
    std::string line;
    bool ok;
    int value;
  } cases[] = {
      {"  11", true, 11},      {"\t9 points", true, 9}, {"-5", true, -5},   {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},           {"2147483648", false, 0}, {"12abc", false, 0},
      {"", false, 0},          {"-", false, 0},         {"0x10", false, 0}, {"1e3", false, 0},
      {std::string(100000, '7'), false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 20));
    SettingsFileContents read;
    read.FontColor = 7;
    const SettingsReadResult result = LoadINIFile("h\n/m\n[FONT]\nA\n" + c.line + "\n0\nB\n", read);
    ASSERT_EQ(result.Ok, c.ok);
    if (c.ok) {
      EXPECT_EQ(read.FontSize, c.value);
      continue;
    }
    // The message names the line and quotes only the start of a long one;
    // fields after the bad line keep their values.
    EXPECT_EQ(result.ErrorLine, 5);
    EXPECT_LT(result.Error.size(), 200u);
    const std::string quoted = c.line.size() > 40 ? c.line.substr(0, 40) + "..." : c.line;
    EXPECT_NE(result.Error.find("\"" + quoted + "\""), std::string::npos) << result.Error;
    EXPECT_EQ(read.MissionFolder, "/m");
    EXPECT_EQ(read.FontColor, 7);
  }
}

TEST(SettingsBytes, CustomColourLines) {
  EXPECT_EQ(FormatCustomColorLine(15, 0xABCDEF), "ColorP=ABCDEF");
  int slot = -1;
  std::uint32_t value = 0;
  ASSERT_TRUE(ParseCustomColorLine("ColorK=00ff80", slot, value));
  EXPECT_EQ(slot, 10);
  EXPECT_EQ(value, 0x00FF80u);
  for (const char* bad : {"ColorQ=000000", "Colora=000000", "ColorA=00000", "ColorA=0000000", "ColorA:000000",
                          "colorA=000000", "ColorA=00G000", "", "ColorA=", "ColorA=-12345"})
    EXPECT_FALSE(ParseCustomColorLine(bad, slot, value)) << bad;
}

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
