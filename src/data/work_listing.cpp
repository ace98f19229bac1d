#include "data/work_listing.h"

#include <limits>

#include "data/text.h"

namespace data {

void WorkListing::Clear() {
  text_.clear();
  lines_.clear();
  lines_.push_back({});
  lineCount = 0;
}

bool WorkListing::Append(std::string_view text, ListingOrigin origin) {
  text = text.substr(0, kMaxText);
  if (text.size() > std::numeric_limits<std::uint32_t>::max() - text_.size()) return false;
  text_.append(text);
  lines_.push_back({static_cast<std::uint32_t>(text_.size()), origin});
  return true;
}

void WorkListing::Reserve(std::size_t bytes) {
  if (bytes > text_.max_size() - text_.size()) return;
  text_.reserve(text_.size() + bytes);
}

std::string_view WorkListing::Line(std::int64_t n) const {
  if (n < 1 || n > Size()) return {};
  const std::size_t i = static_cast<std::size_t>(n - 1);
  const std::uint32_t begin = i == 0 ? 0 : lines_[i - 1].end;
  return std::string_view(text_).substr(begin, lines_[i].end - begin);
}

ListingOrigin WorkListing::Origin(std::int64_t n) const {
  if (n < 1 || n > Size()) return {};
  return lines_[static_cast<std::size_t>(n - 1)].origin;
}

}  // namespace data
