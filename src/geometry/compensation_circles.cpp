// The circle work of the radius compensation: moving an element sideways,
// where two moved elements meet, and their moved end points.
#include <cmath>

#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"

namespace geometry {
namespace {

// The point at `radius` from the element's centre towards (x, y), along the
// unit vector of that direction (from the centre itself: straight up, as
// VectorAngle has it).
PlanePoint OnRadius(const data::BlockRecord& element, long double x, long double y) {
  const long double dx = x - element.centreX, dy = y - element.centreY;
  const long double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.0L)) return {element.centreX, element.centreY + element.radius};
  return {element.centreX + element.radius * (dx / length), element.centreY + element.radius * (dy / length)};
}

// Two values closer than the tolerance become their mean.
void Merge(long double& a, long double& b) {
  if (std::fabs(a - b) < kSnapTolerance) a = b = (a + b) / 2.0L;
}

long double Distance2(PlanePoint p, long double x, long double y) {
  return (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
}

}  // namespace

bool OffsetElement(data::BlockRecord& element, bool left, long double toolRadius, data::MessageCentre& messages) {
  if (element.motion != data::kClockwise && element.motion != data::kCounterClockwise) return true;
  // Left of a clockwise arc and right of a counter-clockwise one is outside.
  const bool outside = (element.motion == data::kClockwise) == left;
  element.radius += outside ? toolRadius : -toolRadius;
  // A radius of 0 would leave no arc to run: refused like a negative one.
  if (element.radius < kSnapTolerance) {
    messages.ShowMessageByNumber(data::kDirectMessage, kToolRadiusTooLarge);
    return false;
  }
  return true;
}

int CircleIntersection(const data::BlockRecord& a, const data::BlockRecord& b, PlanePoint& point) {
  const long double r1 = a.radius, r2 = b.radius;
  const long double dx = b.centreX - a.centreX, dy = b.centreY - a.centreY;
  const long double d2 = dx * dx + dy * dy;
  const long double d = std::sqrt(d2);
  // Gap between the circles: outside each other, or one around the other.
  const long double gap = std::fmax(r1, r2) <= d ? (r1 + r2) - d : d - std::fabs(r2 - r1);
  if (std::fabs(gap) < kSnapTolerance) {
    point = OnRadius(b, b.endX, b.endY);
    return 1;
  }
  if (gap < 0.0L) return 0;
  const long double q = r1 * r1 - r2 * r2;
  long double disc = 2.0L * d2 * (r1 * r1 + r2 * r2) - d2 * d2 - q * q;
  if (std::fabs(disc) < kSnapTolerance) disc = 0.0L;
  if (disc < 0.0L) return 0;
  const long double t = 0.5L - (0.5L / d2) * q;
  const PlanePoint foot{b.centreX - t * dx, b.centreY - t * dy};
  const long double h = (0.5L / d2) * std::sqrt(disc);
  PlanePoint q1{foot.x + h * dy, foot.y - h * dx};
  PlanePoint q2{foot.x - h * dy, foot.y + h * dx};
  Merge(q1.x, q2.x);
  Merge(q1.y, q2.y);
  if (q1.x == q2.x && q1.y == q2.y) {
    point = q1;
    return 1;
  }
  point = Distance2(q2, b.endX, b.endY) < Distance2(q1, b.endX, b.endY) ? q2 : q1;
  return 2;
}

void OffsetEndPoints(const data::BlockRecord& current, const data::BlockRecord& following, PlanePoint& currentEnd,
                     PlanePoint& followingStart) {
  currentEnd = OnRadius(current, current.endX, current.endY);
  followingStart = OnRadius(following, following.startX, following.startY);
}

}  // namespace geometry
