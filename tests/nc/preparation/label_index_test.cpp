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

TEST(LabelIndex, FirstLineOfALabelWithinARange) {
  data::WorkListing listing;
  testing_support::SetLines(listing, {"", "%1", "N10 X1", "N20 X2", "N10 X3", "", "%2", "N10 Y1", "(Unterprogramm-Ende)"});
  listing.lineCount = 8;
  nc::LabelIndex index;
  index.Build(listing);
  EXPECT_EQ(index.Find(10, 1, 5), 3);
  EXPECT_EQ(index.Find(10, 4, 5), 5);
  EXPECT_EQ(index.Find(10, 6, 8), 8);
  EXPECT_FALSE(index.Find(20, 5, 8));
  EXPECT_FALSE(index.Find(30, 1, 8));
  EXPECT_FALSE(index.Find(10, 9, 8));  // empty range
}

// The largest label a jump can name is found; one beyond it never is.
TEST(LabelIndex, LabelsAtThe32BitLimit) {
  data::WorkListing listing;
  testing_support::SetLines(listing, {"", "%1", "N2147483647 X1", "N2147483648 X2", "N4294967296 X3", "N0 X4"});
  listing.lineCount = 6;
  nc::LabelIndex index;
  index.Build(listing);
  EXPECT_EQ(index.Find(2147483647, 1, 6), 3);
  EXPECT_FALSE(index.Find(2147483648, 1, 6));
  EXPECT_FALSE(index.Find(4294967296, 1, 6));
  EXPECT_EQ(index.Find(0, 1, 6), 6);  // not the truncation of 2^32
  EXPECT_FALSE(index.Find(-1, 1, 6));
}

}  // namespace
