#include "answers.h"

#include <memory>

#include "error_location.h"
#include "keyword_help.h"
#include "latin1_text.h"
#include "mission_state.h"
#include "verify.h"

namespace tolvane::lsp {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

Json Position(int line, int character) { return Json{{"line", line}, {"character", character}}; }

Json Range(int line, int start, int end) { return Json{{"start", Position(line, start)}, {"end", Position(line, end)}}; }

// The whole of a line, from its first non-blank character.
Json LineRange(const Document& document, int line) {
  const std::string_view text = document.Line(line);
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  if (start == text.size()) start = 0;
  return Range(line, static_cast<int>(start), static_cast<int>(text.size()));
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// LSP SymbolKind of each kind of object.
int SymbolKind(CollectedObject::Kind kind) {
  switch (kind) {
    case CollectedObject::Kind::Flight: return 5;     // Class
    case CollectedObject::Kind::Plane: return 19;     // Object
    case CollectedObject::Kind::Vehicle: return 19;   // Object
    case CollectedObject::Kind::Division: return 3;   // Namespace
    case CollectedObject::Kind::Structure: return 23; // Struct
    case CollectedObject::Kind::WaySet: return 18;    // Array
    case CollectedObject::Kind::Trigger: return 24;   // Event
  }
  return 19;
}

Json Symbol(const CollectedObject& object, const Document& document) {
  const int line = object.Line > 0 ? object.Line - 1 : 0;
  Json symbol = Json::object();
  symbol["name"] = object.Name.empty() ? std::string("(unnamed)") : Latin1ToUtf8(object.Name);
  if (!object.Detail.empty()) symbol["detail"] = Latin1ToUtf8(object.Detail);
  symbol["kind"] = SymbolKind(object.ObjectKind);
  symbol["range"] = LineRange(document, line);
  symbol["selectionRange"] = LineRange(document, line);
  if (!object.Children.empty()) {
    Json children = Json::array();
    for (const CollectedObject& child : object.Children) children.push_back(Symbol(child, document));
    symbol["children"] = std::move(children);
  }
  return symbol;
}

}  // namespace

Analysis Analyse(const Document& document, int version, const VerifierEnvironment& environment) {
  Analysis analysis;
  analysis.version = version;
  auto state = std::make_unique<MissionState>();
  const VerifyResult result = VerifyMissionBytes(*state, environment, document.Text());
  analysis.ok = result.MissionOk;
  analysis.code = state->ErrNo;
  analysis.lineNo = state->LineNo;
  analysis.message = state->ErrMsg;
  analysis.statement = result.LocateText;
  analysis.outline = OutlineMission(document.Text());
  analysis.objects = CollectedObjects(*state, analysis.outline);
  return analysis;
}

Json Diagnostics(const Analysis& analysis, const Document& document) {
  Json diagnostics = Json::array();
  if (analysis.ok) return diagnostics;
  // The verifier counts lines from 1; past the last line the error stands
  // at the end of the text.
  int line = analysis.lineNo > 0 ? analysis.lineNo - 1 : 0;
  if (line >= document.LineCount()) line = document.LineCount() - 1;
  const std::string_view text = document.Line(line);
  Json range = LineRange(document, line);
  const int column = StatementColumn(text, analysis.statement) - 1;
  const std::size_t length = analysis.statement.size();
  if (length > 0 && static_cast<std::size_t>(column) + length <= text.size() &&
      SameLetters(text.substr(static_cast<std::size_t>(column), length), analysis.statement)) {
    range = Range(line, column, column + static_cast<int>(length));
  }
  std::string message = analysis.message;
  if (!message.empty() && message.back() == ' ') message.pop_back();
  Json diagnostic = Json::object();
  diagnostic["range"] = std::move(range);
  diagnostic["severity"] = 1;
  diagnostic["code"] = analysis.code;
  diagnostic["source"] = "tolvane";
  diagnostic["message"] = Latin1ToUtf8(message);
  diagnostics.push_back(std::move(diagnostic));
  return diagnostics;
}

Json DocumentSymbols(const Analysis& analysis, const Document& document) {
  Json symbols = Json::array();
  for (const CollectedObject& object : analysis.objects) symbols.push_back(Symbol(object, document));
  return symbols;
}

Json Definition(const Analysis& analysis, const Document& document, const std::string& uri, int line) {
  std::string_view text = document.Line(line);
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const std::string_view keyword = ".TagIdentifier";
  if (text.substr(0, keyword.size()) != keyword) return nullptr;
  std::string_view value = text.substr(keyword.size());
  while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
  const int defined = FindTagLine(analysis.outline, std::string(value));
  if (defined == 0) return nullptr;
  return Json{{"uri", uri}, {"range", LineRange(document, defined - 1)}};
}

Json Hover(const Document& document, int line, int character) {
  const std::string_view text = document.Line(line);
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  if (character < static_cast<int>(start) || character > static_cast<int>(end) || start == end) return nullptr;
  const std::string description = KeywordDescription(std::string(text.substr(start, end - start)));
  if (description.empty()) return nullptr;
  std::string keyword(text.substr(start, end - start));
  for (char& c : keyword) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return Json{{"contents", {{"kind", "plaintext"}, {"value", Latin1ToUtf8(keyword + " - " + description)}}},
              {"range", Range(line, static_cast<int>(start), static_cast<int>(end))}};
}

}  // namespace tolvane::lsp
