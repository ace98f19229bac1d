#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nc/lexical/word_scan.h"

namespace {

using W = std::vector<std::string>;

W Words(std::string_view block) {
  W words;
  std::size_t pos = 0;
  std::string_view word;
  while (nc::NextWord(block, pos, word)) words.emplace_back(word);
  return words;
}

TEST(WordScan, SplitsBlocksIntoWords) {
  const std::pair<std::string_view, W> cases[] = {
      {"G01 X10 F500", {"G01", " ", "X10", " ", "F500"}},
      {"G02X10Y-2.5U-5;;u5v-2w", {"G02", "X10", "Y-2.5", "U-5", "u5", "v-2", "w"}},
      {"R005=3*X1;Y2", {"Y2"}},  // a parameter assignment up to the next ";"
      {"G01R005=2 Y2", {"G01"}},  // ... or to the end
      {"S1200.5SR005M3T05D", {"S1200", ".5", "SR005", "M3", "T05", "D"}},
      {"@100K20", {"@100", "K20"}},
      // Blanks between a letter and its value belong to the word.
      {"X 10", {"X 10"}},
      {"G 01 X  -5", {"G 01", " ", "X  -5"}},
      {"X Y5", {"X", " ", "Y5"}},
  };
  for (const auto& [block, words] : cases) EXPECT_EQ(Words(block), words) << block;
}

TEST(WordScan, ValueWordsTakeFunctionsAndBrackets) {
  const std::pair<std::string_view, W> cases[] = {
      {"X=SIN[30]Y2", {"X=SIN[30]", "Y2"}},
      {"A=R005*SQRT[R006+COS[60]] Z1", {"A=R005*SQRT[R006+COS[60]]", " ", "Z1"}},
      {"X[SIN[30]]", {"X[SIN[30]]"}},
      {"X[1+2", {"X[1+2"}},  // an open bracket runs to the end
      // Only where an operand may stand, and only a name before "[".
      {"X10SIN[30]", {"X10", "S", "I", "N[30]"}},
      {"X=SINE", {"X=", "S", "I", "N", "E"}},
  };
  for (const auto& [block, words] : cases) EXPECT_EQ(Words(block), words) << block;
}

}  // namespace
