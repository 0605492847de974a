#include "file_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// Reads from fd until its end, or until limit bytes are in hand and one more
// byte shows there is more (moreThanLimit). Waits for a descriptor that would
// block (a terminal or pipe the user named).
ReadResult ReadUpTo(int fd, std::string& bytes, std::uint64_t limit, bool& moreThanLimit) {
  moreThanLimit = false;
  char buffer[65536];
  for (;;) {
    const std::uint64_t room = limit - bytes.size();
    // One byte past the limit tells a file that is longer from one that ends there.
    const std::size_t want = room < sizeof buffer ? static_cast<std::size_t>(room) + 1 : sizeof buffer;
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
  // Read straight into a string of the file's size, so a big file costs its
  // own size in memory and no more.
  const std::uint64_t expected = static_cast<std::uint64_t>(info.st_size);
  bytes.reserve(static_cast<std::size_t>(expected < maxBytes ? expected : maxBytes));
  bool longer = false;
  ReadResult result = ReadUpTo(fd, bytes, maxBytes, longer);
  ::close(fd);
  if (result.Ok() && longer && !cut) {
    bytes.clear();
    return TooLarge(maxBytes);
  }
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
  bool longer = false;
  ReadResult result = ReadUpTo(fd, bytes, maxBytes, longer);
  if (result.Ok() && longer) {
    bytes.clear();
    return TooLarge(maxBytes);
  }
  return result;
}

}  // namespace tolvane
