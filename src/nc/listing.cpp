#include "nc/listing.h"

#include "data/text.h"

namespace nc {

std::string ReadListingLine(const data::WorkListing& listing, std::int64_t n) {
  if (n > listing.lineCount) return std::string();
  return data::CutText(listing.Line(n));
}

void AppendListingLine(data::WorkListing& listing, std::string_view text, data::ThrottledPump& pump) {
  listing.lines.emplace_back(text);
  pump.Pump();
}

}  // namespace nc
