#include "document.h"

#include <algorithm>

namespace tolvane::lsp {

void Document::SetText(std::string text) {
  text_ = std::move(text);
  lineStarts_.clear();
  lineStarts_.push_back(0);
  for (std::size_t i = text_.find('\n'); i != std::string::npos; i = text_.find('\n', i + 1)) {
    lineStarts_.push_back(i + 1);
  }
}

std::string_view Document::Line(int line) const {
  if (line < 0 || line >= LineCount()) return std::string_view();
  const std::size_t start = lineStarts_[static_cast<std::size_t>(line)];
  std::size_t end = line + 1 < LineCount() ? lineStarts_[static_cast<std::size_t>(line) + 1] - 1 : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return std::string_view(text_).substr(start, end - start);
}

std::size_t Document::Offset(int line, int character) const {
  if (line < 0) return 0;
  if (line >= LineCount()) return text_.size();
  const std::size_t start = lineStarts_[static_cast<std::size_t>(line)];
  const std::size_t length = Line(line).size();
  return start + std::min(length, static_cast<std::size_t>(std::max(character, 0)));
}

void Document::Replace(int startLine, int startCharacter, int endLine, int endCharacter, const std::string& text) {
  const std::size_t start = Offset(startLine, startCharacter);
  const std::size_t end = std::max(start, Offset(endLine, endCharacter));
  std::string changed = text_;
  changed.replace(start, end - start, text);
  SetText(std::move(changed));
}

}  // namespace tolvane::lsp
