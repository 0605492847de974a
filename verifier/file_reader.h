#pragma once
// The one way the core reads a whole file: only an ordinary file is read, so
// a pipe, a device or a folder in its place is refused without waiting for a
// writer, and a file larger than the bound is refused before it is read.
// Every failure comes with the system's own reason for the user.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

// Why a file that was shortened while its bytes were read counts as unreadable.
extern const char FileChangedReason[];

// A file's bytes held in memory without copying them: the file is mapped
// read-only, its pages come straight from the system's file cache and are
// never zero-filled or copied into a buffer of ours. The same files are
// refused as by ReadFileBytes, with the same reasons, and the mapping keeps
// the size the file had when it was opened. Where a file cannot be mapped (a
// file system that does not allow it), and for a descriptor such as standard
// input, the bytes are read into memory once instead.
//
// A mapping shows the file as it is: a program that shortens the file while
// it is mapped takes away the pages past its new end, and touching one of
// them would end the process. Read the bytes inside ReadGuarded.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile() { Release(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file at path, releasing what was held before. On failure the
  // bytes are empty and the result says why.
  ReadResult Open(const std::string& path, std::uint64_t maxBytes = DefaultMaxFileBytes);
  // Reads an open descriptor as ReadDescriptorBytes does.
  ReadResult OpenDescriptor(int fd, std::uint64_t maxBytes = DefaultMaxFileBytes);

  // The file's bytes, valid until the next Open or the end of the object.
  std::string_view Bytes() const { return bytes_; }

  // Runs read(Bytes()) on this thread with the mapping guarded: a page that
  // another program takes away by shortening the file reads as zero bytes
  // instead of ending the process. Answers false when the file is shorter
  // than its mapping, during the read or at its end, whether or not read
  // touched what was taken; what read saw was then not the file, and its
  // results are to be thrown away. A fault anywhere else, or in this mapping
  // on another thread, ends the process as usual. Bytes that are not mapped
  // (read into memory) are always intact.
  bool ReadGuarded(const std::function<void(std::string_view)>& read);

 private:
  void Release();

  std::string_view bytes_;
  void* mapping_ = nullptr;
  std::size_t mappedSize_ = 0;
  int fd_ = -1;         // the mapped file, open while it is mapped
  bool intact_ = true;  // no page of the mapping has gone
  std::string copy_;  // bytes that were read rather than mapped
};

}  // namespace tolvane
