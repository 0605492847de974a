#include "mission_file.h"

namespace tolvane {

void MissionFile::OpenView(std::string_view bytes) {
  owned_.clear();
  bytes_ = bytes;
  position_ = 0;
  open_ = true;
}

void MissionFile::OpenBytes(std::string bytes) {
  owned_ = std::move(bytes);
  bytes_ = owned_;
  position_ = 0;
  open_ = true;
}

void MissionFile::Close() {
  owned_.clear();
  owned_.shrink_to_fit();
  bytes_ = std::string_view();
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
  if (end == std::string_view::npos) {
    end = bytes_.size();
    next = end;
  } else {
    next = end + 1;
    if (end > position_ && bytes_[end - 1] == '\r') --end;
  }
  line.assign(bytes_.data() + position_, end - position_);
  position_ = next;
  return true;
}

}  // namespace tolvane
