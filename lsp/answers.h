#pragma once
// What the server answers about one mission, as JSON values of the protocol:
// the verifier's first error as a diagnostic, the collected objects as
// document symbols, the definition of a tag identifier, and hover help on a
// check or action keyword. No threads and no input or output here.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "document.h"
#include "mission_outline.h"
#include "verifier_environment.h"

namespace tolvane::lsp {

using Json = nlohmann::json;

// One verification of one version of a document, as the Verify command and
// tolvane-verify run it, and the outline of its objects.
struct Analysis {
  int version = 0;
  bool ok = false;
  int code = 0;       // ErrNo
  int lineNo = 0;     // LineNo, 1-based
  std::string message;    // ErrMsg, 8-bit
  std::string statement;  // the last statement read, 8-bit
  std::vector<CollectedObject> objects;
  MissionOutline outline;
};

Analysis Analyse(const Document& document, int version, const VerifierEnvironment& environment);

// The diagnostics of a document: none for a good mission, else the first
// error with its code, message (without the trailing blank), and the range of
// the statement in error on its line (the whole line when the statement is not
// found there).
Json Diagnostics(const Analysis& analysis, const Document& document);

// DocumentSymbol[]: flights (their planes below them), vehicles, divisions,
// structures, way sets and triggers, each at its line.
Json DocumentSymbols(const Analysis& analysis, const Document& document);

// The Location of the object definition a ".TagIdentifier N" line refers
// to, null when the line at the position is no such line or nothing defines N.
Json Definition(const Analysis& analysis, const Document& document, const std::string& uri, int line);

// Hover text for the check or action keyword under the position, null elsewhere.
Json Hover(const Document& document, int line, int character);

}  // namespace tolvane::lsp
