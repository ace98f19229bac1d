#include "nc/lexical/word_numbers.h"

#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "nc/words/param_table.h"

namespace {

TEST(WordNumbers, WholeNumbersSaturateAtTheLimit) {
  const std::pair<std::string, std::uint32_t> cases[] = {
      {"17", 17u}, {"  01", 1u},  // blanks after the letter
      {std::string(300, '0') + "17", 17u}, {"4294967294", 4294967294u}, {"4294967295", nc::kWholeNumberLimit},
      {"4294967296", nc::kWholeNumberLimit}, {std::string(40, '9'), nc::kWholeNumberLimit},
      // No number.
      {"", 0u}, {" ", 0u}, {"1.5", 0u}, {"-1", 0u}, {"+1", 0u}, {"1 ", 0u}, {"R5", 0u}, {"1A", 0u}};
  for (const auto& [text, number] : cases) EXPECT_EQ(nc::WholeNumber(text), number) << text;
}

TEST(WordNumbers, ParameterNumbersStayInTheTable) {
  const int last = nc::kParamCount - 1;
  const std::pair<std::string, int> cases[] = {
      {"R0", 0}, {" R005", 5}, {"R" + std::to_string(last), last},
      {"R" + std::string(30, '0') + std::to_string(last), last}, {"R" + std::to_string(last + 1), -1},
      {"R" + std::string(30, '9'), -1}, {"", -1}, {"R", -1}, {" R", -1}, {"5", -1}, {"X5", -1}, {"R5.0", -1},
      {"R-5", -1}, {"R 5", -1}, {"R5 ", -1}};
  for (const auto& [text, number] : cases) EXPECT_EQ(nc::ParameterNumber(text), number) << text;
}

TEST(WordNumbers, DecimalsNeedADigit) {
  const std::pair<const char*, long double> numbers[] = {
      {"500", 500.0L}, {"12.5", 12.5L}, {"-.5", -0.5L}, {"+3.", 3.0L}, {" 0.25", 0.25L}, {"-0", 0.0L},
  };
  for (const auto& [text, expected] : numbers) {
    long double value = -1.0L;
    EXPECT_TRUE(nc::ReadDecimal(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* text : {"", " ", ".", "-", "+.", "1.2.3", "1e3", "--1", "1-", "12 ", "R5"}) {
    long double value = -1.0L;
    EXPECT_FALSE(nc::ReadDecimal(text, value)) << text;
    EXPECT_EQ(value, 0.0L) << text;
  }
}

TEST(WordNumbers, TruncationSaturatesAtTheInt32Ends) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr long double kInf = std::numeric_limits<long double>::infinity();
  const std::pair<long double, std::int32_t> cases[] = {
      {2147483647.0L, kMax},  {2147483647.9L, kMax},  {2147483648.0L, kMax},  {kInf, kMax},
      {2147483646.9L, 2147483646},
      {-2147483648.0L, kMin}, {-2147483648.5L, kMin}, {-kInf, kMin},
      {-2147483647.9L, -2147483647},
      {-0.9L, 0},             {0.9L, 0},              {1200.7L, 1200},
      {std::numeric_limits<long double>::quiet_NaN(), 0},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(nc::TruncateToInt32(value), expected) << value;
}

}  // namespace
