#include "draw/path/line_index.h"

#include <algorithm>
#include <tuple>

namespace draw {
namespace {

template <typename E>
auto KeyOf(const E& e) {
  return std::tie(e.programIndex, e.listingLine, e.position);
}

}  // namespace

PathLineIndex::PathLineIndex(const data::BlockStore& store) {
  entries_.reserve(static_cast<std::size_t>(store.count()));
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const data::BlockRecord& r = store.At(position);
    entries_.push_back({r.programIndex, r.listingLine, position});
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return KeyOf(a) < KeyOf(b); });
}

// Appends the positions of the lines first .. last, in the index's order.
void PathLineIndex::Collect(std::int32_t programIndex, std::int32_t first, std::int32_t last,
                            std::vector<std::int32_t>& positions) const {
  if (last < first) return;
  const auto begin = std::lower_bound(entries_.begin(), entries_.end(), Entry{programIndex, first, 0},
                                      [](const Entry& a, const Entry& b) { return KeyOf(a) < KeyOf(b); });
  for (auto e = begin; e != entries_.end() && e->programIndex == programIndex && e->listingLine <= last; ++e) {
    positions.push_back(e->position);
  }
}

std::vector<std::int32_t> PathLineIndex::BlocksOfListingLines(std::int32_t programIndex, std::int32_t first,
                                                              std::int32_t last) const {
  std::vector<std::int32_t> positions;
  Collect(programIndex, first, last, positions);
  std::sort(positions.begin(), positions.end());
  return positions;
}

std::vector<std::int32_t> PathLineIndex::BlocksOfListingLines(std::int32_t programIndex,
                                                              std::span<const std::int32_t> lines) const {
  std::vector<std::int32_t> sorted(lines.begin(), lines.end());
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::vector<std::int32_t> positions;
  for (const std::int32_t line : sorted) Collect(programIndex, line, line, positions);
  std::sort(positions.begin(), positions.end());
  return positions;
}

}  // namespace draw
