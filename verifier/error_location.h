#pragma once
// Where an error stands in the mission text: the line the verifier reported
// and the column of the statement it left behind. Front ends use these to
// point at the error (the command line's LINE:COL, the editor's selection).

#include <string>
#include <string_view>

namespace tolvane {

// Line number lineNo (1-based) of the text, split the way the verifier reads
// it (LF or CR LF line ends). Empty when there is no such line.
std::string LineOfText(std::string_view text, int lineNo);

// The 1-based column where statement begins in line: an exact match first,
// then one that ignores the case of a to z (the verifier upper-cases some
// keyword lines); 1 when the statement is not in the line or is empty.
int StatementColumn(std::string_view line, std::string_view statement);

}  // namespace tolvane
