#include "nc/listing.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"

namespace {

TEST(Listing, ReadsCountedLinesOnlyCutTo255) {
  data::WorkListing listing;
  listing.Clear();
  listing.lines.push_back("%1");
  listing.lines.push_back(std::string(300, 'X'));
  listing.lines.push_back("(Unterprogramm-Ende)");
  listing.lineCount = 3;
  EXPECT_EQ(nc::ReadListingLine(listing, 1), "");
  EXPECT_EQ(nc::ReadListingLine(listing, 2), "%1");
  EXPECT_EQ(nc::ReadListingLine(listing, 3).size(), 255u);
  EXPECT_EQ(nc::ReadListingLine(listing, 4), "");  // beyond the count
  EXPECT_EQ(nc::ReadListingLine(listing, 0), "");
  EXPECT_EQ(nc::ReadListingLine(listing, -5), "");
}

TEST(Listing, AppendingPumpsEventsButNotForEveryLine) {
  data::WorkListing listing;
  listing.Clear();
  testing_support::CountingPump pump;
  data::ThrottledPump throttled(pump);
  for (int i = 0; i < 10000; ++i) nc::AppendListingLine(listing, "N10", throttled);
  EXPECT_EQ(listing.lines.size(), 10001u);
  EXPECT_GE(pump.calls, 1);      // the first append pumps at once
  EXPECT_LT(pump.calls, 10000);  // far fewer than one per line
}

}  // namespace
