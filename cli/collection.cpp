#include "collection.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tolvane::cli {

namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

void CollectFolder(const std::string& folder, std::vector<std::string>& files, Collection& collection) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    collection.problems.push_back({folder, std::strerror(errno)});
    return;
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      CollectFolder(path, files, collection);
      continue;
    }
    if (!IsMissionName(name)) continue;
    // A link to a mission counts as the mission; a pipe or device is no mission file.
    if (S_ISLNK(info.st_mode) && (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))) continue;
    if (S_ISREG(info.st_mode)) files.push_back(path);
  }
}

}  // namespace

bool IsMissionName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  return end == ".mis";
}

Collection CollectMissions(const std::vector<std::string>& arguments) {
  Collection collection;
  for (const std::string& argument : arguments) {
    struct stat info {};
    if (argument == "-" || ::stat(argument.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      collection.files.push_back(argument);
      continue;
    }
    collection.hadFolder = true;
    std::vector<std::string> found;
    CollectFolder(argument, found, collection);
    std::sort(found.begin(), found.end());
    collection.files.insert(collection.files.end(), found.begin(), found.end());
  }
  return collection;
}

}  // namespace tolvane::cli
