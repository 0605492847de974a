#include "replace_all.h"

namespace tolvane {

ReplaceAllResult ReplaceAllOccurrences(std::string_view text, std::string_view find, std::string_view replace) {
  ReplaceAllResult result;
  if (find.empty()) {
    result.Text.assign(text);
    return result;
  }
  const std::size_t first = text.find(find);
  result.FirstPosition = first;
  if (first == std::string_view::npos) {
    result.Text.assign(text);
    return result;
  }

  // Searching the changed text from its start finds nothing that lies wholly
  // before the last replacement, so the next occurrence starts at most
  // find.size() - 1 characters before it: in the output's last characters,
  // in the replacement, or further on in the text. When the replacement
  // holds the text itself, the search goes on after the replacement.
  const bool selfContaining = replace.find(find) != std::string_view::npos;
  // A replacement can also make the text again with what stands beside it,
  // over and over; past this many replacements the search only goes on
  // after each one, so replace all always ends.
  const std::size_t joinBudget = 4 * text.size() + 4096;
  std::string& out = result.Text;
  out.reserve(text.size());
  std::size_t in = 0;  // next character of text not yet copied
  std::size_t next = first;
  for (;;) {
    // Copy up to the occurrence at `next` (in text) and replace it.
    out.append(text.substr(in, next - in));
    in = next + find.size();
    out.append(replace);
    ++result.Replacements;

    if (!selfContaining && result.Replacements <= joinBudget) {
      // An occurrence that begins in the output, at most find.size() - 1
      // characters before the replacement just made? Look in the output
      // from there on, joined with what follows it in the text.
      std::size_t made = out.size() - replace.size();  // where the replacement starts
      for (;;) {
        const std::size_t from = made >= find.size() - 1 ? made - (find.size() - 1) : 0;
        std::string window = out.substr(from);
        window.append(text.substr(in, std::min(text.size() - in, find.size() - 1)));
        const std::size_t at = window.find(find);
        if (at == std::string::npos || from + at >= out.size() || result.Replacements > joinBudget) break;
        // Replace it: its characters come from the output and perhaps from
        // the text that follows.
        made = from + at;
        const std::size_t inOutput = out.size() - made;
        std::string rest;
        if (inOutput > find.size()) rest = out.substr(made + find.size());
        if (inOutput < find.size()) in += find.size() - inOutput;
        out.resize(made);
        out.append(replace);
        out.append(rest);
        ++result.Replacements;
      }
    }

    next = text.find(find, in);
    if (next == std::string_view::npos) break;
  }
  out.append(text.substr(in));
  return result;
}

}  // namespace tolvane
