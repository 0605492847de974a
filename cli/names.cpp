#include "names.h"

namespace tolvane::cli {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned lead = byte(i);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned minimum = 0;
  unsigned code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; minimum = 0x80; code = lead & 0x1F; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; minimum = 0x800; code = lead & 0x0F; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; minimum = 0x10000; code = lead & 0x07; }
  else return 0;
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

namespace {

// How many bytes at position i form one printable character; 0 when the
// byte there is a control character or not part of valid UTF-8.
std::size_t PrintableLength(std::string_view name, std::size_t i) {
  const std::size_t length = Utf8SequenceLength(name, i);
  if (length == 0) return 0;
  const unsigned char lead = static_cast<unsigned char>(name[i]);
  if (length == 1) return lead < 0x20 || lead == 0x7F ? 0 : 1;
  // U+0080 to U+009F, the second set of control codes.
  if (length == 2 && lead == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0) return 0;
  return length;
}

void AppendEscaped(std::string& out, unsigned char byte) {
  switch (byte) {
    case '\a': out += "\\a"; return;
    case '\b': out += "\\b"; return;
    case '\t': out += "\\t"; return;
    case '\n': out += "\\n"; return;
    case '\v': out += "\\v"; return;
    case '\f': out += "\\f"; return;
    case '\r': out += "\\r"; return;
    default: break;
  }
  out += '\\';
  out += static_cast<char>('0' + ((byte >> 6) & 7));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

}  // namespace

bool IsPrintableName(std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = PrintableLength(name, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string QuotedName(std::string_view name) {
  std::string out;
  bool inQuotes = false;
  bool inEscapes = false;
  auto close = [&] {
    if (inQuotes || inEscapes) out += '\'';
    inQuotes = inEscapes = false;
  };
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = PrintableLength(name, i);
    if (length == 0) {
      if (!inEscapes) {
        close();
        out += "$'";
        inEscapes = true;
      }
      AppendEscaped(out, static_cast<unsigned char>(name[i]));
      ++i;
      continue;
    }
    if (!inQuotes) {
      close();
      out += '\'';
      inQuotes = true;
    }
    if (name[i] == '\'') {
      out += "'\\''";
    } else {
      out.append(name.substr(i, length));
    }
    i += length;
  }
  if (!inQuotes && !inEscapes) return "''";
  close();
  return out;
}

std::string ShownName(std::string_view name) {
  return IsPrintableName(name) ? std::string(name) : QuotedName(name);
}

std::string JsonNameText(std::string_view name) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = Utf8SequenceLength(name, i);
    if (length == 0) {
      const unsigned char byte = static_cast<unsigned char>(name[i]);
      out += "\\x";
      out += digits[byte >> 4];
      out += digits[byte & 0xF];
      ++i;
      continue;
    }
    if (name[i] == '\\') {
      out += "\\\\";
    } else {
      out.append(name.substr(i, length));
    }
    i += length;
  }
  return out;
}

}  // namespace tolvane::cli
