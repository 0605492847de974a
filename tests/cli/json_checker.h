#pragma once
// A strict JSON reader for the tests: it accepts exactly the JSON grammar
// (RFC 8259), checks that the text is valid UTF-8 and that strings hold no
// raw control characters, and decodes strings to code points so the tests can
// compare them with the 8-bit mission text they came from.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jsoncheck {

struct Value {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string numberText;
  std::u32string text;
  std::vector<Value> items;
  std::vector<std::pair<std::string, Value>> members;  // in the order written

  bool Has(const std::string& key) const {
    for (const auto& member : members)
      if (member.first == key) return true;
    return false;
  }
  const Value& operator[](const std::string& key) const {
    for (const auto& member : members)
      if (member.first == key) return member.second;
    static const Value missing;
    return missing;
  }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& member : members) keys.push_back(member.first);
    return keys;
  }
};

// Each byte of 8-bit text as the code point of the same number.
inline std::u32string FromLatin1(std::string_view bytes) {
  std::u32string out;
  for (char c : bytes) out += static_cast<char32_t>(static_cast<unsigned char>(c));
  return out;
}

// Code points below 128 only; anything else shows as '?'.
inline std::string ToAscii(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  // Parses one whole document; answers false with a reason on any fault.
  bool Parse(Value& value, std::string& error) {
    pos_ = 0;
    error_.clear();
    if (!CheckUtf8()) {
      error = error_;
      return false;
    }
    SkipSpace();
    if (!ParseValue(value, 0)) {
      error = error_;
      return false;
    }
    SkipSpace();
    if (pos_ != text_.size()) {
      error = "text after the value at " + std::to_string(pos_);
      return false;
    }
    return true;
  }

 private:
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = why + " at " + std::to_string(pos_);
    return false;
  }

  bool CheckUtf8() {
    for (std::size_t i = 0; i < text_.size();) {
      const unsigned lead = static_cast<unsigned char>(text_[i]);
      std::size_t length = 0;
      std::uint32_t code = 0, minimum = 0;
      if (lead < 0x80) { ++i; continue; }
      if (lead >= 0xC2 && lead <= 0xDF) { length = 2; code = lead & 0x1F; minimum = 0x80; }
      else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; code = lead & 0x0F; minimum = 0x800; }
      else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; code = lead & 0x07; minimum = 0x10000; }
      else { pos_ = i; return Fail("invalid UTF-8 lead byte"); }
      if (i + length > text_.size()) { pos_ = i; return Fail("truncated UTF-8"); }
      for (std::size_t k = 1; k < length; ++k) {
        const unsigned next = static_cast<unsigned char>(text_[i + k]);
        if ((next & 0xC0) != 0x80) { pos_ = i; return Fail("invalid UTF-8 continuation"); }
        code = (code << 6) | (next & 0x3F);
      }
      if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        pos_ = i;
        return Fail("invalid UTF-8 sequence");
      }
      i += length;
    }
    return true;
  }

  void SkipSpace() {
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }

  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return Fail("bad literal");
    pos_ += word.size();
    return true;
  }

  bool ParseValue(Value& value, int depth) {
    if (depth > 64) return Fail("nested too deeply");
    if (pos_ >= text_.size()) return Fail("value expected");
    const char c = text_[pos_];
    if (c == '{') return ParseObject(value, depth);
    if (c == '[') return ParseArray(value, depth);
    if (c == '"') {
      value.kind = Value::Kind::String;
      return ParseString(value.text);
    }
    if (c == 't') { value.kind = Value::Kind::Bool; value.boolean = true; return Literal("true"); }
    if (c == 'f') { value.kind = Value::Kind::Bool; value.boolean = false; return Literal("false"); }
    if (c == 'n') { value.kind = Value::Kind::Null; return Literal("null"); }
    return ParseNumber(value);
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  bool ParseNumber(Value& value) {
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    if (pos_ >= text_.size() || !IsDigit(text_[pos_])) return Fail("digit expected");
    if (text_[pos_] == '0') {
      ++pos_;
    } else {
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      if (pos_ >= text_.size() || !IsDigit(text_[pos_])) return Fail("fraction digit expected");
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
      if (pos_ >= text_.size() || !IsDigit(text_[pos_])) return Fail("exponent digit expected");
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    value.kind = Value::Kind::Number;
    value.numberText = std::string(text_.substr(start, pos_ - start));
    value.number = std::stod(value.numberText);
    return true;
  }

  bool Hex4(std::uint32_t& code) {
    if (pos_ + 4 > text_.size()) return Fail("short \\u escape");
    code = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text_[pos_++];
      code <<= 4;
      if (c >= '0' && c <= '9') code |= static_cast<std::uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f') code |= static_cast<std::uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') code |= static_cast<std::uint32_t>(c - 'A' + 10);
      else return Fail("bad hex digit");
    }
    return true;
  }

  bool ParseString(std::u32string& out) {
    out.clear();
    ++pos_;  // opening quote
    while (true) {
      if (pos_ >= text_.size()) return Fail("unterminated string");
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20) return Fail("raw control character in string");
      if (c == '\\') {
        ++pos_;
        if (pos_ >= text_.size()) return Fail("unterminated escape");
        const char e = text_[pos_++];
        switch (e) {
          case '"': out += U'"'; break;
          case '\\': out += U'\\'; break;
          case '/': out += U'/'; break;
          case 'b': out += U'\b'; break;
          case 'f': out += U'\f'; break;
          case 'n': out += U'\n'; break;
          case 'r': out += U'\r'; break;
          case 't': out += U'\t'; break;
          case 'u': {
            std::uint32_t code = 0;
            if (!Hex4(code)) return false;
            if (code >= 0xD800 && code <= 0xDBFF) {
              std::uint32_t low = 0;
              if (text_.substr(pos_, 2) != "\\u") return Fail("lone high surrogate");
              pos_ += 2;
              if (!Hex4(low)) return false;
              if (low < 0xDC00 || low > 0xDFFF) return Fail("bad low surrogate");
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
              return Fail("lone low surrogate");
            }
            out += static_cast<char32_t>(code);
            break;
          }
          default: return Fail("unknown escape");
        }
        continue;
      }
      // A UTF-8 sequence, already checked to be valid.
      std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      std::uint32_t code = length == 1 ? c : length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
      for (std::size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text_[pos_ + k]) & 0x3F);
      out += static_cast<char32_t>(code);
      pos_ += length;
    }
  }

  bool ParseArray(Value& value, int depth) {
    value.kind = Value::Kind::Array;
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == ']') {
      ++pos_;
      return true;
    }
    while (true) {
      SkipSpace();
      Value item;
      if (!ParseValue(item, depth + 1)) return false;
      value.items.push_back(std::move(item));
      SkipSpace();
      if (pos_ >= text_.size()) return Fail("unterminated array");
      if (text_[pos_] == ',') { ++pos_; continue; }
      if (text_[pos_] == ']') { ++pos_; return true; }
      return Fail("',' or ']' expected");
    }
  }

  bool ParseObject(Value& value, int depth) {
    value.kind = Value::Kind::Object;
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == '}') {
      ++pos_;
      return true;
    }
    while (true) {
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != '"') return Fail("key expected");
      std::u32string key;
      if (!ParseString(key)) return false;
      const std::string asciiKey = ToAscii(key);
      if (value.Has(asciiKey)) return Fail("duplicate key " + asciiKey);
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != ':') return Fail("':' expected");
      ++pos_;
      SkipSpace();
      Value member;
      if (!ParseValue(member, depth + 1)) return false;
      value.members.emplace_back(asciiKey, std::move(member));
      SkipSpace();
      if (pos_ >= text_.size()) return Fail("unterminated object");
      if (text_[pos_] == ',') { ++pos_; continue; }
      if (text_[pos_] == '}') { ++pos_; return true; }
      return Fail("',' or '}' expected");
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string error_;
};

inline bool Parse(std::string_view text, Value& value, std::string& error) {
  Parser parser(text);
  return parser.Parse(value, error);
}

}  // namespace jsoncheck
