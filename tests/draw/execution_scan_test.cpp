#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "draw/word_numbers.h"
#include "draw/word_scan.h"

namespace {

std::vector<std::string> Words(std::string_view block) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  std::string_view word;
  while (draw::NextWord(block, pos, word)) words.emplace_back(word);
  return words;
}

using W = std::vector<std::string>;

TEST(ExecutionScan, SplitsBlocksIntoWords) {
  struct Case {
    std::string_view block;
    W words;
  } cases[] = {
      {"G01 X10 F500", {"G01", " ", "X10", " ", "F500"}},
      {"G02X10Y-2.5U-5", {"G02", "X10", "Y-2.5", "U-5"}},
      {"X1;;Y2", {"X1", "Y2"}},
      {"R005=3*X1;Y2", {"Y2"}},       // a parameter assignment up to the next ";"
      {"G01R005=2 Y2", {"G01"}},      // ... or to the end
      {"XR005*2-1", {"XR005*2-1"}},
      {"S1200.5M3", {"S1200", ".5", "M3"}},  // D, G, M, S, T take digits only
      {"SR005M3", {"SR005", "M3"}},          // S also a parameter
      {"T05D3G", {"T05", "D3", "G"}},
      {"u5v-2w", {"u5", "v-2", "w"}},
      {"@100K20", {"@100", "K20"}},
      {"X 10", {"X", " 10"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Words(c.block), c.words) << c.block;
}

TEST(ExecutionScan, ValueWordsTakeFunctionsAndBrackets) {
  struct Case {
    std::string_view block;
    W words;
  } cases[] = {
      {"X=SIN[30]Y2", {"X=SIN[30]", "Y2"}},
      {"A=R005*SQRT[R006+COS[60]] Z1", {"A=R005*SQRT[R006+COS[60]]", " ", "Z1"}},
      {"X[SIN[30]]", {"X[SIN[30]]"}},
      {"X[1+2", {"X[1+2"}},  // an open bracket runs to the end
      // Only where an operand may stand: not after a number.
      {"X10SIN[30]", {"X10", "S", "I", "N[30]"}},
      {"X10[b]", {"X10", "[", "b", "]"}},
      {"X=SINE", {"X=", "S", "I", "N", "E"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Words(c.block), c.words) << c.block;
}

TEST(ExecutionScan, WholeNumbersSaturate) {
  EXPECT_EQ(draw::WholeNumber(""), 0u);
  EXPECT_EQ(draw::WholeNumber("007"), 7u);
  EXPECT_EQ(draw::WholeNumber("4294967294"), 4294967294u);
  EXPECT_EQ(draw::WholeNumber("99999999999999999999999999"), draw::kWholeNumberLimit);
  EXPECT_EQ(draw::WholeNumber("1.5"), 0u);
  EXPECT_EQ(draw::WholeNumber("R5"), 0u);
}

TEST(ExecutionScan, ParameterNumbers) {
  EXPECT_EQ(draw::ParameterNumber("R005"), 5);
  EXPECT_EQ(draw::ParameterNumber("R255"), 255);
  for (std::string_view bad : {"R256", "R", "005", "R00x", "R005*2", "R99999999999999999999"}) {
    EXPECT_EQ(draw::ParameterNumber(bad), -1) << bad;
  }
}

TEST(ExecutionScan, DecimalsAndTruncation) {
  long double v = 1.0L;
  EXPECT_TRUE(draw::ReadDecimal("500", v) && v == 500.0L);
  EXPECT_TRUE(draw::ReadDecimal("+2.25", v) && v == 2.25L);
  EXPECT_TRUE(draw::ReadDecimal("-.5", v) && v == -0.5L);
  EXPECT_TRUE(draw::ReadDecimal("5.", v) && v == 5.0L);
  for (std::string_view bad : {"", ".", "-", "5*2", "1-2", "=5"}) {
    EXPECT_FALSE(draw::ReadDecimal(bad, v)) << bad;
    EXPECT_EQ(v, 0.0L);
  }
  EXPECT_EQ(draw::TruncateToInt32(-2.7L), -2);
  EXPECT_EQ(draw::TruncateToInt32(1e30L), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(draw::TruncateToInt32(-1e30L), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(draw::TruncateToInt32(std::numeric_limits<long double>::infinity()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(draw::TruncateToInt32(std::nanl("")), 0);
}

}  // namespace
