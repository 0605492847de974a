#include "mission_file.h"

#include <sys/stat.h>

#include <fstream>

namespace tolvane {

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

MissionFile::OpenResult MissionFile::Open(const std::string& path) {
  Close();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return OpenResult::Missing;
  // Only an ordinary file has an end: a pipe or a device could be read forever.
  if (!S_ISREG(info.st_mode)) return OpenResult::Unreadable;
  // Read straight into a string of the file's size, so a big mission costs
  // its own size in memory and no more.
  std::ifstream in(path, std::ios::binary);
  if (!in) return OpenResult::Unreadable;
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return OpenResult::Unreadable;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  // A file that grew while it was read (or reports no size, like a pipe)
  // is read on to its end.
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return OpenResult::Unreadable;
  bytes_ = std::move(bytes);
  position_ = 0;
  open_ = true;
  return OpenResult::Ok;
}

void MissionFile::OpenBytes(std::string bytes) {
  bytes_ = std::move(bytes);
  position_ = 0;
  open_ = true;
}

void MissionFile::Close() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  position_ = 0;
  open_ = false;
}

bool MissionFile::ReadLine(std::string& line) {
  if (!open_) return false;
  if (position_ >= bytes_.size()) {
    line.clear();
    return true;
  }
  std::size_t end = bytes_.find('\n', position_);
  std::size_t next = end;
  if (end == std::string::npos) {
    end = bytes_.size();
    next = end;
  } else {
    next = end + 1;
    if (end > position_ && bytes_[end - 1] == '\r') --end;
  }
  line.assign(bytes_, position_, end - position_);
  position_ = next;
  return true;
}

}  // namespace tolvane
