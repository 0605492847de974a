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

}  // namespace tolvane
