#pragma once
// What the verifier asks of the world around the mission: the type names the
// program loaded, and whether a mission named by ".LOADNEXTMISSION" exists.
// The passes read nothing but the mission text; everything else comes
// through this interface, so a front end (or a test) decides where it comes from.

#include <string>

#include "file_reader.h"
#include "type_names.h"

namespace tolvane {

class VerifierEnvironment {
 public:
  virtual ~VerifierEnvironment();
  virtual const TypeNameList& TypeNames() const = 0;
  // True when the mission of that name (exactly as written) can be loaded next.
  virtual bool NextMissionExists(const std::string& name) const = 0;
};

// The program's own environment: the loaded type names and the missions folder.
class MissionFolderEnvironment : public VerifierEnvironment {
 public:
  MissionFolderEnvironment() = default;
  MissionFolderEnvironment(TypeNameList names, std::string missionFolder);

  const TypeNameList& TypeNames() const override { return names_; }
  // True when missionFolder + "/" + name exists and is not a folder. The
  // name is a file name, not a path: a name with "/" or "\\", the names "."
  // and "..", an empty name and a name with a NUL byte name no mission, and
  // with an empty missions folder no name does.
  bool NextMissionExists(const std::string& name) const override;

  const std::string& MissionFolder() const { return missionFolder_; }

 private:
  TypeNameList names_;
  std::string missionFolder_;
};

// What reading a program folder found, for the front end to tell the user.
struct ProgramFolderReading {
  std::string TypeNamesPath;  // programFolder + "/ObjectNames.Txt"
  ReadResult TypeNames;       // how reading it went; no type names when not Ok
  // The settings file, read only when no missions folder was given.
  bool SettingsConsulted = false;
  std::string SettingsPath;  // programFolder + "/Tolvane.INI"
  ReadResult Settings;       // how reading it went; an empty missions folder when not Ok
  // The file was read but its missions folder line is not usable: the
  // missions folder is empty.
  bool MissionFolderUnusable = false;
};

// The environment of a program folder, as the command-line front ends build
// it: the type names of its ObjectNames.Txt, and as missions folder the one
// given (missionsFolder not null) or else line 2 of its Tolvane.INI, a
// relative folder taken from the program folder. Anything missing leaves
// the environment without it and is said in reading.
MissionFolderEnvironment LoadProgramFolder(const std::string& programFolder, const std::string* missionsFolder,
                                           ProgramFolderReading& reading);

// No type names and no next missions: the environment of a state that was
// given none.
const VerifierEnvironment& EmptyEnvironment();

}  // namespace tolvane
