// JoinElements: a moved element is ended where it meets the moved following
// element, or at its own moved end with a corner arc about the programmed
// corner pending, which is emitted before the next element.
#include <cmath>

#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"

namespace geometry {
namespace {

bool IsArcMotion(std::uint8_t motion) { return motion == data::kClockwise || motion == data::kCounterClockwise; }

std::uint8_t Reversed(std::uint8_t sense) {
  return sense == data::kClockwise ? data::kCounterClockwise : data::kClockwise;
}

// Angle from `from` to `to` about the arc's centre, turning in its sense.
long double SweepInSense(const data::BlockRecord& arc, PlanePoint from, PlanePoint to) {
  const long double fx = from.x - arc.centreX, fy = from.y - arc.centreY;
  const long double tx = to.x - arc.centreX, ty = to.y - arc.centreY;
  return arc.motion == data::kClockwise ? SweepAngle(tx, ty, fx, fy) : SweepAngle(fx, fy, tx, ty);
}

// Whether the meeting point comes at or before the moved end, counted from
// the element's start: along the programmed direction of a straight move,
// by the sweep in its own sense for an arc (a chord from the start would
// misjudge arcs of more than half a circle).
bool MeetsBeforeEnd(const data::BlockRecord& element, std::uint8_t programmedMotion, PlanePoint travel,
                    PlanePoint start, PlanePoint meeting, PlanePoint end) {
  if (IsArcMotion(programmedMotion)) return SweepInSense(element, start, meeting) <= SweepInSense(element, start, end);
  const auto along = [&](PlanePoint p) { return (p.x - start.x) * travel.x + (p.y - start.y) * travel.y; };
  return along(meeting) <= along(end);
}

// The corner arc of the tool radius about the programmed corner, from the
// end of the emitted element to the moved start of the next. It is a pure
// move in X and Y with the tool, source line, feed and compensation of the
// element whose end it rounds. Too small to send (no tool radius, or end
// points closer than kMinCornerChord): no corner.
void PrepareCorner(CompensationPass& pass, const data::BlockRecord& emitted, std::uint8_t sense,
                   const data::BlockRecord& next, PlanePoint nextStart, long double toolRadius) {
  const PlanePoint from = pass.point;
  if (toolRadius == 0.0L || std::hypot(nextStart.x - from.x, nextStart.y - from.y) < kMinCornerChord) return;
  data::BlockRecord corner = emitted;
  corner.startX = from.x;
  corner.startY = from.y;
  corner.endX = nextStart.x;
  corner.endY = nextStart.y;
  corner.startZ = corner.endZ = emitted.endZ;
  corner.centreX = next.startX;
  corner.centreY = next.startY;
  corner.centreZ = 0.0L;
  corner.radius = toolRadius;
  corner.hasX = corner.hasY = 1;
  corner.hasZ = 0;
  corner.mFlags.reset();
  corner.dwell = 0;
  corner.g74Flag = 0;
  // The element's sense, reversed when it ran inside the circle of its
  // (straightened) centre through the corner point.
  const long double toCorner = std::hypot(next.startX - emitted.centreX, next.startY - emitted.centreY);
  corner.motion = emitted.radius < toCorner ? Reversed(sense) : sense;
  corner.arcSpan = static_cast<std::uint8_t>(ArcSpanOf(corner));
  pass.corner = corner;
  pass.cornerPending = true;
}

}  // namespace

bool JoinElements(CompensationPass& pass, data::BlockRecord& current, data::BlockRecord* following, bool left,
                  long double toolRadius) {
  if (pass.cornerPending) {
    if (!pass.Emit(pass.corner)) return false;
    pass.point = {pass.corner.endX, pass.corner.endY};
  }
  pass.cornerPending = false;
  if (!OffsetElement(current, left, toolRadius, pass.messages)) return false;
  if (following != nullptr) {
    // A following arc that the tool does not fit is named by its own line.
    data::MessageContext& context = pass.messages.context;
    const std::int32_t line = context.messageListingLine, program = context.messageProgramIndex;
    context.messageListingLine = following->listingLine;
    context.messageProgramIndex = following->programIndex;
    if (!OffsetElement(*following, left, toolRadius, pass.messages)) return false;
    context.messageListingLine = line;
    context.messageProgramIndex = program;
  }

  const PlanePoint travel{current.endX - current.startX, current.endY - current.startY};
  const PlanePoint start = pass.point;
  PlanePoint end, nextStart;
  // Without a following element the element simply ends at its moved end.
  OffsetEndPoints(current, following != nullptr ? *following : current, end, nextStart);
  bool corner = false;
  if (following != nullptr) {
    PlanePoint meeting;
    if (CircleIntersection(*following, current, meeting) != 0 &&
        MeetsBeforeEnd(current, pass.lastMotion, travel, start, meeting, end)) {
      end = meeting;
    } else {
      corner = true;
    }
  }
  current.startX = start.x;
  current.startY = start.y;
  current.endX = end.x;
  current.endY = end.y;
  pass.point = end;

  const std::uint8_t sense = current.motion;
  current.marker = 0;
  current.motion = pass.lastMotion;
  current.arcSpan = static_cast<std::uint8_t>(ArcSpanOf(current));
  current.hasX = current.hasY = 1;
  if (!pass.Emit(current)) return false;
  if (corner) PrepareCorner(pass, current, sense, *following, nextStart, toolRadius);
  return true;
}

}  // namespace geometry
