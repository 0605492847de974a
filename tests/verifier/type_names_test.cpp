// The type-name list and the verifier's search in it.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "type_names.h"

namespace tolvane {
namespace {

class TypeNameFile : public testing::ScratchFolder {
 protected:
  void SetUp() override {
    ScratchFolder::SetUp();
    path_ = folder / "ObjectNames.Txt";
  }
  void Write(const std::string& bytes) { ScratchFolder::Write("ObjectNames.Txt", bytes); }
  std::filesystem::path path_;
};

TEST_F(TypeNameFile, NamesAreCutToTenAndComparedExactly) {
  Write("Gannet\r\nLorry 3t\r\nSpitfire Mk IX\r\n Hangar\r\n\r\nHeron");
  TypeNameList names;
  LoadTypeNames(names, path_.string());
  ASSERT_TRUE(names.TypeNamesLoaded);
  ASSERT_EQ(names.TypeNameCount(), 6);
  EXPECT_TRUE(FindTypeName(names, "Gannet"));
  EXPECT_TRUE(FindTypeName(names, "Heron"));        // a last line without a line end
  EXPECT_FALSE(FindTypeName(names, "gannet"));      // case counts
  EXPECT_FALSE(FindTypeName(names, "Lorry"));       // no prefix matches
  EXPECT_FALSE(FindTypeName(names, "Hangar"));      // lines are not trimmed
  EXPECT_TRUE(FindTypeName(names, " Hangar"));
  EXPECT_TRUE(FindTypeName(names, "Spitfire Mk IX"));
  EXPECT_TRUE(FindTypeName(names, "Spitfire Mk V"));  // same first ten characters
  EXPECT_TRUE(FindTypeName(names, ""));             // the empty line is an entry
}

TEST_F(TypeNameFile, LongAndManyLinesKeepTheFirstFiveHundredNamesOfTen) {
  // A hundred-thousand-character line keeps its first ten; a million lines
  // and an endless last line are read through in one pass.
  const std::string longLine(100000, 'Q');
  std::string bytes = "Gannet\r\n" + longLine + "\r\n" + std::string(100000, ' ') + "\r\n";
  bytes.reserve(12000000);
  for (int i = 0; i < 1000000; ++i) bytes += "Lorry" + std::to_string(i) + "\n";
  bytes += std::string(8000000, 'z');
  Write(bytes);
  TypeNameList names;
  LoadTypeNames(names, path_.string());
  ASSERT_TRUE(names.TypeNamesLoaded);
  EXPECT_EQ(names.TypeNameCount(), 500);
  EXPECT_EQ(names.TypeNameTable[1].str(), "QQQQQQQQQQ");
  EXPECT_EQ(names.TypeNameTable[2].str(), "          ");
  EXPECT_TRUE(FindTypeName(names, longLine));  // compared by its first ten
  EXPECT_TRUE(FindTypeName(names, "Lorry496"));
  EXPECT_FALSE(FindTypeName(names, "Lorry497"));
}

TEST_F(TypeNameFile, OnlyTheStartOfAHugeFileIsRead) {
  // Four gibibytes that take no room on disk: the names at its start are
  // loaded, and a name past the first mebibyte is not read.
  Write("Gannet\r\n" + std::string(MaxTypeNameFileBytes, 'x') + "\r\nHeron\r\n");
  ASSERT_EQ(::truncate(path_.c_str(), off_t(4) << 30), 0);
  TypeNameList names;
  EXPECT_TRUE(LoadTypeNames(names, path_.string()).Ok());
  ASSERT_TRUE(names.TypeNamesLoaded);
  EXPECT_EQ(names.TypeNameCount(), 2);
  EXPECT_TRUE(FindTypeName(names, "Gannet"));
  EXPECT_TRUE(FindTypeName(names, "xxxxxxxxxx"));
  EXPECT_FALSE(FindTypeName(names, "Heron"));
}

TEST_F(TypeNameFile, OddBytesAreKeptAsTheyAre) {
  // NUL bytes and a lone CR are ordinary characters of a name; only LF ends
  // a line (with a CR before it dropped).
  const char raw[] = "Gan\0et\r\nA\rB\n\xe9" "clair\n";
  Write(std::string(raw, sizeof raw - 1));
  TypeNameList names;
  LoadTypeNames(names, path_.string());
  ASSERT_EQ(names.TypeNameCount(), 3);
  EXPECT_TRUE(FindTypeName(names, std::string("Gan\0et", 6)));
  EXPECT_FALSE(FindTypeName(names, "Gan"));
  EXPECT_TRUE(FindTypeName(names, "A\rB"));
  EXPECT_TRUE(FindTypeName(names, "\xe9" "clair"));
}

TEST_F(TypeNameFile, OnlyAPlainFileIsAList) {
  // A missing file, a folder, a pipe without a writer (reading would wait for ever) and a
  // link to an endless device.
  TypeNameList names;
  LoadTypeNames(names, path_.string() + ".absent");
  EXPECT_FALSE(names.TypeNamesLoaded);
  EXPECT_FALSE(FindTypeName(names, ""));
  std::filesystem::create_directory(path_);
  names.TypeNameTable.emplace_back("Stale");
  EXPECT_EQ(LoadTypeNames(names, path_.string()).Reason, "Is a directory");
  EXPECT_FALSE(names.TypeNamesLoaded);
  EXPECT_EQ(names.TypeNameCount(), 0);
  std::filesystem::remove(path_);

  ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0);
  LoadTypeNames(names, path_.string());
  EXPECT_FALSE(names.TypeNamesLoaded);
  std::filesystem::remove(path_);

  std::filesystem::create_symlink("/dev/zero", path_);
  LoadTypeNames(names, path_.string());
  EXPECT_FALSE(names.TypeNamesLoaded);
  EXPECT_EQ(names.TypeNameCount(), 0);
}

}  // namespace
}  // namespace tolvane
