#pragma once
// The built-in texts of the reference windows: the checks and actions lists
// with a cut-and-paste template for every check and action of the mission
// language, and the distance table. Texts are 8-bit (Latin-1), lines joined
// by "\n" with no line end after the last line.

#include <string>

namespace tolvane {

// Heading, the 28 checks, each with its description and template(s).
const std::string& ChecksList();
// Heading, the 25 actions, each with its description and template(s), then
// the table of sound numbers.
const std::string& ActionsList();
// Metres converted to statute miles, 20000 down to 1000.
const std::string& DistanceTable();

}  // namespace tolvane
