#pragma once
// Replace all, as the editor's Replace All does it: every occurrence of a
// text, exact case, line ends counting as characters. The result is the one
// of replacing the first occurrence and searching the changed text from its
// start again, until none is left; a replacement that holds the text itself
// would never end that way, so then the search goes on after each inserted
// replacement instead; so it does, too, once replacements have made the text
// again with their neighbours more than 4,096 times plus four times the
// text's length.

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

struct ReplaceAllResult {
  std::string Text;
  std::size_t Replacements = 0;
  // Position (0-based) of the first occurrence in the original text;
  // npos when there is none and nothing was replaced.
  std::size_t FirstPosition = std::string::npos;
};

ReplaceAllResult ReplaceAllOccurrences(std::string_view text, std::string_view find, std::string_view replace);

}  // namespace tolvane
