// Replace all against the plain reading of its rule: replace the first
// occurrence, search the changed text from its start, until none is left.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "replace_all.h"

using tolvane::ReplaceAllOccurrences;

namespace {

// The rule read plainly; false when it has not ended after 1,000 replacements.
bool FromTheStartEachTime(std::string& text, const std::string& find, const std::string& replace) {
  int replaced = 0;
  for (std::size_t p = text.find(find); p != std::string::npos; p = text.find(find)) {
    text.replace(p, find.size(), replace);
    if (++replaced > 1000) return false;
  }
  return true;
}

}  // namespace

TEST(ReplaceAll, GivesTheResultOfSearchingFromTheStartEachTime) {
  std::mt19937 random(20261209);
  auto word = [&](int most) {
    std::string s;
    const int n = std::uniform_int_distribution<int>(0, most)(random);
    for (int i = 0; i < n; ++i) s += "ab\n"[std::uniform_int_distribution<int>(0, 2)(random)];
    return s;
  };
  int compared = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string text = word(14);
    const std::string find = word(3);
    const std::string replace = word(4);
    if (find.empty() || replace.find(find) != std::string::npos) continue;
    std::string expected = text;
    const std::string result = ReplaceAllOccurrences(text, find, replace).Text;  // always ends
    if (!FromTheStartEachTime(expected, find, replace)) continue;
    ASSERT_EQ(result, expected) << "text '" << text << "' find '" << find << "' replace '" << replace << "'";
    ++compared;
  }
  EXPECT_GT(compared, 5000);
}

TEST(ReplaceAll, ExactCaseAndAReplacementHoldingTheTextEnd) {
  auto exact = ReplaceAllOccurrences("tag Tag tag", "tag", "TAG");
  EXPECT_EQ(exact.Text, "TAG Tag TAG");
  EXPECT_EQ(exact.Replacements, 2u);
  EXPECT_EQ(exact.FirstPosition, 0u);
  // The replacement holds the text: each occurrence is replaced once.
  EXPECT_EQ(ReplaceAllOccurrences("a tag, a tag", "tag", "tag tag").Text, "a tag tag, a tag tag");
  auto none = ReplaceAllOccurrences("nothing here", "tag", "TAG");
  EXPECT_EQ(none.Text, "nothing here");
  EXPECT_EQ(none.FirstPosition, std::string::npos);
}
