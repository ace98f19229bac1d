#include "nc/preparation/label_index.h"

#include <limits>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

#include "support/listing_lines.h"

namespace {

// Labels read from a line, rounded from a jump's value or read from a
// range's digits; std::nullopt where there is none, at each range's limit.
TEST(LineLabel, NumberAfterNWithBlanksIgnored) {
  const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
      {"N10 G01 X5", 10}, {"   N 1 2X5", 12}, {"N", 0}, {"G01 N10", std::nullopt}, {"", std::nullopt},
      {"N1234567890123456789", std::nullopt},  // too long for a number
      {"N123456789012345678", 123456789012345678}};
  for (const auto& [line, label] : cases) EXPECT_EQ(nc::LineLabel(line), label) << line;
}

TEST(JumpLabel, RoundedHalfToEvenWithinThe32BitRange) {
  const std::pair<long double, std::optional<std::int64_t>> cases[] = {
      {2.5L, 2}, {3.5L, 4}, {-0.4L, 0}, {2147483647.0L, 2147483647}, {2147483647.4L, 2147483647},
      {2147483647.5L, std::nullopt},  // rounds to 2^31
      {-2147483647.0L, -2147483647}, {-2147483648.0L, std::nullopt},
      {std::numeric_limits<long double>::infinity(), std::nullopt},
      {std::numeric_limits<long double>::quiet_NaN(), std::nullopt}};
  for (const auto& [value, label] : cases) EXPECT_EQ(nc::JumpLabel(value), label) << value;
}

TEST(RangeLabel, DigitsUpToThe32BitLimit) {
  const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
      {"", 0}, {"0010", 10}, {"2147483647", 2147483647}, {"2147483648", std::nullopt},
      {"100000000000000000000000", std::nullopt}};
  for (const auto& [digits, label] : cases) EXPECT_EQ(nc::RangeLabel(digits), label) << digits;
}

// The first line of a label within a range; the largest label a jump can
// name is found, one beyond it never is.
TEST(LabelIndex, FirstLineOfALabelWithinARange) {
  data::WorkListing listing;
  testing_support::SetLines(listing, {"", "%1", "N10 X1", "N20 X2", "N10 X3", "", "%2", "N10 Y1", "(Unterprogramm-Ende)",
                                      "N2147483647 X1", "N2147483648 X2", "N4294967296 X3", "N0 X4"});
  listing.lineCount = 13;
  nc::LabelIndex index;
  index.Build(listing);
  const struct {
    std::int64_t label;
    std::int32_t from, to;
    std::optional<std::int32_t> line;
  } cases[] = {{10, 1, 5, 3},          {10, 4, 5, 5},           {10, 6, 8, 8},
               {20, 5, 8, std::nullopt}, {30, 1, 8, std::nullopt}, {10, 9, 8, std::nullopt},  // an empty range
               {2147483647, 1, 13, 10}, {2147483648, 1, 13, std::nullopt}, {4294967296, 1, 13, std::nullopt},
               {0, 1, 13, 13},  // not the truncation of 2^32
               {-1, 1, 13, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(index.Find(c.label, c.from, c.to), c.line) << c.label << " from " << c.from;
}

}  // namespace
