#pragma once
// The SARIF 2.1.0 log of one run of tolvane-verify: one run, the tool with
// one rule per error code and its message, one result per mission with an
// error at its file, line and column, and a notification per file that could
// not be read.

#include <string>
#include <vector>

#include "verify_run.h"

namespace tolvane::cli {

// The rule id of an error code: "TV" and three digits ("TV060").
std::string RuleId(int code);

// A file name as a URI: a relative name stays relative (to the base id
// SRCROOT, the current folder), an absolute one becomes a file:// URI; every
// byte but letters, digits, "-._~" and "/" is percent-encoded.
std::string FileUri(const std::string& file);

// The whole log, on one line. currentFolder is the absolute folder that
// relative names start from.
std::string SarifLog(const std::vector<FileOutcome>& outcomes, const std::string& currentFolder);

}  // namespace tolvane::cli
