#include "type_names.h"

#include "mission_file.h"

namespace tolvane {

ReadResult LoadTypeNames(TypeNameList& list, const std::string& path) {
  list.clear();
  std::string bytes;
  ReadResult read = ReadFileStart(path, bytes, MaxTypeNameFileBytes);
  if (!read.Ok()) return read;
  MissionFile file;
  file.OpenView(bytes);
  std::string line;
  while (!file.AtEnd()) {
    file.ReadLine(line);
    if (list.TypeNameCount() < TypeNameList::Capacity) list.TypeNameTable.emplace_back(line);
  }
  list.TypeNamesLoaded = true;
  return read;
}

bool FindTypeName(const TypeNameList& list, const std::string& name) {
  const ShortText<10> wanted(name);
  for (const auto& entry : list.TypeNameTable) {
    if (entry == wanted) return true;
  }
  return false;
}

}  // namespace tolvane
