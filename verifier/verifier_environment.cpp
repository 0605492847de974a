#include "verifier_environment.h"

#include <sys/stat.h>

#include "settings_file.h"

namespace tolvane {

VerifierEnvironment::~VerifierEnvironment() = default;

MissionFolderEnvironment::MissionFolderEnvironment(TypeNameList names, std::string missionFolder)
    : names_(std::move(names)), missionFolder_(std::move(missionFolder)) {}

namespace {

// A name that stays inside the folder it is looked up in.
bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

}  // namespace

bool MissionFolderEnvironment::NextMissionExists(const std::string& name) const {
  if (missionFolder_.empty() || !IsPlainFileName(name)) return false;
  const std::string path = missionFolder_ + "/" + name;
  if (path.find('\0') != std::string::npos) return false;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

namespace {

class NoEnvironment : public VerifierEnvironment {
 public:
  const TypeNameList& TypeNames() const override { return names_; }
  bool NextMissionExists(const std::string&) const override { return false; }

 private:
  TypeNameList names_;
};

}  // namespace

namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

MissionFolderEnvironment LoadProgramFolder(const std::string& programFolder, const std::string* missionsFolder,
                                           ProgramFolderReading& reading) {
  reading = ProgramFolderReading();
  TypeNameList names;
  reading.TypeNamesPath = JoinPath(programFolder, "ObjectNames.Txt");
  reading.TypeNames = LoadTypeNames(names, reading.TypeNamesPath);
  if (missionsFolder) return MissionFolderEnvironment(std::move(names), *missionsFolder);

  reading.SettingsConsulted = true;
  reading.SettingsPath = JoinPath(programFolder, "Tolvane.INI");
  SettingsFileContents settings;
  const SettingsFileResult read = ReadSettingsFile(reading.SettingsPath, settings, nullptr);
  reading.Settings = read.File;
  std::string folder;
  if (read.File.Ok() && !read.Settings.MissionFolderUsable) {
    reading.MissionFolderUnusable = true;
  } else if (read.File.Ok()) {
    // A relative missions folder is taken from the program folder, the
    // folder the editor itself runs in.
    folder = settings.MissionFolder;
    if (folder[0] != '/') folder = JoinPath(programFolder, folder);
  }
  return MissionFolderEnvironment(std::move(names), folder);
}

const VerifierEnvironment& EmptyEnvironment() {
  static const NoEnvironment empty;
  return empty;
}

}  // namespace tolvane
