#include "draw/picture/picture_listener.h"

namespace draw {

void DrawBlock(const data::BlockRecord& record, const BlockTrace& trace, DrawTarget target) {
  switch (trace.kind) {
    case Trace::kPenMove:
      RapidMove(record, target);
      break;
    case Trace::kLine:
      FeedMove(record, target);
      break;
    case Trace::kArc:
      DrawArc(record, trace.sweep, target);
      break;
    case Trace::kNone:
      break;
  }
}

}  // namespace draw
