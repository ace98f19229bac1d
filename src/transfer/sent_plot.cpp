#include "transfer/sent_plot.h"

#include "geometry/arc_geometry.h"

namespace transfer {
namespace {

draw::BlockTrace ArcTrace(data::BlockRecord& block, data::MessageCentre& messages) {
  long double sweep = 0.0L;
  if (!geometry::ArcFromCentre(block, sweep, messages)) return {};  // after its message, which sets the flag
  if (messages.errorFlag()) return {};
  return {draw::Trace::kArc, sweep};
}

}  // namespace

draw::BlockTrace SentBlockTrace(data::BlockRecord& block, data::MessageCentre& messages) {
  if (block.hasX == 0 && block.hasY == 0 && block.hasZ == 0) return {};
  switch (block.motion) {
    case data::kRapid: return {draw::Trace::kPenMove};
    case data::kFeed: return {draw::Trace::kLine};
    case data::kClockwise:
    case data::kCounterClockwise: return ArcTrace(block, messages);
    default: return {};
  }
}

}  // namespace transfer
