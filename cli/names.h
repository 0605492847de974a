#pragma once
// File names as tolvane-verify shows them. A name is any bytes: it may hold a
// line end, terminal control codes or bytes that are not UTF-8. In the plain
// report and in messages such a name is quoted the way GNU tools quote it
// (a shell word such as 'a'$'\n''b'), so it can neither break a line nor
// reach the terminal as a control code; in JSON it is written in a form that
// tells every name apart.

#include <string>
#include <string_view>

namespace tolvane::cli {

// True when the name can be shown as it is: valid UTF-8 without control
// characters (0 to 31, 127, U+0080 to U+009F).
bool IsPrintableName(std::string_view name);

// The name quoted as a shell word: printable parts in single quotes, every
// other byte as $'\NNN' (or $'\n', $'\t', ...). Messages always quote names.
std::string QuotedName(std::string_view name);

// The name for the plain report: as it is when printable, quoted otherwise.
std::string ShownName(std::string_view name);

// The name as the text of a JSON string: valid UTF-8 as it is, a backslash
// as two backslashes, and every byte that is not part of valid UTF-8 as the
// four characters \xHH (upper-case hex). So the name with the byte 0xFF
// reads "\xFF" and the name "ÿ" reads "ÿ".
std::string JsonNameText(std::string_view name);

// Length of the valid UTF-8 sequence at position i, 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

}  // namespace tolvane::cli
