#include "renumber.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

#include "statement_reader.h"

namespace tolvane {

namespace {

constexpr std::string_view kTagKeyword = ".TagIdentifier";
constexpr std::string_view kTriggerKeyword = ".Trigger";
constexpr std::string_view kSummaryKeyword = ".MissionSummary";
constexpr std::size_t kNone = std::string_view::npos;

// Walks the text line by line without copying: a line is a view into the
// text, without its "\n" and without a "\r" in front of it.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  // The next line; false when the last line has been handed out.
  bool Next(std::string_view& line) {
    if (done_) return false;
    ++index_;
    start_ = next_;
    const std::size_t end = text_.find('\n', start_);
    std::size_t stop = end == kNone ? text_.size() : end;
    if (end == kNone) {
      done_ = true;
    } else {
      next_ = end + 1;
    }
    if (stop > start_ && text_[stop - 1] == '\r') --stop;
    line = text_.substr(start_, stop - start_);
    return true;
  }

  std::int32_t Index() const { return index_; }
  std::size_t Start() const { return start_; }

 private:
  std::string_view text_;
  std::size_t start_ = 0;
  std::size_t next_ = 0;
  std::int32_t index_ = -1;
  bool done_ = false;
};

// What the command looks for in a line, each anywhere in it, exact case.
struct LineMarks {
  bool Stop = false;     // a ".Trigger" or ".MissionSummary" line
  bool Summary = false;  // a ".MissionSummary" line
  std::size_t Tag = kNone;  // where the first ".TagIdentifier" begins
};

LineMarks MarkLine(std::string_view line) {
  LineMarks marks;
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  for (const char* dot = begin; dot < end; ++dot) {
    dot = static_cast<const char*>(std::memchr(dot, '.', static_cast<std::size_t>(end - dot)));
    if (dot == nullptr) break;
    const std::string_view rest(dot, static_cast<std::size_t>(end - dot));
    if (BeginsWith(rest, kTriggerKeyword)) {
      marks.Stop = true;
    } else if (BeginsWith(rest, kSummaryKeyword)) {
      marks.Stop = true;
      marks.Summary = true;
    } else if (marks.Tag == kNone && BeginsWith(rest, kTagKeyword)) {
      marks.Tag = static_cast<std::size_t>(dot - begin);
    }
  }
  return marks;
}

// The value of a tag line: everything through the keyword and the one
// character after it goes, blanks and tabs at both ends go, and what is left
// must be a whole number.
bool TagValue(std::string_view line, std::size_t tag, std::int32_t& value) {
  const std::size_t from = tag + kTagKeyword.size() + 1;
  std::string_view rest = from < line.size() ? line.substr(from) : std::string_view();
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  return ParseInteger(rest, value);
}

// A definition's line, kept for the rewriting step.
struct DefinitionLine {
  std::size_t Start = 0;
  std::size_t Length = 0;
  std::size_t Tag = 0;
};

// The line rewritten as its text through ".TagIdentifier", one blank and the
// number; nothing is added when the line already reads so.
void RewriteTagLine(std::string_view line, std::size_t tag, std::int32_t id, std::int32_t index,
                    std::vector<RenumberEdit>& edits) {
  char digits[16];
  const auto converted = std::to_chars(digits, digits + sizeof digits, id);
  const std::string_view number(digits, static_cast<std::size_t>(converted.ptr - digits));
  const std::size_t keep = tag + kTagKeyword.size();
  if (line.size() == keep + 1 + number.size() && line[keep] == ' ' && line.substr(keep + 1) == number) return;
  RenumberEdit edit;
  edit.LineIndex = index;
  edit.Text.reserve(keep + 1 + number.size());
  edit.Text.append(line.substr(0, keep));
  edit.Text.push_back(' ');
  edit.Text.append(number);
  edits.push_back(std::move(edit));
}

// A failed run: the code and its line, and no edit at all.
RenumberResult Failed(RenumberResult& result, std::int32_t code, std::int32_t index) {
  result.ErrNo = code;
  result.ErrLineIndex = index;
  result.Edits.clear();
  return std::move(result);
}

}  // namespace

