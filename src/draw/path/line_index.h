// Which stored blocks each line of the work listing made, built once per
// drawing: a selection in the editor lights up the blocks of its lines. A
// line executed several times (a repeated call, a jump back) made several.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/block_record.h"

namespace draw {

class PathLineIndex {
 public:
  PathLineIndex() = default;
  // Over positions 1 .. count of the store.
  explicit PathLineIndex(const data::BlockStore& store);

  // Positions, ascending, of the blocks made from listing lines first ..
  // last of table entry programIndex (0: the main program).
  std::vector<std::int32_t> BlocksOfListingLines(std::int32_t programIndex, std::int32_t first,
                                                 std::int32_t last) const;
  // The same for the given lines, in any order.
  std::vector<std::int32_t> BlocksOfListingLines(std::int32_t programIndex,
                                                 std::span<const std::int32_t> lines) const;

 private:
  struct Entry {
    std::int32_t programIndex = 0;
    std::int32_t listingLine = 0;
    std::int32_t position = 0;
  };
  // Ordered by program, line and position.
  std::vector<Entry> entries_;

  void Collect(std::int32_t programIndex, std::int32_t first, std::int32_t last,
               std::vector<std::int32_t>& positions) const;
};

}  // namespace draw
