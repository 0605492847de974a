#pragma once
// A text file read line by line, the way the verifier reads a mission. The
// whole file is loaded at once, so a read can never fail halfway; lines end
// with LF or CR LF, and a last line without a line end is still a line.

#include <cstddef>
#include <string>

namespace tolvane {

class MissionFile {
 public:
  enum class OpenResult { Ok, Missing, Unreadable };

  // Loads the file. Missing: no such file. Unreadable: it exists but cannot
  // be read (a folder, a pipe or device, no permission, an I/O error).
  OpenResult Open(const std::string& path);
  // Uses the given bytes as the file's contents (tests, fuzzing).
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
  std::string bytes_;
  std::size_t position_ = 0;
  bool open_ = false;
};

bool FileExists(const std::string& path);

}  // namespace tolvane
