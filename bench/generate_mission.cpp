// generate_mission: writes a generated mission and the type names it uses,
// for scripts/bench.sh.
//   generate_mission [--small] [--pad BYTES] [--next NAME] MISSION TYPE_NAMES

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "mission_generator.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) std::cerr << "generate_mission: cannot write '" << path << "'\n";
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  tolvane::bench::MissionShape shape;
  std::string files[2];
  int fileCount = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--small") {
      const std::size_t pad = shape.PadToBytes;
      shape = tolvane::bench::SmallShape();
      shape.PadToBytes = pad;
    } else if (argument == "--pad" && i + 1 < argc) {
      shape.PadToBytes = std::strtoull(argv[++i], nullptr, 10);
    } else if (argument == "--next" && i + 1 < argc) {
      shape.NextMission = argv[++i];
    } else if (fileCount < 2 && !argument.empty() && argument[0] != '-') {
      files[fileCount++] = argument;
    } else {
      std::cerr << "usage: generate_mission [--small] [--pad BYTES] [--next NAME] MISSION TYPE_NAMES\n";
      return 2;
    }
  }
  if (fileCount != 2) {
    std::cerr << "usage: generate_mission [--small] [--pad BYTES] [--next NAME] MISSION TYPE_NAMES\n";
    return 2;
  }
  const bool written = WriteFile(files[0], tolvane::bench::GenerateMission(shape)) &&
                       WriteFile(files[1], tolvane::bench::GeneratorTypeNames());
  return written ? 0 : 1;
}
