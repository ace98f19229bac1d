#include "nc/preparation/listing.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"

namespace {

TEST(Listing, ReadsCountedLinesOnlyCutTo255) {
  data::WorkListing listing;
  listing.Clear();
  listing.Append("%1");
  listing.Append(std::string(300, 'X'));
  listing.Append("(Unterprogramm-Ende)");
  listing.lineCount = 3;
  EXPECT_EQ(nc::ReadListingLine(listing, 1), "");
  EXPECT_EQ(nc::ReadListingLine(listing, 2), "%1");
  EXPECT_EQ(nc::ReadListingLine(listing, 3), std::string(255, 'X'));
  EXPECT_EQ(nc::ReadListingLine(listing, 4), "");  // beyond the count
  EXPECT_EQ(nc::ReadListingLine(listing, 0), "");
  EXPECT_EQ(nc::ReadListingLine(listing, -5), "");
}

// Lines held back to back: empty ones, one of exactly 255 characters, and
// lines beside them keep their own text.
TEST(Listing, LinesKeepTheirBoundsInTheSharedText) {
  data::WorkListing listing;
  listing.Clear();
  const std::string full(255, 'A');
  for (std::string_view line : {std::string_view(""), std::string_view("N10"), std::string_view(full),
                                std::string_view(""), std::string_view("B")}) {
    ASSERT_TRUE(listing.Append(line));
  }
  ASSERT_EQ(listing.Size(), 6);
  const std::string_view expected[] = {"", "", "N10", full, "", "B"};
  for (std::int64_t n = 1; n <= 6; ++n) EXPECT_EQ(listing.Line(n), expected[n - 1]) << n;
  EXPECT_EQ(listing.Line(7), "");
  EXPECT_EQ(listing.Line(0), "");
  listing.Clear();
  EXPECT_EQ(listing.Size(), 1);
  EXPECT_EQ(listing.lineCount, 0);
  EXPECT_EQ(listing.Line(2), "");
}

TEST(Listing, AppendingPumpsEventsButNotForEveryLine) {
  data::WorkListing listing;
  listing.Clear();
  testing_support::CountingPump pump;
  data::ThrottledPump throttled(pump);
  for (int i = 0; i < 10000; ++i) EXPECT_TRUE(nc::AppendListingLine(listing, "N10", throttled));
  EXPECT_EQ(listing.Size(), 10001);
  EXPECT_EQ(listing.Line(10001), "N10");
  EXPECT_GE(pump.calls, 1);      // the first append pumps at once
  EXPECT_LT(pump.calls, 10000);  // far fewer than one per line
}

}  // namespace
