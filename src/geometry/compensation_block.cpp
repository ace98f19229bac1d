// CompensateBlock: one moving block under G41/G42 is checked, its straight
// moves (and those of its following element) turned into circles of the
// line radius, and handed to JoinElements.
#include <optional>

#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"

namespace geometry {
namespace {

bool IsArc(const data::BlockRecord& block) {
  return block.motion == data::kClockwise || block.motion == data::kCounterClockwise;
}

// A straight move as a short arc of the line radius in the given sense.
bool AsCircle(data::BlockRecord& block, std::uint8_t motion, CompensationPass& pass) {
  block.motion = motion;
  block.radius = kLineRadius;
  block.arcSpan = 2;
  return ArcCentreFromRadius(block, pass.radiusTolerance, pass.messages);
}

// Step 4: a dwell moving in X or Y passes to its end point uncompensated;
// a pending corner stays pending.
bool PassDwell(CompensationPass& pass, const data::BlockRecord& current) {
  pass.point = {current.endX, current.endY};
  data::BlockRecord copy = current;
  copy.marker = 0;
  copy.hasX = copy.hasY = 1;
  return pass.Emit(copy);
}

}  // namespace

bool CompensateBlock(CompensationPass& pass, const data::BlockRecord& current, const data::BlockRecord* following,
                     long double toolRadius) {
  if (current.compensation != pass.lastCompensation && IsArc(current)) {
    pass.messages.ShowMessageByNumber(data::kDirectMessage, kCompensationOnArc);
    return false;
  }
  pass.lastCompensation = current.compensation;
  if (current.motion >= data::kDwell) return PassDwell(pass, current);

  bool left = current.compensation == kCompensationLeft;
  if (toolRadius < 0.0L) {
    toolRadius = -toolRadius;
    left = !left;
  }
  pass.lastMotion = current.motion;
  data::BlockRecord element = current;
  if (!IsArc(element) && !AsCircle(element, left ? data::kClockwise : data::kCounterClockwise, pass)) return false;
  // A straight following element turns the other way, so that a straight
  // or tangent continuation makes two circles that touch.
  std::optional<data::BlockRecord> next;
  if (following != nullptr) {
    next = *following;
    const std::uint8_t sense = element.motion == data::kClockwise ? data::kCounterClockwise : data::kClockwise;
    if (!IsArc(*next) && !AsCircle(*next, sense, pass)) return false;
  }
  return JoinElements(pass, element, next ? &*next : nullptr, left, toolRadius);
}

}  // namespace geometry
