#include "nc/preparation/label_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "nc/lexical/characters.h"

namespace nc {
namespace {

constexpr int kMaxLabelDigits = 18;  // stays within int64
constexpr std::int64_t kMaxTarget = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::optional<std::int64_t> LineLabel(std::string_view line) {
  std::size_t i = line.find_first_not_of(' ');
  if (i == std::string_view::npos || line[i] != 'N') return std::nullopt;
  std::int64_t value = 0;
  int digits = 0;
  for (++i; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ') continue;
    if (!IsDigit(c)) break;
    if (++digits > kMaxLabelDigits) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;  // "N" without digits is label 0, as a text that is no number gives 0
}

std::optional<std::int64_t> JumpLabel(long double value) {
  const long double rounded = std::nearbyint(value);
  if (!(std::fabs(rounded) <= static_cast<long double>(kMaxTarget))) return std::nullopt;  // NaN too
  return static_cast<std::int64_t>(rounded);
}

std::optional<std::int64_t> RangeLabel(std::string_view digits) {
  std::int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > kMaxTarget) return std::nullopt;
  }
  return value;
}

void LabelIndex::Build(const data::WorkListing& listing) {
  entries_.clear();
  const auto last = std::min<std::int64_t>(listing.lineCount, listing.Size());
  entries_.reserve(static_cast<std::size_t>(std::max<std::int64_t>(last, 0)));  // untouched room costs nothing
  for (std::int32_t n = 1; n <= last; ++n) {
    const auto label = LineLabel(listing.Line(n));
    if (label && *label <= kMaxTarget) entries_.emplace_back(static_cast<std::int32_t>(*label), n);
  }
  std::sort(entries_.begin(), entries_.end());
}

std::optional<std::int32_t> LabelIndex::Find(std::int64_t label, std::int32_t from, std::int32_t to) const {
  if (label < 0 || label > kMaxTarget) return std::nullopt;
  const auto key = std::make_pair(static_cast<std::int32_t>(label), from);
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), key);
  if (it == entries_.end() || it->first != label || it->second > to) return std::nullopt;
  return it->second;
}

}  // namespace nc
