// The one file reader: ordinary files whole or their start, everything else
// refused at once with the system's reason, and the size bound.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "file_reader.h"

namespace tolvane {
namespace {

using FileReader = testing::ScratchFolder;

TEST_F(FileReader, OrdinaryFilesAreReadWholeByteForByte) {
  std::string every;
  for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
  std::string bytes = "stale";
  EXPECT_TRUE(ReadFileBytes(Write("every.bin", every), bytes).Ok());
  EXPECT_EQ(bytes, every);
  EXPECT_TRUE(ReadFileBytes(Write("empty.mis", ""), bytes).Ok());
  EXPECT_EQ(bytes, "");
  // Larger than one read.
  const std::string big(200000, 'x');
  EXPECT_TRUE(ReadFileBytes(Write("big.mis", big), bytes).Ok());
  EXPECT_EQ(bytes, big);
}

TEST_F(FileReader, WhatIsNoOrdinaryFileIsRefusedWithoutWaiting) {
  const std::string fifo = (folder / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string link = (folder / "zero").string();
  std::filesystem::create_symlink("/dev/zero", link);
  const struct {
    std::string path;
    ReadStatus status;
    std::string reason;
  } cases[] = {
      {(folder / "absent").string(), ReadStatus::Missing, "No such file or directory"},
      {(folder / "absent" / "deeper").string(), ReadStatus::Missing, "No such file or directory"},
      {Write("plain", "x") + "/below", ReadStatus::Missing, "Not a directory"},
      {folder.string(), ReadStatus::NotOrdinary, "Is a directory"},
      {fifo, ReadStatus::NotOrdinary, "not an ordinary file"},
      {link, ReadStatus::NotOrdinary, "not an ordinary file"},
      {"/dev/null", ReadStatus::NotOrdinary, "not an ordinary file"},
      {std::string("plain\0x", 7), ReadStatus::Missing, "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string bytes = "stale";
    const ReadResult result = ReadFileBytes(c.path, bytes);
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Status, c.status);
    EXPECT_EQ(result.Reason, c.reason);
    EXPECT_EQ(bytes, "");
  }
}

TEST_F(FileReader, AFileWithoutPermissionIsUnreadable) {
  const std::string path = Write("secret.mis", "x");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  std::string bytes;
  const ReadResult result = ReadFileBytes(path, bytes);
  if (::geteuid() == 0) {
    EXPECT_TRUE(result.Ok());  // the superuser reads it all the same
  } else {
    EXPECT_EQ(result.Status, ReadStatus::Unreadable);
    EXPECT_EQ(result.Reason, "Permission denied");
  }
}

TEST_F(FileReader, TheBoundRefusesALargerFileOrCutsItsStart) {
  const std::string path = Write("ten.txt", "0123456789");
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes, 10).Ok());
  EXPECT_EQ(bytes, "0123456789");
  const ReadResult large = ReadFileBytes(path, bytes, 9);
  EXPECT_EQ(large.Status, ReadStatus::TooLarge);
  EXPECT_EQ(large.Reason, "larger than 9 bytes");
  EXPECT_EQ(bytes, "");
  EXPECT_TRUE(ReadFileStart(path, bytes, 4).Ok());
  EXPECT_EQ(bytes, "0123");
  EXPECT_TRUE(ReadFileStart(path, bytes, 100).Ok());
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(ReadFileStart((folder / "absent").string(), bytes, 4).Status, ReadStatus::Missing);
}

TEST_F(FileReader, AFileIsReadAsFarAsItsSizeWhenOpened) {
  // A file whose size says less than it yields (here one of the system's
  // files, which says 0) stands for one that grows while it is read: only
  // its size at the start is read, so the read always ends.
  std::string bytes = "stale";
  const ReadResult result = ReadFileBytes("/proc/self/status", bytes, 16);
  EXPECT_TRUE(result.Ok()) << result.Reason;
  EXPECT_EQ(bytes, "");
  // The start of a file is read by its size too.
  EXPECT_TRUE(ReadFileStart("/proc/self/status", bytes, 16).Ok());
  EXPECT_EQ(bytes, "");
}

TEST_F(FileReader, ADescriptorIsReadToItsEndWithinTheBound) {
  const std::string sent = "one\r\ntwo\r\n";
  for (const std::uint64_t bound : {std::uint64_t(DefaultMaxFileBytes), std::uint64_t(4)}) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], sent.data(), sent.size()), static_cast<ssize_t>(sent.size()));
    ::close(pipeEnds[1]);
    std::string bytes = "stale";
    const ReadResult result = ReadDescriptorBytes(pipeEnds[0], bytes, bound);
    EXPECT_EQ(result.Status, bound == 4 ? ReadStatus::TooLarge : ReadStatus::Ok);
    EXPECT_EQ(bytes, bound == 4 ? "" : sent);
    ::close(pipeEnds[0]);
  }

  // A descriptor on an ordinary file is read from where it stands, by size.
  std::string bytes;
  const int fd = ::open(Write("ten.txt", "0123456789").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::lseek(fd, 3, SEEK_SET), 3);
  EXPECT_TRUE(ReadDescriptorBytes(fd, bytes, 7).Ok());
  EXPECT_EQ(bytes, "3456789");
  ASSERT_EQ(::lseek(fd, 0, SEEK_SET), 0);
  EXPECT_EQ(ReadDescriptorBytes(fd, bytes, 9).Status, ReadStatus::TooLarge);
  ::close(fd);
}

}  // namespace
}  // namespace tolvane