RenumberResult Renumber(std::string_view text) {
  RenumberResult result;
  std::vector<RenumberEntry>& table = result.RenumberTable;
  std::vector<DefinitionLine> definitions;
  LineCursor lines(text);
  std::string_view line;
  LineMarks marks;

  // 1. The first line is never examined.
  lines.Next(line);

  // 2. The first definition. A trigger or the summary before it, or a text
  // without any definition, leaves nothing to renumber.
  bool found = false;
  while (lines.Next(line)) {
    marks = MarkLine(line);
    if (marks.Stop) return Failed(result, 123, lines.Index());
    if (marks.Tag != kNone) {
      found = true;
      break;
    }
  }
  if (!found) return Failed(result, 123, -1);

  // 3. and 4. Every definition up to the first trigger or summary line; each
  // value must be a whole number and the table holds RenumberCapacity entries.
  bool stopped = false;
  while (true) {
    std::int32_t value = 0;
    if (!TagValue(line, marks.Tag, value)) return Failed(result, 21, lines.Index());
    if (table.size() == static_cast<std::size_t>(RenumberCapacity)) {
      return Failed(result, 127, lines.Index());
    }
    table.push_back({value, table.empty() ? value : 0, lines.Index()});
    definitions.push_back({lines.Start(), line.size(), marks.Tag});

    bool another = false;
    while (lines.Next(line)) {
      marks = MarkLine(line);
      if (marks.Stop) {
        stopped = true;
        break;
      }
      if (marks.Tag != kNone) {
        another = true;
        break;
      }
    }
    if (!another) break;
  }

  // 5. Without a trigger section there is nothing to follow: no change.
  if (!stopped) return result;

  // 6. Consecutive numbers from the first definition's; a number past the
  // 32-bit range could never be read back, so it stops the command.
  const std::int64_t first = table.front().OldId;
  for (std::size_t k = 0; k < table.size(); ++k) {
    const std::int64_t id = first + static_cast<std::int64_t>(k);
    if (id > std::numeric_limits<std::int32_t>::max()) return Failed(result, 21, table[k].LineIndex);
    table[k].NewId = static_cast<std::int32_t>(id);
  }

  // 7. The definitions.
  for (std::size_t k = 0; k < table.size(); ++k) {
    const DefinitionLine& d = definitions[k];
    RewriteTagLine(text.substr(d.Start, d.Length), d.Tag, table[k].NewId, table[k].LineIndex, result.Edits);
  }

  // 8. The references, from the stopping line up to the summary line: each
  // follows the first definition, in text order, that carried its number.
  // Every value is read before anything is changed, so a bad one leaves the
  // whole text as it was.
  std::vector<std::pair<std::int32_t, std::int32_t>> byOldId;  // (OldId, k), first k first
  byOldId.reserve(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) byOldId.emplace_back(table[k].OldId, static_cast<std::int32_t>(k));
  std::stable_sort(byOldId.begin(), byOldId.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  while (!marks.Summary) {
    if (marks.Tag != kNone) {
      std::int32_t value = 0;
      if (!TagValue(line, marks.Tag, value)) return Failed(result, 21, lines.Index());
      const auto match = std::lower_bound(byOldId.begin(), byOldId.end(), value,
                                          [](const auto& entry, std::int32_t id) { return entry.first < id; });
      if (match != byOldId.end() && match->first == value) {
        RewriteTagLine(line, marks.Tag, table[static_cast<std::size_t>(match->second)].NewId, lines.Index(),
                       result.Edits);
      }
    }
    if (!lines.Next(line)) break;
    marks = MarkLine(line);
  }
  return result;
}

std::string RenumberMessage(const RenumberResult& result) {
  if (result.ErrNo == 0) return std::string();
  const char* text = MessageText(result.ErrNo);
  std::string message = text != nullptr ? text : std::string();
  if (result.ErrLineIndex >= 0) message += " at Line No. " + std::to_string(result.ErrLineIndex + 1);
  return message;
}

std::string ApplyRenumberEdits(std::string_view text, const std::vector<RenumberEdit>& edits) {
  std::string out;
  out.reserve(text.size() + 16 * edits.size());
  LineCursor lines(text);
  std::string_view line;
  std::size_t copied = 0;  // text before this offset is already in out
  auto edit = edits.begin();
  while (edit != edits.end() && lines.Next(line)) {
    if (lines.Index() != edit->LineIndex) continue;
    out.append(text.substr(copied, lines.Start() - copied));
    out.append(edit->Text);
    copied = lines.Start() + line.size();
    ++edit;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace tolvane
