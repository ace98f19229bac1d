#include "draw/label_index.h"

#include <gtest/gtest.h>

namespace {

TEST(LineLabel, NumberAfterNWithBlanksIgnored) {
  EXPECT_EQ(draw::LineLabel("N10 G01 X5"), 10);
  EXPECT_EQ(draw::LineLabel("   N 1 2X5"), 12);
  EXPECT_EQ(draw::LineLabel("N"), 0);
  EXPECT_FALSE(draw::LineLabel("G01 N10"));
  EXPECT_FALSE(draw::LineLabel(""));
  EXPECT_FALSE(draw::LineLabel("N1234567890123456789"));  // too long for a number
  EXPECT_EQ(draw::LineLabel("N123456789012345678"), 123456789012345678);
}

TEST(LabelIndex, FirstLineOfALabelWithinARange) {
  data::WorkListing listing;
  listing.lines = {"", "%1", "N10 X1", "N20 X2", "N10 X3", "", "%2", "N10 Y1", "(Unterprogramm-Ende)"};
  listing.lineCount = 8;
  draw::LabelIndex index;
  index.Build(listing);
  EXPECT_EQ(index.Find(10, 1, 5), 3);
  EXPECT_EQ(index.Find(10, 4, 5), 5);
  EXPECT_EQ(index.Find(10, 6, 8), 8);
  EXPECT_FALSE(index.Find(20, 5, 8));
  EXPECT_FALSE(index.Find(30, 1, 8));
  EXPECT_FALSE(index.Find(10, 9, 8));  // empty range
}

}  // namespace
