#include "file_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
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

// Closes a descriptor when its owner ends, however it ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Opens the file at path when it is an ordinary file and, unless cut, no
// larger than maxBytes; info then holds its state as opened. The one place
// that decides which files are read.
ReadResult OpenOrdinaryFile(const std::string& path, std::uint64_t maxBytes, bool cut, int& fd, struct stat& info) {
  fd = -1;
  // A name with a NUL byte names no file: the system would see only the part before it.
  if (path.find('\0') != std::string::npos) return SystemFailure(ReadStatus::Missing, ENOENT);

  // Looked at before it is opened, so a pipe or device is never opened.
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (!S_ISREG(info.st_mode)) return NotOrdinary(info.st_mode);
  if (!cut && static_cast<std::uint64_t>(info.st_size) > maxBytes) return TooLarge(maxBytes);

  // Opened without waiting, and checked again: the name may have been
  // replaced by a pipe in between.
  const int opened = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (opened < 0) {
    const int error = errno;
    return SystemFailure(error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable, error);
  }
  if (::fstat(opened, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(opened);
    return NotOrdinary(info.st_mode);
  }
  if (!cut && static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    ::close(opened);
    return TooLarge(maxBytes);
  }
  fd = opened;
  return ReadResult{};
}

// An ordinary file, read whole (cut = false: longer is TooLarge) or its
// first maxBytes bytes (cut = true).
ReadResult ReadOrdinaryFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes, bool cut) {
  bytes.clear();
  int fd = -1;
  struct stat info {};
  const ReadResult opened = OpenOrdinaryFile(path, maxBytes, cut, fd, info);
  if (!opened.Ok()) return opened;
  const Descriptor closer(fd);
  return ReadBySize(fd, info, bytes, maxBytes, cut);
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

const char FileChangedReason[] = "the file changed while it was read";

// The guard against a file shortened while it is mapped. Touching a page past
// the file's new end raises SIGBUS on the thread that touched it. Each thread
// names the one mapping it reads guarded; when the fault lies in that
// mapping, the handler lays zero pages over the rest of it and notes the
// change, and the interrupted read goes on over zeros. No jump leaves the
// reading code, so every object it holds is destroyed as usual. Any other
// SIGBUS goes to the handler that was there before, or ends the process as
// it would have without us.
namespace {

struct GuardedMapping {
  char* start = nullptr;
  std::size_t size = 0;  // whole pages
  volatile sig_atomic_t changed = 0;
};

// Static TLS, so the handler reads it without calling into the loader.
[[gnu::tls_model("initial-exec")]] thread_local GuardedMapping* guardedMapping = nullptr;

struct sigaction previousBusError;
std::size_t pageSize = 4096;
std::once_flag busErrorHandlerInstalled;

void OnBusError(int signal, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  GuardedMapping* guarded = guardedMapping;
  char* const address = static_cast<char*>(info->si_addr);
  // si_code > 0: raised by the kernel for a fault, not sent by a program.
  if (guarded && info->si_code > 0 && address >= guarded->start && address < guarded->start + guarded->size) {
    char* const page = guarded->start + static_cast<std::size_t>(address - guarded->start) / pageSize * pageSize;
    const std::size_t length = static_cast<std::size_t>(guarded->start + guarded->size - page);
    if (::mmap(page, length, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
      guarded->changed = 1;
      errno = savedErrno;
      return;
    }
  }
  if ((previousBusError.sa_flags & SA_SIGINFO) && previousBusError.sa_sigaction) {
    previousBusError.sa_sigaction(signal, info, context);
    errno = savedErrno;
    return;
  }
  if (!(previousBusError.sa_flags & SA_SIGINFO) && previousBusError.sa_handler != SIG_DFL &&
      previousBusError.sa_handler != SIG_IGN) {
    previousBusError.sa_handler(signal);
    errno = savedErrno;
    return;
  }
  // The system's own action: the signal is raised again and ends the process
  // once this handler returns.
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(SIGBUS, &byDefault, nullptr);
  ::raise(signal);
}

void InstallBusErrorHandler() {
  std::call_once(busErrorHandlerInstalled, [] {
    const long size = ::sysconf(_SC_PAGESIZE);
    if (size > 0) pageSize = static_cast<std::size_t>(size);
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previousBusError);
  });
}

// Names the mapping this thread reads, for as long as it reads it.
class GuardScope {
 public:
  explicit GuardScope(GuardedMapping& mapping) : previous_(guardedMapping) {
    guardedMapping = &mapping;
    std::atomic_signal_fence(std::memory_order_seq_cst);
  }
  ~GuardScope() {
    std::atomic_signal_fence(std::memory_order_seq_cst);
    guardedMapping = previous_;
  }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;

 private:
  GuardedMapping* previous_;
};

}  // namespace

void MappedFile::Release() {
  if (mapping_) ::munmap(mapping_, mappedSize_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  mapping_ = nullptr;
  mappedSize_ = 0;
  intact_ = true;
  copy_.clear();
  copy_.shrink_to_fit();
  bytes_ = std::string_view();
}

ReadResult MappedFile::Open(const std::string& path, std::uint64_t maxBytes) {
  Release();
  int fd = -1;
  struct stat info {};
  const ReadResult opened = OpenOrdinaryFile(path, maxBytes, false, fd, info);
  if (!opened.Ok()) return opened;
  Descriptor closer(fd);
  const std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  if (size == 0) return ReadResult{};  // nothing to map

  // Every page is brought in at once, so the passes run over memory that is
  // already there. The mapping keeps this size: what is appended later is
  // not seen, as when the file is read by its size.
  void* mapping = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (mapping == MAP_FAILED) {
    const ReadResult read = ReadBySize(fd, info, copy_, maxBytes, false);
    bytes_ = copy_;
    return read;
  }
  mapping_ = mapping;
  mappedSize_ = static_cast<std::size_t>(size);
  fd_ = closer.release();  // kept, to see afterwards whether the file was shortened
  bytes_ = std::string_view(static_cast<const char*>(mapping), mappedSize_);
  return ReadResult{};
}

ReadResult MappedFile::OpenDescriptor(int fd, std::uint64_t maxBytes) {
  Release();
  const ReadResult read = ReadDescriptorBytes(fd, copy_, maxBytes);
  bytes_ = copy_;
  return read;
}

bool MappedFile::ReadGuarded(const std::function<void(std::string_view)>& read) {
  if (!mapping_) {
    read(bytes_);
    return intact_;
  }
  InstallBusErrorHandler();
  GuardedMapping guarded;
  guarded.start = static_cast<char*>(mapping_);
  guarded.size = (mappedSize_ + pageSize - 1) / pageSize * pageSize;
  {
    const GuardScope scope(guarded);
    read(bytes_);
  }
  // A file shortened past pages that were never touched is changed all the same.
  struct stat info {};
  if (guarded.changed || (::fstat(fd_, &info) == 0 && static_cast<std::uint64_t>(info.st_size) < mappedSize_)) {
    intact_ = false;
  }
  return intact_;
}

}  // namespace tolvane
