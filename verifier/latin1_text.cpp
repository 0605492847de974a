#include "latin1_text.h"

namespace tolvane {

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

namespace {

// Converts from[0, size) into to, which may be the same memory: every
// character written takes at most the bytes it was read from. Answers the
// length written.
std::size_t ConvertUtf8ToLatin1(const char* from, std::size_t size, char* to) {
  std::size_t written = 0;
  for (std::size_t i = 0; i < size;) {
    const unsigned char lead = static_cast<unsigned char>(from[i]);
    if (lead < 0x80) {
      to[written++] = static_cast<char>(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07; }
    bool valid = length != 0 && i + length <= size;
    for (std::size_t k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(from[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      to[written++] = static_cast<char>(lead);
      ++i;
      continue;
    }
    if (code <= 0xFF) {
      to[written++] = static_cast<char>(code);
    } else {
      to[written++] = '?';
      if (code > 0xFFFF) to[written++] = '?';
    }
    i += length;
  }
  return written;
}

}  // namespace

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string out(utf8.size(), '\0');
  out.resize(ConvertUtf8ToLatin1(utf8.data(), utf8.size(), out.data()));
  return out;
}

std::string Utf8ToLatin1(std::string&& utf8) {
  std::string out = std::move(utf8);
  out.resize(ConvertUtf8ToLatin1(out.data(), out.size(), out.data()));
  return out;
}

}  // namespace tolvane
