#include "draw/path/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "geometry/arc_geometry.h"

namespace draw {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr long double kTwoPiLong = 2.0L * std::numbers::pi_v<long double>;

double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

double DistanceBetween(PathPoint a, PathPoint b) { return Length(a.x - b.x, a.y - b.y); }

bool Finite(PathPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool Finite(const PathSegment& s) {
  return Finite(s.start) && Finite(s.end) && Finite(s.centre) && std::isfinite(s.radius) &&
         std::isfinite(s.startAngle) && std::isfinite(s.sweep);
}

PathPoint PointOf(long double x, long double y) { return {NarrowToDouble(x), NarrowToDouble(y)}; }

// How far along the arc's sense the angle a lies from its start, in
// [0, 2 pi).
double TurnFromStart(const PathSegment& arc, double a) {
  double t = std::fmod(arc.sweep >= 0.0 ? a - arc.startAngle : arc.startAngle - a, kTwoPi);
  if (t < 0.0) t += kTwoPi;
  return t;
}

bool WithinSweep(const PathSegment& arc, double a) { return TurnFromStart(arc, a) <= std::fabs(arc.sweep); }

std::optional<PathSegment> StraightSegment(const data::BlockRecord& r) {
  if (r.hasX == 0 && r.hasY == 0 && r.hasZ == 0) return std::nullopt;
  PathSegment s;
  s.end = PointOf(r.endX, r.endY);
  // Only Z moves: the end pixel alone is drawn.
  s.start = (r.hasX == 0 && r.hasY == 0) ? s.end : PointOf(r.startX, r.startY);
  s.shape = (r.hasX == 0 && r.hasY == 0) ? SegmentShape::kPoint : SegmentShape::kLine;
  return s;
}

// The arc as DrawArc runs it: from the start's angle about the centre with
// the record's radius through the sweep.
std::optional<PathSegment> ArcSegment(const data::BlockRecord& r) {
  if (r.hasX == 0 && r.hasY == 0 && r.hasZ == 0) return std::nullopt;
  if (!(r.radius > 0.0L)) return std::nullopt;
  const long double a0 = geometry::VectorAngle(r.startX - r.centreX, r.startY - r.centreY);
  const long double sweep = ArcSweepOf(r);
  const long double a1 = a0 + sweep;
  PathSegment s;
  s.shape = SegmentShape::kArc;
  s.centre = PointOf(r.centreX, r.centreY);
  s.radius = NarrowToDouble(r.radius);
  s.startAngle = NarrowToDouble(a0);
  s.sweep = NarrowToDouble(sweep);
  s.start = PointOf(r.centreX + r.radius * std::cos(a0), r.centreY + r.radius * std::sin(a0));
  s.end = PointOf(r.centreX + r.radius * std::cos(a1), r.centreY + r.radius * std::sin(a1));
  return s;
}

void Include(PathBox& box, PathPoint p) {
  box.minX = std::min(box.minX, p.x);
  box.minY = std::min(box.minY, p.y);
  box.maxX = std::max(box.maxX, p.x);
  box.maxY = std::max(box.maxY, p.y);
}

double DistanceToLine(const PathSegment& s, PathPoint p) {
  const double dx = s.end.x - s.start.x, dy = s.end.y - s.start.y;
  const double length2 = dx * dx + dy * dy;
  if (!(length2 > 0.0)) return DistanceBetween(p, s.start);
  const double t = std::clamp(((p.x - s.start.x) * dx + (p.y - s.start.y) * dy) / length2, 0.0, 1.0);
  return DistanceBetween(p, {s.start.x + t * dx, s.start.y + t * dy});
}

double DistanceToArc(const PathSegment& s, PathPoint p) {
  const double dx = p.x - s.centre.x, dy = p.y - s.centre.y;
  if (WithinSweep(s, std::atan2(dy, dx))) return std::fabs(Length(dx, dy) - s.radius);
  return std::min(DistanceBetween(p, s.start), DistanceBetween(p, s.end));
}

}  // namespace

double NarrowToDouble(long double v) {
  constexpr long double kLargest = std::numeric_limits<double>::max();
  if (v > kLargest) return std::numeric_limits<double>::infinity();
  if (v < -kLargest) return -std::numeric_limits<double>::infinity();
  return static_cast<double>(v);  // NaN stays NaN
}

double PathBox::DistanceTo(PathPoint p) const {
  const double dx = std::max({minX - p.x, 0.0, p.x - maxX});
  const double dy = std::max({minY - p.y, 0.0, p.y - maxY});
  return Length(dx, dy);
}

long double ArcSweepOf(const data::BlockRecord& r) {
  long double sweep =
      geometry::SweepAngle(r.startX - r.centreX, r.startY - r.centreY, r.endX - r.centreX, r.endY - r.centreY);
  if (r.motion == data::kClockwise) sweep -= kTwoPiLong;
  return sweep;
}

std::optional<PathSegment> SegmentOf(const data::BlockRecord& record, SegmentOptions options) {
  std::optional<PathSegment> segment;
  switch (record.motion) {
    case data::kRapid:
      if (options.includeRapids) segment = StraightSegment(record);
      break;
    case data::kFeed:
      segment = StraightSegment(record);
      break;
    case data::kClockwise:
    case data::kCounterClockwise:
      segment = ArcSegment(record);
      break;
    default:
      break;
  }
  if (segment && !Finite(*segment)) return std::nullopt;
  return segment;
}

PathBox Union(PathBox a, const PathBox& b) {
  a.minX = std::min(a.minX, b.minX);
  a.minY = std::min(a.minY, b.minY);
  a.maxX = std::max(a.maxX, b.maxX);
  a.maxY = std::max(a.maxY, b.maxY);
  return a;
}

PathBox BoundsOf(const PathSegment& s) {
  PathBox box{s.start.x, s.start.y, s.start.x, s.start.y};
  Include(box, s.end);
  if (s.shape != SegmentShape::kArc) return box;
  // The extremes of the circle that the arc passes.
  const PathPoint extremes[] = {{s.centre.x + s.radius, s.centre.y},
                                {s.centre.x, s.centre.y + s.radius},
                                {s.centre.x - s.radius, s.centre.y},
                                {s.centre.x, s.centre.y - s.radius}};
  for (int quarter = 0; quarter < 4; ++quarter) {
    if (WithinSweep(s, quarter * (kTwoPi / 4.0))) Include(box, extremes[quarter]);
  }
  return box;
}

double DistanceTo(const PathSegment& segment, PathPoint p) {
  switch (segment.shape) {
    case SegmentShape::kLine:
      return DistanceToLine(segment, p);
    case SegmentShape::kArc:
      return DistanceToArc(segment, p);
    case SegmentShape::kPoint:
      break;
  }
  return DistanceBetween(p, segment.start);
}

}  // namespace draw
