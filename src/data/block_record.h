// One prepared machine block as a drawing run stores it, and the block
// stores: the drawing's holds up to 31,999 records; the compensated store
// that a transfer sends holds up to twice as many (each block may gain a
// corner block). Records are used from position 1, the position being the
// block number sent to the controller.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "data/large_memory.h"

namespace data {

inline constexpr std::int32_t kBlockStoreSize = 32000;
// Records usable from position 1: at most 31,999 blocks fit.
inline constexpr std::int32_t kMaxStoredBlocks = kBlockStoreSize - 1;
// The radius compensation appends at most a corner block and the block
// itself for each block it is given.
inline constexpr std::int32_t kMaxCompensatedBlocks = 2 * kMaxStoredBlocks;
inline constexpr std::int32_t kConsumedMarker = 0x7FFFFFFF;

enum Motion : std::uint8_t { kRapid = 0, kFeed = 1, kClockwise = 2, kCounterClockwise = 3, kDwell = 4 };

// The extended values come first and the small fields after them, so that
// no padding sits between them: the stores hold up to 64,000 records.
struct BlockRecord {
  long double startX = 0.0L, startY = 0.0L, startZ = 0.0L;
  long double endX = 0.0L, endY = 0.0L, endZ = 0.0L;
  long double centreX = 0.0L, centreY = 0.0L, centreZ = 0.0L;
  long double radius = 0.0L;
  long double feed = 0.0L;
  std::bitset<100> mFlags;        // one per M number 0..99
  std::int32_t marker = 0;        // 0 live, kConsumedMarker consumed during compensation
  std::int32_t spindle = 0;
  std::int32_t dwell = 0;
  std::int32_t listingLine = 0;   // line of the work listing
  std::int32_t programIndex = 0;  // entry of the subprogram table
  std::uint8_t hasX = 0, hasY = 0, hasZ = 0;
  std::uint8_t motion = kRapid;
  std::uint8_t arcSpan = 0;       // 2 up to a half circle, 1 more
  std::uint8_t compensation = 0;  // 40, 41, 42
  std::int8_t toolSlot = 0;       // tool table entry (the D number)
  std::uint8_t tool = 0;          // the T number
  std::uint8_t g74Flag = 0;
};

// Records are created zeroed as the store grows, so a short program touches
// only the memory it uses; room for all of them is reserved at once.
class BlockStore {
 public:
  explicit BlockStore(std::int32_t limit = kMaxStoredBlocks) : limit_(limit) {
    records_.reserve(static_cast<std::size_t>(limit) + 1);
    records_.resize(1);  // position 0 is never used
  }

  std::int32_t count() const { return count_; }
  std::int32_t limit() const { return limit_; }
  void Clear() { SetCount(0); }
  bool Full() const { return count_ >= limit_; }

  // Appends at position count + 1; false (nothing written) when full.
  bool Append(const BlockRecord& record) {
    if (Full()) return false;
    records_.push_back(record);
    ++count_;
    return true;
  }
  // Position 1 .. count.
  const BlockRecord& At(std::int32_t position) const { return records_[static_cast<std::size_t>(position)]; }
  BlockRecord& At(std::int32_t position) { return records_[static_cast<std::size_t>(position)]; }
  // Positions beyond the old count start zeroed.
  void SetCount(std::int32_t count) {
    count_ = count;
    records_.resize(static_cast<std::size_t>(count) + 1);
  }

 private:
  std::vector<BlockRecord, LargeAllocator<BlockRecord>> records_;
  std::int32_t limit_;
  std::int32_t count_ = 0;
};

}  // namespace data
