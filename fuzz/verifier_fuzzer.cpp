// Runs the whole verification (pass one, then pass two when it applies) on
// arbitrary bytes. Any input must end with an error code, never a crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "mission_state.h"
#include "statement_reader.h"
#include "verify.h"

namespace {

tolvane::MissionFolderEnvironment FuzzEnvironment() {
  tolvane::TypeNameList list;
  for (const char* name : {"Hurrier", "Kestrel", "Falke 190", "Osprey B", "Lorry 3t", "Flak Nest", "Hangar",
                           "Pillbox", "Tanker", "Scout Car"}) {
    list.TypeNameTable.emplace_back(name);
  }
  list.TypeNamesLoaded = true;
  return tolvane::MissionFolderEnvironment(list, "/nonexistent-missions");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tolvane::MissionFolderEnvironment environment = FuzzEnvironment();
  tolvane::MissionState state;
  const tolvane::VerifyResult result = tolvane::VerifyMissionBytes(
      state, environment, std::string_view(reinterpret_cast<const char*>(data), size));
  // The verdict and the error state must agree with each other.
  if (!result.MissionOk && state.ErrNo == 0) __builtin_trap();
  if (state.ErrNo < 0 || state.ErrNo > 137) __builtin_trap();
  if (tolvane::MessageText(state.ErrNo) == nullptr) __builtin_trap();
  return 0;
}
