#pragma once
// The mission text read line by line, the way the verifier reads a mission.
// The text is held in memory whole, so a read can never fail halfway; lines
// end with LF or CR LF, and a last line without a line end is still a line.
// The verifier itself never opens a file: its caller reads the bytes once.

#include <cstddef>
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

  // Reads the next line without its line end. At the end of the file the line
  // is empty and the call still succeeds. Answers false only when no file is open.
  bool ReadLine(std::string& line);

 private:
  std::string owned_;
  std::string_view bytes_;
  std::size_t position_ = 0;
  bool open_ = false;
};

}  // namespace tolvane
