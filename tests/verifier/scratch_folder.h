#pragma once
// A fresh folder of the test's own under the system's temporary folder,
// removed with everything in it when the test ends.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tolvane::testing {

class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("tolvane-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // Writes the bytes to the named file of the folder; answers its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  std::filesystem::path folder;
};

}  // namespace tolvane::testing
