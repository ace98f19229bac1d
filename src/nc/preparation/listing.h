// The two operations on the work listing that preparation and the
// interpreter share: read a line, append a line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/throttled_pump.h"
#include "data/work_listing.h"

namespace nc {

// Line n cut to data::kMaxText characters when n <= lineCount, else the
// empty text.
std::string ReadListingLine(const data::WorkListing& listing, std::int64_t n);
// The same into out, reusing its storage.
void ReadListingLine(const data::WorkListing& listing, std::int64_t n, std::string& out);

// Appends text as the new last line, with where it came from, then lets the
// user interface process its events (throttled). False when the listing has
// no room for it.
bool AppendListingLine(data::WorkListing& listing, std::string_view text, data::ThrottledPump& pump,
                       data::ListingOrigin origin = {});

}  // namespace nc
