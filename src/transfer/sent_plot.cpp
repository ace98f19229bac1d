#include "transfer/sent_plot.h"

#include "geometry/arc_geometry.h"

namespace transfer {
namespace {

void PlotArc(data::BlockRecord& current, draw::DrawTarget target, data::MessageCentre& messages) {
  long double sweep = 0.0L;
  if (!geometry::ArcFromCentre(current, sweep, messages)) return;  // after its message
  if (!messages.errorFlag()) draw::DrawArc(current, sweep, target);
}

}  // namespace

void PlotSentBlock(data::BlockRecord& current, draw::DrawTarget target, data::MessageCentre& messages) {
  if (current.hasX == 0 && current.hasY == 0 && current.hasZ == 0) return;
  switch (current.motion) {
    case data::kRapid:
      draw::RapidMove(current, target);
      break;
    case data::kFeed:
      draw::FeedMove(current, target);
      break;
    case data::kClockwise:
    case data::kCounterClockwise:
      PlotArc(current, target, messages);
      break;
    default:
      break;
  }
}

void CheckSentBlock(const data::BlockRecord& block, data::MessageCentre& messages) {
  if (block.hasX == 0 && block.hasY == 0 && block.hasZ == 0) return;
  if (block.motion != data::kClockwise && block.motion != data::kCounterClockwise) return;
  data::BlockRecord arc = block;
  long double sweep = 0.0L;
  geometry::ArcFromCentre(arc, sweep, messages);  // false after its message, which sets the flag
}

}  // namespace transfer
