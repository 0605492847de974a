#pragma once
// The mission text read line by line, the way the verifier reads a mission.
// The text is held in memory whole, so a read can never fail halfway; lines
// end with LF or CR LF, and a last line without a line end is still a line.
// The verifier itself never opens a file: its caller reads the bytes once.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tolvane {

class MissionFile {
 public:
  // Reads the given bytes, which must outlive the reading.
  void OpenView(std::string_view bytes);
  // Reads a copy of the given bytes (tests).
  void OpenBytes(std::string bytes);
  void Close();
  bool IsOpen() const { return open_; }

  // Starts again from the first line.
  void Rewind() { position_ = 0; }
  bool AtEnd() const { return position_ >= bytes_.size(); }

  // The next line without its line end, as a view into the bytes: nothing is
  // copied. At the end of the file the line is empty and the call still
  // succeeds. Answers false only when no file is open.
  bool NextLine(std::string_view& line) {
    if (!open_) return false;
    if (position_ >= bytes_.size()) {
      line = std::string_view();
      return true;
    }
    const char* start = bytes_.data() + position_;
    const std::size_t left = bytes_.size() - position_;
    const void* found = std::memchr(start, '\n', left);
    if (!found) {
      line = std::string_view(start, left);
      position_ = bytes_.size();
      return true;
    }
    std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
    position_ += length + 1;
    if (length > 0 && start[length - 1] == '\r') --length;
    line = std::string_view(start, length);
    return true;
  }

  // The same line copied into a string.
  bool ReadLine(std::string& line) {
    std::string_view view;
    if (!NextLine(view)) return false;
    line.assign(view.data(), view.size());
    return true;
  }

 private:
  std::string owned_;
  std::string_view bytes_;
  std::size_t position_ = 0;
  bool open_ = false;
};

}  // namespace tolvane
