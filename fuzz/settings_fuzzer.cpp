// Drives the settings-file reader with arbitrary bytes: every input is either
// read or refused with a message, and what is read formats back without a crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tolvane::SettingsFileFuzzOne(bytes);
  return 0;
}
