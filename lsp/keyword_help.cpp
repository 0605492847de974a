#include "keyword_help.h"

#include <map>
#include <sstream>
#include <vector>

#include "reference_texts.h"

namespace tolvane::lsp {

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

// The lists are entries between lines of "="; an entry is a numbered title,
// a description paragraph, then the templates, whose block line (".Check",
// ".Action") is followed by the keyword line.
void ReadList(const std::string& list, const char* block, std::map<std::string, std::string>& help) {
  std::vector<std::string> entry;
  auto finish = [&] {
    std::string title;
    std::string description;
    std::size_t i = 0;
    while (i < entry.size() && Trimmed(entry[i]).empty()) ++i;
    if (i < entry.size()) {
      const std::string line = Trimmed(entry[i]);
      const std::size_t dot = line.find(". ");
      title = dot == std::string::npos ? line : Trimmed(line.substr(dot + 2));
      ++i;
    }
    for (; i < entry.size() && !Trimmed(entry[i]).empty(); ++i) {
      description += (description.empty() ? "" : " ") + Trimmed(entry[i]);
    }
    for (; i + 1 < entry.size(); ++i) {
      if (Trimmed(entry[i]) != block) continue;
      std::string keyword = Trimmed(entry[i + 1]);
      keyword = Upper(keyword.substr(0, keyword.find_first_of(" \t")));
      if (!keyword.empty() && !help.count(keyword)) help[keyword] = title + ": " + description;
    }
    entry.clear();
  };
  std::istringstream lines(list);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.find_first_not_of('=') == std::string::npos) {
      finish();
      continue;
    }
    entry.push_back(line);
  }
  finish();
}

const std::map<std::string, std::string>& Help() {
  static const std::map<std::string, std::string> help = [] {
    std::map<std::string, std::string> table;
    ReadList(ChecksList(), ".Check", table);
    ReadList(ActionsList(), ".Action", table);
    return table;
  }();
  return help;
}

}  // namespace

std::string KeywordDescription(const std::string& keyword) {
  const auto found = Help().find(Upper(keyword));
  return found == Help().end() ? std::string() : found->second;
}

}  // namespace tolvane::lsp
