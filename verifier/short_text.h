#pragma once
// A fixed-capacity text of 8-bit characters. Storing a longer value keeps its
// first N characters, so no call site ever cuts a string by hand.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tolvane {

// Equal texts. The verifier compares short texts (tags, names, keywords)
// millions of times, most of them differing in their first characters: a
// loop that stops at the first difference beats a call to memcmp.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

template <std::size_t N>
class ShortText {
 public:
  static constexpr std::size_t Capacity = N;

  ShortText() = default;
  ShortText(std::string_view value) { assign(value); }  // NOLINT: implicit on purpose
  ShortText(const char* value) { assign(value); }       // NOLINT
  ShortText(const std::string& value) { assign(value); } // NOLINT

  ShortText& operator=(std::string_view value) { assign(value); return *this; }
  ShortText& operator=(const std::string& value) { assign(value); return *this; }
  ShortText& operator=(const char* value) { assign(value); return *this; }

  void assign(std::string_view value) {
    length_ = static_cast<std::uint8_t>(value.size() < N ? value.size() : N);
    if (length_ > 0) std::memcpy(data_, value.data(), length_);
  }
  void clear() { length_ = 0; }

  std::string_view view() const { return std::string_view(data_, length_); }
  std::string str() const { return std::string(data_, length_); }
  operator std::string_view() const { return view(); }  // NOLINT
  bool empty() const { return length_ == 0; }
  std::size_t size() const { return length_; }

  // Two stored fields compare by their stored (possibly shortened) texts.
  friend bool operator==(const ShortText& a, const ShortText& b) { return SameText(a.view(), b.view()); }
  friend bool operator!=(const ShortText& a, const ShortText& b) { return !(a == b); }
  // A stored field against a raw text compares exactly: the raw text is not cut.
  friend bool operator==(const ShortText& a, std::string_view b) { return SameText(a.view(), b); }
  friend bool operator==(std::string_view b, const ShortText& a) { return SameText(a.view(), b); }
  friend bool operator!=(const ShortText& a, std::string_view b) { return !SameText(a.view(), b); }
  friend bool operator!=(std::string_view b, const ShortText& a) { return !SameText(a.view(), b); }
  friend bool operator==(const ShortText& a, const char* b) { return SameText(a.view(), b); }
  friend bool operator!=(const ShortText& a, const char* b) { return !SameText(a.view(), b); }
  friend bool operator==(const ShortText& a, const std::string& b) { return SameText(a.view(), b); }
  friend bool operator!=(const ShortText& a, const std::string& b) { return !SameText(a.view(), b); }

 private:
  // A one-byte length keeps the records of the object tables small, so a
  // full table touches few pages of memory.
  static_assert(N <= 255, "a short text holds at most 255 characters");
  char data_[N] = {};
  std::uint8_t length_ = 0;
};

}  // namespace tolvane
