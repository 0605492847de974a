#pragma once
// One open mission as the server holds it: its 8-bit text (the client's
// characters up to U+00FF as bytes) and where each line starts. Positions
// are LSP positions: a 0-based line and a count of UTF-16 units, which for
// 8-bit text is the byte column.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::lsp {

class Document {
 public:
  Document() { SetText(std::string()); }
  explicit Document(std::string text) { SetText(std::move(text)); }

  void SetText(std::string text);
  const std::string& Text() const { return text_; }

  // Lines as LSP counts them: one more than there are line feeds.
  int LineCount() const { return static_cast<int>(lineStarts_.size()); }
  // Line number line (0-based) without its line end; empty past the last.
  std::string_view Line(int line) const;
  // The byte offset of a position, clamped into the text.
  std::size_t Offset(int line, int character) const;

  // Replaces the text between two positions (an incremental change).
  void Replace(int startLine, int startCharacter, int endLine, int endCharacter, const std::string& text);

 private:
  std::string text_;
  std::vector<std::size_t> lineStarts_;
};

}  // namespace tolvane::lsp
