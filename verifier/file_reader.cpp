#include "file_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace tolvane {

namespace {

ReadResult Failure(ReadStatus status, std::string reason) { return ReadResult{status, std::move(reason)}; }

ReadResult SystemFailure(ReadStatus status, int error) { return Failure(status, std::strerror(error)); }

ReadResult NotOrdinary(mode_t mode) {
  if (S_ISDIR(mode)) return SystemFailure(ReadStatus::NotOrdinary, EISDIR);
  return Failure(ReadStatus::NotOrdinary, "not an ordinary file");
}

ReadResult TooLarge(std::uint64_t maxBytes) {
  return Failure(ReadStatus::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
}

// Reads from fd until its end, or until limit bytes are in hand; when
// probe is set, one byte more is asked for so that moreThanLimit tells a
// source that is longer from one that ends at the limit. Waits for a
// descriptor that would block (a terminal or pipe the user named).
ReadResult ReadUpTo(int fd, std::string& bytes, std::uint64_t limit, bool probe, bool& moreThanLimit) {
  moreThanLimit = false;
  char buffer[65536];
  for (;;) {
    const std::uint64_t room = limit - bytes.size();
    if (room == 0 && !probe) return ReadResult{};
    const std::uint64_t ask = probe ? room + 1 : room;
    const std::size_t want = ask < sizeof buffer ? static_cast<std::size_t>(ask) : sizeof buffer;
    const ssize_t got = ::read(fd, buffer, want);
    if (got == 0) return ReadResult{};
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd wait{fd, POLLIN, 0};
        ::poll(&wait, 1, -1);
        continue;
      }
      const int error = errno;
      bytes.clear();
      return SystemFailure(ReadStatus::Unreadable, error);
    }
    if (static_cast<std::uint64_t>(got) > room) {
      bytes.append(buffer, static_cast<std::size_t>(room));
      moreThanLimit = true;
      return ReadResult{};
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

ReadResult OutOfMemory(std::string& bytes) {
  bytes.clear();
  bytes.shrink_to_fit();
  return Failure(ReadStatus::TooLarge, "too large for the memory available");
}

// An open ordinary file, read by the size it has now: what is appended while
// it is read is not read, so a file that keeps growing ends all the same.
// Longer than maxBytes: TooLarge, or its first maxBytes bytes when cut.
ReadResult ReadBySize(int fd, const struct stat& info, std::string& bytes, std::uint64_t maxBytes, bool cut) {
  const std::uint64_t size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  if (!cut && size > maxBytes) return TooLarge(maxBytes);
  const std::uint64_t wanted = size < maxBytes ? size : maxBytes;
  try {
    // A string of the file's size, so a big file costs its own size in memory and no more.
    bytes.reserve(static_cast<std::size_t>(wanted));
    bool longer = false;
    return ReadUpTo(fd, bytes, wanted, false, longer);
  } catch (const std::bad_alloc&) {
    return OutOfMemory(bytes);
  }
}

// An ordinary file, read whole (cut = false: longer is TooLarge) or its
// first maxBytes bytes (cut = true).
ReadResult ReadOrdinaryFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes, bool cut) {
  bytes.clear();
  // A name with a NUL byte names no file: the system would see only the part before it.
  if (path.find('\0') != std::string::npos) return SystemFailure(ReadStatus::Missing, ENOENT);

  // Looked at before it is opened, so a pipe or device is never opened.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (!S_ISREG(info.st_mode)) return NotOrdinary(info.st_mode);
  if (!cut && static_cast<std::uint64_t>(info.st_size) > maxBytes) return TooLarge(maxBytes);

  // Opened without waiting, and checked again: the name may have been
  // replaced by a pipe in between.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const ReadResult result = NotOrdinary(info.st_mode);
    ::close(fd);
    return result;
  }
  ReadResult result = ReadBySize(fd, info, bytes, maxBytes, cut);
  ::close(fd);
  return result;
}

}  // namespace

ReadResult ReadFileBytes(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
  return ReadOrdinaryFile(path, bytes, maxBytes, false);
}

ReadResult ReadFileStart(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
  return ReadOrdinaryFile(path, bytes, maxBytes, true);
}

ReadResult ReadDescriptorBytes(int fd, std::string& bytes, std::uint64_t maxBytes) {
  bytes.clear();
  // Standard input redirected from a file is read by its size like any file.
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    const off_t position = ::lseek(fd, 0, SEEK_CUR);
    if (position > 0) info.st_size = info.st_size > position ? info.st_size - position : 0;
    return ReadBySize(fd, info, bytes, maxBytes, false);
  }
  try {
    bool longer = false;
    ReadResult result = ReadUpTo(fd, bytes, maxBytes, true, longer);
    if (result.Ok() && longer) {
      bytes.clear();
      return TooLarge(maxBytes);
    }
    return result;
  } catch (const std::bad_alloc&) {
    return OutOfMemory(bytes);
  }
}

}  // namespace tolvane
