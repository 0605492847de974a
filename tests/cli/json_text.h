#pragma once
// Reading the JSON that tolvane-verify writes, in the tests: nlohmann's strict
// parser (valid UTF-8, no raw control characters), members kept in the order
// written, and strings decoded to code points so they can be compared with
// the 8-bit mission text they came from.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace jsontest {

using Json = nlohmann::ordered_json;

// One whole document; a fault fails the test and gives null.
inline Json Parse(const std::string& text) {
  try {
    return Json::parse(text);
  } catch (const std::exception& error) {
    ADD_FAILURE() << error.what() << "\nin: " << text.substr(0, 400);
    return Json();
  }
}

// Each byte of 8-bit text as the code point of the same number.
inline std::u32string FromLatin1(std::string_view bytes) {
  std::u32string out;
  for (char c : bytes) out += static_cast<char32_t>(static_cast<unsigned char>(c));
  return out;
}

// The code points of a string value (the parser has checked its UTF-8).
inline std::u32string Text(const Json& value) {
  if (!value.is_string()) {
    ADD_FAILURE() << "not a string: " << value.dump();
    return U"";
  }
  const std::string& utf8 = value.get_ref<const std::string&>();
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += code;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

inline std::vector<std::string> Keys(const Json& object) {
  std::vector<std::string> keys;
  for (const auto& member : object.items()) keys.push_back(member.key());
  return keys;
}

}  // namespace jsontest
