#include "nc/label_index.h"

#include <limits>

#include <gtest/gtest.h>

#include "support/listing_lines.h"

namespace {

TEST(LineLabel, NumberAfterNWithBlanksIgnored) {
  EXPECT_EQ(nc::LineLabel("N10 G01 X5"), 10);
  EXPECT_EQ(nc::LineLabel("   N 1 2X5"), 12);
  EXPECT_EQ(nc::LineLabel("N"), 0);
  EXPECT_FALSE(nc::LineLabel("G01 N10"));
  EXPECT_FALSE(nc::LineLabel(""));
  EXPECT_FALSE(nc::LineLabel("N1234567890123456789"));  // too long for a number
  EXPECT_EQ(nc::LineLabel("N123456789012345678"), 123456789012345678);
}

TEST(JumpLabel, RoundedHalfToEvenWithinThe32BitRange) {
  EXPECT_EQ(nc::JumpLabel(2.5L), 2);
  EXPECT_EQ(nc::JumpLabel(3.5L), 4);
  EXPECT_EQ(nc::JumpLabel(-0.4L), 0);
  EXPECT_EQ(nc::JumpLabel(2147483647.0L), 2147483647);
  EXPECT_EQ(nc::JumpLabel(2147483647.4L), 2147483647);
  EXPECT_FALSE(nc::JumpLabel(2147483647.5L));  // rounds to 2^31
  EXPECT_EQ(nc::JumpLabel(-2147483647.0L), -2147483647);
  EXPECT_FALSE(nc::JumpLabel(-2147483648.0L));
  EXPECT_FALSE(nc::JumpLabel(std::numeric_limits<long double>::infinity()));
  EXPECT_FALSE(nc::JumpLabel(std::numeric_limits<long double>::quiet_NaN()));
}

TEST(RangeLabel, DigitsUpToThe32BitLimit) {
  EXPECT_EQ(nc::RangeLabel(""), 0);
  EXPECT_EQ(nc::RangeLabel("0010"), 10);
  EXPECT_EQ(nc::RangeLabel("2147483647"), 2147483647);
  EXPECT_FALSE(nc::RangeLabel("2147483648"));
  EXPECT_FALSE(nc::RangeLabel("100000000000000000000000"));
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
