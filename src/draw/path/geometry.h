// The drawn figure of one stored block in the X/Y plane of the machine (Y
// up): a point, a straight line or an arc, exactly as the primitives draw
// it, with its bounding box and the distance of a point from it. What a
// hit test on the drawing measures.
#pragma once

#include <cstdint>
#include <optional>

#include "data/block_record.h"

namespace draw {

// A point of the plane in machine coordinates (mm).
struct PathPoint {
  double x = 0.0;
  double y = 0.0;
};

struct PathBox {
  double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;

  // Distance from p to the nearest point of the box; 0 inside it.
  double DistanceTo(PathPoint p) const;
};

enum class SegmentShape : std::uint8_t { kPoint, kLine, kArc };

struct PathSegment {
  SegmentShape shape = SegmentShape::kPoint;
  PathPoint start;  // a point's place; an arc's first drawn point
  PathPoint end;    // an arc's last drawn point
  PathPoint centre;
  double radius = 0.0;
  double startAngle = 0.0;  // of the start seen from the centre, in [0, 2 pi)
  double sweep = 0.0;       // counter-clockwise positive, clockwise negative
};

struct SegmentOptions {
  // The drawing leaves rapid moves out; a view may show them.
  bool includeRapids = false;
};

// v as a double; beyond the doubles' range the infinity of its sign.
double NarrowToDouble(long double v);

// The signed angle that the drawing runs an arc record through from its
// start: counter-clockwise in [0, 2 pi), clockwise (motion 2) in
// [-2 pi, 0); a half circle is exactly pi.
long double ArcSweepOf(const data::BlockRecord& record);

// The figure the drawing makes of a record, or none when it draws nothing:
// - a feed move (a rapid move too with includeRapids) is the line from its
//   start to its end; one that moves only in Z draws its end pixel and is
//   that point; one that moves on no axis draws nothing;
// - an arc (motion 2, 3) runs about its centre with its radius from the
//   start's angle through ArcSweepOf; without a radius above 0 nothing is
//   drawn; a sweep of 0 leaves the start point;
// - a dwell (motion 4) draws nothing, nor does a record whose figure is not
//   finite.
std::optional<PathSegment> SegmentOf(const data::BlockRecord& record, SegmentOptions options = {});

PathBox BoundsOf(const PathSegment& segment);

// The smallest box holding both.
PathBox Union(PathBox a, const PathBox& b);

// Distance from p to the nearest point of the segment: for an arc the
// radial distance when p's angle lies within the sweep, else the nearer
// end point.
double DistanceTo(const PathSegment& segment, PathPoint p);

}  // namespace draw
