#pragma once
// Mission text is 8-bit: every byte stands for the character of the same
// number (Latin-1). Front ends that speak Unicode (JSON, the language
// server) turn it into UTF-8 and back with these.

#include <string>
#include <string_view>

namespace tolvane {

// Each byte as the character of its number, in UTF-8 (128 to 255 take two bytes).
std::string Latin1ToUtf8(std::string_view bytes);

// UTF-8 text back to 8-bit text: characters up to U+00FF become their byte;
// any other character becomes '?' once per UTF-16 unit it takes (twice past
// U+FFFF), so a column counted in UTF-16 units is the same byte column. A
// byte that is not part of valid UTF-8 is kept as it is.
std::string Utf8ToLatin1(std::string_view utf8);
// The same, in the text's own memory (8-bit text is never longer than the
// UTF-8 it came from), so a large text is not copied.
std::string Utf8ToLatin1(std::string&& utf8);

}  // namespace tolvane
