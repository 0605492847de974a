#include "mission_file.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace tolvane {

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

MissionFile::OpenResult MissionFile::Open(const std::string& path) {
  Close();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return OpenResult::Missing;
  if (S_ISDIR(info.st_mode)) return OpenResult::Unreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return OpenResult::Unreadable;
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) return OpenResult::Unreadable;
  bytes_ = contents.str();
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
