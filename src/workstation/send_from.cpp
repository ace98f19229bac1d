#include "workstation/send_from.h"

#include <algorithm>
#include <string>

#include "geometry/compensation.h"
#include "transfer/handshake.h"
#include "workstation/state_access.h"

namespace rur {
namespace {

bool Compensated(const data::BlockRecord& block) {
  return block.compensation == geometry::kCompensationLeft || block.compensation == geometry::kCompensationRight;
}

bool MovesInPlane(const data::BlockRecord& block) { return block.hasX != 0 || block.hasY != 0; }

// The first block of the contour that block `from` lies in, or `from`. A
// contour is a run of compensated blocks; blocks among or after them that
// do not move in X or Y (a plunge, a dwell) pass uncompensated and belong
// to it. The first uncompensated move in X or Y (the G40 move) ends it.
std::int32_t ContourStart(const data::BlockStore& store, std::int32_t from) {
  std::int32_t start = from;
  for (std::int32_t k = from; k >= 1; --k) {
    const data::BlockRecord& block = store.At(k);
    if (Compensated(block)) {
      start = k;
    } else if (MovesInPlane(block)) {
      break;
    }
  }
  return start;
}

}  // namespace

std::int32_t FirstUnconfirmedBlock(const Workstation& ws) {
  const transfer::TransferRecord& last = ws.lastTransfer();
  if (last.endText == transfer::kStatusFinished) return 1;
  // All blocks confirmed but not the last frame (the closing line alone):
  // the last block is the one to send again. No transfer yet: block 1.
  return std::min(last.blocksConfirmed + 1, std::max(last.blockCount, 1));
}

std::string NoSuchBlockText(std::int64_t from, std::int32_t count) {
  return "Satz " + std::to_string(from) + " gibt es nicht: das Programm hat " + std::to_string(count) +
         " S\xE4tze!";
}

std::string ContourStartText(std::int32_t from, std::int32_t start) {
  return "Satz " + std::to_string(from) + " liegt in einer korrigierten Kontur: gesendet wird ab ihrem Satz " +
         std::to_string(start) + ".";
}

std::int32_t SendStart(Workstation& ws, std::int64_t from) {
  WorkstationState& s = StateOf(ws);
  if (from == 1) return 1;  // the whole program, also one without blocks
  const std::int32_t count = s.sentStore.count();
  if (from < 1 || from > count) {
    s.dialogs.Beep();
    s.dialogs.Warning(NoSuchBlockText(from, count));
    return 0;
  }
  const auto block = static_cast<std::int32_t>(from);
  const std::int32_t start = ContourStart(s.sentStore, block);
  if (start != block) s.dialogs.Information(ContourStartText(block, start));
  return start;
}

}  // namespace rur
