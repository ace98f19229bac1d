#include "nc/preparation/listing.h"

#include "data/text.h"

namespace nc {

std::string ReadListingLine(const data::WorkListing& listing, std::int64_t n) {
  std::string line;
  ReadListingLine(listing, n, line);
  return line;
}

void ReadListingLine(const data::WorkListing& listing, std::int64_t n, std::string& out) {
  if (n > listing.lineCount) {
    out.clear();
  } else {
    out.assign(listing.Line(n).substr(0, data::kMaxText));
  }
}

bool AppendListingLine(data::WorkListing& listing, std::string_view text, data::ThrottledPump& pump,
                       data::ListingOrigin origin) {
  const bool appended = listing.Append(text, origin);
  pump.Pump();
  return appended;
}

}  // namespace nc
