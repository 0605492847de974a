#pragma once
// One line about each check and action keyword, for hover: taken from the
// built-in Checks and Actions lists, so the help the server gives is the
// help the reference windows show.

#include <string>

namespace tolvane::lsp {

// "Time Check: Met once the mission has run for the given time, ..." for
// ".TIME" (any case); empty for a word that is no check or action keyword.
std::string KeywordDescription(const std::string& keyword);

}  // namespace tolvane::lsp
