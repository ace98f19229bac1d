// Compensate: the pass over the drawn blocks. Compensated blocks go to
// CompensateBlock with their following element; the others pass as copies.
#include "geometry/compensation.h"

namespace geometry {
namespace {

bool MovesInPlane(const data::BlockRecord& block) { return block.hasX != 0 || block.hasY != 0; }

// The radius correction of the block's entry, at double precision. An entry
// outside the table has no correction: its blocks keep their programmed path.
long double ToolRadius(const data::ToolTable& tools, std::int8_t slot) {
  if (slot < 0 || slot >= data::kToolRecords) return 0.0L;
  return static_cast<long double>(static_cast<double>(tools[static_cast<std::size_t>(slot)].radiusCorrection));
}

// The next block after `position` that moves in X or Y, wherever it is.
const data::BlockRecord* FollowingElement(const data::BlockStore& programmed, std::int32_t position) {
  for (std::int32_t j = position + 1; j <= programmed.count(); ++j) {
    if (MovesInPlane(programmed.At(j))) return &programmed.At(j);
  }
  return nullptr;
}

// A block under G40, or one that does not move in X or Y, passes as a copy.
// G40 ends the contour: its pending corner is dropped and the next contour
// switches on anew; a G40 move takes the compensated point along. Blocks
// inside a contour that do not move leave a pending corner pending.
bool PassUnchanged(CompensationPass& pass, const data::BlockRecord& block) {
  if (block.compensation == kCompensationOff) {
    pass.cornerPending = false;
    pass.lastCompensation = kCompensationOff;
    if (MovesInPlane(block)) pass.point = {block.endX, block.endY};
  }
  data::BlockRecord copy = block;
  copy.marker = 0;
  copy.compensation = kCompensationOff;
  return pass.Emit(copy);
}

bool HandleBlock(CompensationPass& pass, const data::BlockStore& programmed, std::int32_t position,
                 const data::ToolTable& tools) {
  const data::BlockRecord& block = programmed.At(position);
  if (!IsCompensated(block)) return PassUnchanged(pass, block);
  pass.messages.context.messageListingLine = block.listingLine;
  pass.messages.context.messageProgramIndex = block.programIndex;
  return CompensateBlock(pass, block, FollowingElement(programmed, position), ToolRadius(tools, block.toolSlot));
}

}  // namespace

bool IsCompensated(const data::BlockRecord& block) {
  return MovesInPlane(block) && block.compensation != kCompensationOff;
}

bool CompensationPass::Emit(const data::BlockRecord& block) {
  if (output.Append(block)) return true;
  messages.ShowMessageByNumber(data::kDirectMessage, kTooManyBlocks);
  return false;
}

bool Compensate(const data::BlockStore& programmed, const data::ToolTable& tools, long double radiusTolerance,
                data::MessageCentre& messages, data::BlockStore& compensated) {
  compensated.Clear();
  if (messages.errorFlag()) return false;
  CompensationPass pass(compensated, messages, radiusTolerance);
  const std::int32_t count = programmed.count();
  if (count < 2) {
    return count == 0 || pass.Emit(programmed.At(1));
  }
  pass.point = {programmed.At(1).startX, programmed.At(1).startY};
  for (std::int32_t i = 1; i <= count; ++i) {
    if (!HandleBlock(pass, programmed, i, tools)) {  // after a message, which set the flag
      messages.dialogs().Beep();
      return false;
    }
  }
  return true;
}

}  // namespace geometry
