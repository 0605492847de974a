#pragma once
// The one way the core reads a whole file: only an ordinary file is read, so
// a pipe, a device or a folder in its place is refused without waiting for a
// writer, and a file larger than the bound is refused before it is read.
// Every failure comes with the system's own reason for the user.

#include <cstdint>
#include <string>

namespace tolvane {

enum class ReadStatus {
  Ok,
  Missing,      // no such file (or a folder on its path is missing)
  NotOrdinary,  // a folder, a pipe, a device, a socket
  TooLarge,     // more bytes than the bound allows
  Unreadable,   // it exists but cannot be opened or read (permission, I/O error)
};

struct ReadResult {
  ReadStatus Status = ReadStatus::Ok;
  // Why it failed, for the user: the system's text ("No such file or
  // directory", "Permission denied", "Is a directory") or "not an ordinary
  // file", "larger than N bytes". Empty when Ok.
  std::string Reason;

  bool Ok() const { return Status == ReadStatus::Ok; }
};

// Far beyond any mission or list; guards memory against a wrong file.
constexpr std::uint64_t DefaultMaxFileBytes = std::uint64_t(1) << 30;

// Reads the whole file into bytes (emptied on failure). The file is read by
// the size it has when it is opened: a file with more than maxBytes bytes is
// TooLarge, and what is appended while it is read is left unread, so a file
// that keeps growing is read as far as its size at the start. When the memory
// for it cannot be had, it is TooLarge too.
ReadResult ReadFileBytes(const std::string& path, std::string& bytes,
                         std::uint64_t maxBytes = DefaultMaxFileBytes);

// Reads the first maxBytes bytes of the file, or all of it when it is
// shorter; a longer file is not an error. For files of which only the start
// is needed.
ReadResult ReadFileStart(const std::string& path, std::string& bytes, std::uint64_t maxBytes);

// Reads an open descriptor (standard input) to its end, at most maxBytes
// bytes; more is TooLarge. A descriptor open on an ordinary file (input
// redirected from a file) is read by its size, as ReadFileBytes does. The
// descriptor is left open.
ReadResult ReadDescriptorBytes(int fd, std::string& bytes, std::uint64_t maxBytes = DefaultMaxFileBytes);

}  // namespace tolvane
