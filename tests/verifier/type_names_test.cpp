// The type-name list and the verifier's search in it.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "entity_collectors.h"

namespace tolvane {
namespace {

class TypeNameFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("tolvane-type-names-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary);
    out << bytes;
  }
  std::filesystem::path path_;
};

TEST_F(TypeNameFile, NamesAreCutToTenAndComparedExactly) {
  Write("Gannet\r\nLorry 3t\r\nSpitfire Mk IX\r\n Hangar\r\n\r\nHeron");
  MissionState state;
  LoadTypeNames(state.TypeNames, path_.string());
  ASSERT_TRUE(state.TypeNames.TypeNamesLoaded);
  ASSERT_EQ(state.TypeNames.TypeNameCount(), 6);
  EXPECT_TRUE(FindTypeName(state, "Gannet"));
  EXPECT_TRUE(FindTypeName(state, "Heron"));        // a last line without a line end
  EXPECT_FALSE(FindTypeName(state, "gannet"));      // case counts
  EXPECT_FALSE(FindTypeName(state, "Lorry"));       // no prefix matches
  EXPECT_FALSE(FindTypeName(state, "Hangar"));      // lines are not trimmed
  EXPECT_TRUE(FindTypeName(state, " Hangar"));
  EXPECT_TRUE(FindTypeName(state, "Spitfire Mk IX"));
  EXPECT_TRUE(FindTypeName(state, "Spitfire Mk V"));  // same first ten characters
  EXPECT_TRUE(FindTypeName(state, ""));             // the empty line is an entry
}

TEST_F(TypeNameFile, FirstFiveHundredLinesAreKept) {
  std::string bytes;
  for (int i = 1; i <= 501; ++i) bytes += "Type" + std::to_string(i) + "\r\n";
  Write(bytes);
  MissionState state;
  LoadTypeNames(state.TypeNames, path_.string());
  EXPECT_EQ(state.TypeNames.TypeNameCount(), 500);
  EXPECT_TRUE(FindTypeName(state, "Type500"));
  EXPECT_FALSE(FindTypeName(state, "Type501"));
}

TEST_F(TypeNameFile, MissingFileLeavesTheListEmpty) {
  MissionState state;
  LoadTypeNames(state.TypeNames, (path_.string() + ".absent"));
  EXPECT_FALSE(state.TypeNames.TypeNamesLoaded);
  EXPECT_EQ(state.TypeNames.TypeNameCount(), 0);
  EXPECT_FALSE(FindTypeName(state, ""));
}

}  // namespace
}  // namespace tolvane
