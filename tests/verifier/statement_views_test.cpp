// The reader hands out statements as views into the file's bytes, and a file
// is mapped rather than read. Both must give exactly what reading line by line
// into strings gave, and what the one file reader reads.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_reader.h"
#include "scratch_folder.h"
#include "statement_reader.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSource(TOLVANE_SOURCE_DIR);

// The reader as it was written before views: every line copied into the
// statement buffer, comments cleared there.
struct LineCopyingReader {
  std::string bytes;
  std::size_t position = 0;
  std::int32_t LineNo = 0;
  int ErrNo = 0;

  bool AtEnd() const { return position >= bytes.size(); }
  void ReadLine(std::string& line) {
    if (AtEnd()) {
      line.clear();
      return;
    }
    std::size_t end = bytes.find('\n', position);
    std::size_t next = end;
    if (end == std::string::npos) {
      end = next = bytes.size();
    } else {
      next = end + 1;
      if (end > position && bytes[end - 1] == '\r') --end;
    }
    line.assign(bytes, position, end - position);
    position = next;
  }
  void Read(std::string& statement, bool& ok) {
    do {
      ReadLine(statement);
      ++LineNo;
      if (statement.compare(0, 2, "//") == 0) statement.clear();
    } while (!AtEnd() && statement.empty());
    if (AtEnd()) {
      if (statement == ".EndMission") return;
      ErrNo = 62;
      ok = false;
      return;
    }
    StripLeadingBlanks(statement);
    if (statement.compare(0, 2, "..") == 0) {
      ErrNo = 122;
      ok = false;
      return;
    }
    ok = true;
  }
};

// Every sample mission, cut short at many places (every kind of last line),
// and with its line ends changed.
std::vector<std::string> Inputs() {
  std::vector<std::string> inputs = {"", "\r", "\n", "\r\n", "  ", "\t\r\n", "..\r\n.EndMission", "// c",
                                     ".EndMission", " .EndMission", ".EndMission ", ".EndMission\r\n\r\n",
                                     "a\rb\r\n.EndMission\r", "\r\r\n.X\n\r\n..Y\r\n.EndMission"};
  for (const auto& entry : fs::directory_iterator(kSource / "examples")) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string mission = text.str();
    for (std::size_t cut = 0; cut < mission.size(); cut += 97) inputs.push_back(mission.substr(0, cut));
    inputs.push_back(mission);
    std::string lf = mission;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    inputs.push_back(lf);
  }
  return inputs;
}

TEST(StatementViews, ReadEveryInputAsTheLineCopyingReaderDid) {
  for (const std::string& input : Inputs()) {
    SCOPED_TRACE(input.substr(0, 80));
    LineCopyingReader expected{input};
    MissionState viewState, stringState;
    MissionFile viewFile, stringFile;
    viewFile.OpenView(input);
    stringFile.OpenView(input);
    std::string expectedStatement, statement;
    std::string_view view;
    bool expectedOk = true, viewOk = true, stringOk = true;
    // Every statement to the end and one read past it, failures included.
    for (bool last = false; !last;) {
      last = expected.AtEnd();
      expected.Read(expectedStatement, expectedOk);
      ReadStatement(viewState, viewFile, view, viewOk);
      ReadStatement(stringState, stringFile, statement, stringOk);
      ASSERT_EQ(view, expectedStatement);
      ASSERT_EQ(statement, expectedStatement);
      ASSERT_EQ(viewOk, expectedOk);
      ASSERT_EQ(stringOk, expectedOk);
      ASSERT_EQ(viewState.LineNo, expected.LineNo);
      ASSERT_EQ(stringState.LineNo, expected.LineNo);
      ASSERT_EQ(viewState.ErrNo, expected.ErrNo);
      ASSERT_EQ(viewFile.AtEnd(), expected.AtEnd());
    }
  }
}

TEST(StatementViews, NoFileOpenIsACorruptFileAndKeepsTheBuffer) {
  MissionState state;
  MissionFile file;
  std::string statement = ".Kept";
  bool ok = true;
  ReadStatement(state, file, statement, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(state.ErrNo, 103);
  EXPECT_EQ(statement, ".Kept");
}

using MappedFileTest = testing::ScratchFolder;

// The mapping refuses and reads what the one file reader refuses and reads,
// with the same reasons.
TEST_F(MappedFileTest, HoldsWhatTheFileReaderReads) {
  const std::string mission = Write("mission.mis", ".Trigger\r\n.Name A .EndString\r\n.EndMission");
  const std::string empty = Write("empty.mis", "");
  const std::string fifo = (folder / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::uint64_t bound;
  };
  const Case cases[] = {{mission, DefaultMaxFileBytes}, {empty, DefaultMaxFileBytes},
                        {mission, 10},                  {(folder / "missing.mis").string(), DefaultMaxFileBytes},
                        {folder.string(), DefaultMaxFileBytes}, {fifo, DefaultMaxFileBytes},
                        {mission + std::string(1, '\0') + "x", DefaultMaxFileBytes}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string bytes;
    const ReadResult read = ReadFileBytes(c.path, bytes, c.bound);
    MappedFile mapped;
    const ReadResult mapping = mapped.Open(c.path, c.bound);
    EXPECT_EQ(mapping.Status, read.Status);
    EXPECT_EQ(mapping.Reason, read.Reason);
    EXPECT_EQ(mapped.Bytes(), bytes);
  }
}

}  // namespace
}  // namespace tolvane
