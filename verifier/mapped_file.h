#pragma once
// A file's bytes held in memory without copying them: the file is mapped
// read-only, its pages come straight from the system's file cache and are
// never zero-filled or copied into a buffer of ours. The same files are
// refused as by ReadFileBytes (a folder, a pipe, a device, a file past the
// bound), with the same reasons. Where a file cannot be mapped (a file system
// that does not allow it) it is read into memory once instead.
//
// A mapping shows the file as it is: a program that shortens the file while
// it is mapped takes away the pages past its new end.

#include <cstdint>
#include <string>
#include <string_view>

#include "file_reader.h"

namespace tolvane {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile() { Release(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file at path, releasing what was held before. On failure the
  // bytes are empty and the result says why.
  ReadResult Open(const std::string& path, std::uint64_t maxBytes = DefaultMaxFileBytes);

  // The file's bytes, valid until the next Open or the end of the object.
  std::string_view Bytes() const { return bytes_; }

 private:
  void Release();

  std::string_view bytes_;
  void* mapping_ = nullptr;
  std::size_t mappedSize_ = 0;
  std::string copy_;  // a file that could not be mapped
};

}  // namespace tolvane
