// Work listings laid out line by line for tests, as preparation would have
// appended them.
#pragma once

#include <initializer_list>
#include <string_view>

#include "data/work_listing.h"

namespace testing_support {

// Replaces the lines of the listing (line 1 first); its count stays.
inline void SetLines(data::WorkListing& listing, std::initializer_list<std::string_view> lines) {
  const std::int32_t count = listing.lineCount;
  listing = data::WorkListing{};
  for (std::string_view line : lines) listing.Append(line);
  listing.lineCount = count;
}

}  // namespace testing_support
