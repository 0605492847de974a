#include "mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
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

// Closes the descriptor when the opening ends, however it ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

void MappedFile::Release() {
  if (mapping_) ::munmap(mapping_, mappedSize_);
  mapping_ = nullptr;
  mappedSize_ = 0;
  copy_.clear();
  copy_.shrink_to_fit();
  bytes_ = std::string_view();
}

ReadResult MappedFile::Open(const std::string& path, std::uint64_t maxBytes) {
  Release();
  // A name with a NUL byte names no file: the system would see only the part before it.
  if (path.find('\0') != std::string::npos) return SystemFailure(ReadStatus::Missing, ENOENT);

  // Looked at before it is opened, so a pipe or device is never opened.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (!S_ISREG(info.st_mode)) return NotOrdinary(info.st_mode);
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    return Failure(ReadStatus::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
  }

  // Opened without waiting, and checked again: the name may have been
  // replaced by a pipe in between.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return NotOrdinary(info.st_mode);
  const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  if (size > maxBytes) return Failure(ReadStatus::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes");
  if (size == 0) return ReadResult{};  // nothing to map

  // Every page is brought in at once, so the passes run over memory that is
  // already there.
  void* mapping = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
  if (mapping == MAP_FAILED) {
    ReadResult read = ReadFileBytes(path, copy_, maxBytes);
    bytes_ = copy_;
    return read;
  }
  mapping_ = mapping;
  mappedSize_ = static_cast<std::size_t>(size);
  bytes_ = std::string_view(static_cast<const char*>(mapping), mappedSize_);
  return ReadResult{};
}

}  // namespace tolvane
