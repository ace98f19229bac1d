#include "transfer/restating_block.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace transfer {
namespace {

// The M words that stay in force until another of their group comes.
constexpr std::array<std::array<std::size_t, 3>, 2> kModalMGroups{{{3, 4, 5}, {7, 8, 9}}};

// The last word of each modal group among the blocks before `first`.
std::bitset<100> ModalMWords(const data::BlockStore& store, std::int32_t first) {
  std::bitset<100> words;
  for (const auto& group : kModalMGroups) {
    for (std::int32_t k = first - 1; k >= 1; --k) {
      const auto set = std::find_if(group.begin(), group.end(), [&](std::size_t m) { return store.At(k).mFlags[m]; });
      if (set == group.end()) continue;
      words.set(*set);
      break;
    }
  }
  return words;
}

long double HighestZ(const data::BlockStore& store, std::int32_t first) {
  long double z = store.At(1).endZ;
  for (std::int32_t k = 2; k < first; ++k) z = std::max(z, store.At(k).endZ);
  return z;
}

// A move of the restating block: only the given axes flagged.
data::BlockRecord Move(const data::BlockRecord& before, std::uint8_t motion, bool plane, bool z) {
  data::BlockRecord move;
  move.motion = motion;
  move.tool = before.tool;
  move.feed = before.feed;
  move.endX = before.endX;
  move.endY = before.endY;
  move.endZ = before.endZ;
  move.hasX = move.hasY = plane ? 1 : 0;
  move.hasZ = z ? 1 : 0;
  return move;
}

}  // namespace

std::string RestatingText(const data::BlockStore& store, std::int32_t first, const ConversionSettings& settings,
                          ConversionMemory& memory) {
  const data::BlockRecord& before = store.At(first - 1);
  const std::int32_t number = first - 1;
  const long double clearance = HighestZ(store, first);

  data::BlockRecord up = Move(before, data::kRapid, false, true);
  up.mFlags = ModalMWords(store, first);
  up.endZ = clearance;
  std::string text = ConvertBlock(up, number, settings, memory);
  text += "\r\n";
  text += ConvertBlock(Move(before, data::kRapid, true, false), number, settings, memory);
  if (before.endZ < clearance) {
    text += "\r\n";
    text += ConvertBlock(Move(before, data::kFeed, false, true), number, settings, memory);
  }
  return text;
}

}  // namespace transfer
