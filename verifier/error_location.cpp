#include "error_location.h"

namespace tolvane {

std::string LineOfText(std::string_view text, int lineNo) {
  if (lineNo < 1) return std::string();
  std::size_t position = 0;
  for (int number = 1; position < text.size(); ++number) {
    std::size_t end = text.find('\n', position);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (number == lineNo) {
      if (end > position && text[end - 1] == '\r' && end < text.size()) --end;
      return std::string(text.substr(position, end - position));
    }
    position = next;
  }
  return std::string();
}

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindIgnoringCase(std::string_view line, std::string_view statement) {
  if (statement.size() > line.size()) return std::string_view::npos;
  for (std::size_t start = 0; start + statement.size() <= line.size(); ++start) {
    std::size_t i = 0;
    while (i < statement.size() && LowerAscii(line[start + i]) == LowerAscii(statement[i])) ++i;
    if (i == statement.size()) return start;
  }
  return std::string_view::npos;
}

}  // namespace

int StatementColumn(std::string_view line, std::string_view statement) {
  if (statement.empty()) return 1;
  std::size_t at = line.find(statement);
  if (at == std::string_view::npos) at = FindIgnoringCase(line, statement);
  if (at == std::string_view::npos) return 1;
  return static_cast<int>(at) + 1;
}

}  // namespace tolvane
