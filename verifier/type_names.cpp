#include "type_names.h"

#include <sys/stat.h>

#include "mission_file.h"

namespace tolvane {

void LoadTypeNames(TypeNameList& list, const std::string& path) {
  list.clear();
  // Only a plain file is a list: a pipe or a device could be read without end.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  MissionFile file;
  if (file.Open(path) != MissionFile::OpenResult::Ok) return;
  std::string line;
  while (!file.AtEnd()) {
    file.ReadLine(line);
    if (list.TypeNameCount() < TypeNameList::Capacity) list.TypeNameTable.emplace_back(line);
  }
  list.TypeNamesLoaded = true;
}

bool FindTypeName(const TypeNameList& list, const std::string& name) {
  const ShortText<10> wanted(name);
  for (const auto& entry : list.TypeNameTable) {
    if (entry == wanted) return true;
  }
  return false;
}

}  // namespace tolvane
