// Runs what the language server answers about a document on arbitrary
// bytes: the verification with its diagnostic, the document symbols, and a
// definition and hover at every line. Any text must give answers whose
// positions lie inside the document, never a crash.

#include <cstddef>
#include <cstdint>
#include <string>

#include "answers.h"
#include "document.h"

namespace {

tolvane::MissionFolderEnvironment FuzzEnvironment() {
  tolvane::TypeNameList list;
  for (const char* name : {"Hurrier", "Kestrel", "Lorry 3t", "Hangar", "Pillbox"}) list.TypeNameTable.emplace_back(name);
  list.TypeNamesLoaded = true;
  return tolvane::MissionFolderEnvironment(list, "/nonexistent-missions");
}

// A range's positions must name lines of the document and columns within them.
void CheckRange(const tolvane::lsp::Json& range, const tolvane::lsp::Document& document) {
  for (const char* end : {"start", "end"}) {
    const int line = range[end]["line"];
    const int character = range[end]["character"];
    if (line < 0 || line >= document.LineCount()) __builtin_trap();
    if (character < 0 || static_cast<std::size_t>(character) > document.Line(line).size()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tolvane::MissionFolderEnvironment environment = FuzzEnvironment();
  const tolvane::lsp::Document document(std::string(reinterpret_cast<const char*>(data), size));
  const tolvane::lsp::Analysis analysis = tolvane::lsp::Analyse(document, 1, environment);
  for (const auto& diagnostic : tolvane::lsp::Diagnostics(analysis, document)) CheckRange(diagnostic["range"], document);
  for (const auto& symbol : tolvane::lsp::DocumentSymbols(analysis, document)) CheckRange(symbol["range"], document);
  for (int line = 0; line < document.LineCount() && line < 200; ++line) {
    const auto definition = tolvane::lsp::Definition(analysis, document, "file:///f.mis", line);
    if (!definition.is_null()) CheckRange(definition["range"], document);
    const auto hover = tolvane::lsp::Hover(document, line, 1);
    if (!hover.is_null()) CheckRange(hover["range"], document);
  }
  return 0;
}
