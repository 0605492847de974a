#pragma once
// The type-name list read from ObjectNames.Txt: at most 500 names of up to
// 10 characters each, searched by exact, case-sensitive comparison.

#include <cstdint>
#include <string>
#include <vector>

#include "file_reader.h"
#include "short_text.h"

namespace tolvane {

struct TypeNameList {
  static constexpr int Capacity = 500;
  std::vector<ShortText<10>> TypeNameTable;  // entries 1 to TypeNameCount, 0-based here
  bool TypeNamesLoaded = false;

  int TypeNameCount() const { return static_cast<int>(TypeNameTable.size()); }
  void clear() { TypeNameTable.clear(); TypeNamesLoaded = false; }
};

// The list is a few kilobytes; of a larger file only this much is read,
// which holds 500 lines far longer than any type name.
constexpr std::uint64_t MaxTypeNameFileBytes = std::uint64_t(1) << 20;

// Reads the list: every line (a last line without a line end too, an empty
// line as an empty entry) keeps its first 10 characters, untrimmed. Lines past
// the 500th are not kept, and only the first MaxTypeNameFileBytes bytes are
// read. A file that does not exist, is no ordinary file (a folder, a pipe, a
// device) or cannot be read leaves the list empty with TypeNamesLoaded false;
// the answer says why.
ReadResult LoadTypeNames(TypeNameList& list, const std::string& path);

// True when some entry equals the first 10 characters of the name.
bool FindTypeName(const TypeNameList& list, const std::string& name);

}  // namespace tolvane
