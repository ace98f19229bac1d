// Plane geometry of circular arcs in the X/Y plane, shared by drawing,
// radius compensation and the drawing of sent blocks: the centre of an arc
// given by its radius, radius and sweep of an arc given by its centre, and
// the polar angle of a vector. Angles in radians.
#pragma once

#include "data/block_record.h"
#include "data/message_centre.h"

namespace geometry {

// Below this, lengths and angles of the arc geometry and the radius
// compensation count as equal (points, sweeps, touching circles).
inline constexpr long double kSnapTolerance = 1e-6L;

inline constexpr char kRadiusTooSmall[] = "Radius zu klein!";
inline constexpr char kCentreUnknown[] = "Kreismittelpunkt kann nicht berechnet werden!";
inline constexpr char kEndOnCentre[] = "Radius zu klein";

// Polar angle of (x, y) in [0, 2 pi); the null vector gives pi / 2.
long double VectorAngle(long double x, long double y);

// Counter-clockwise angle from (sx, sy) to (ex, ey) in [0, 2 pi), snapped
// to pi within the tolerance.
long double SweepAngle(long double sx, long double sy, long double ex, long double ey);

enum class ChordResult { Done = 0, NoChord = -1, RadiusTooSmall = -2 };

// Offset (ox, oy) of a centre from the start point for the chord (dx, dy)
// and radius r; side 2 left of the chord, side 1 right. A radius short of
// half the chord by at most the tolerance is enlarged to half the chord
// (r changes); by more, "Radius zu klein!" is shown.
ChordResult ChordCentre(long double dx, long double dy, long double& r, int side, long double programmedRadius,
                        long double radiusTolerance, data::MessageCentre& messages, long double& ox,
                        long double& oy);

// Fills the centre of a block programmed by radius (Radius, Motion, ArcSpan
// given), may enlarge Radius, and returns the signed sweep.
bool ArcCentreFromRadius(data::BlockRecord& block, long double& sweep, long double radiusTolerance,
                         data::MessageCentre& messages);
// The same without the sweep.
bool ArcCentreFromRadius(data::BlockRecord& block, long double radiusTolerance, data::MessageCentre& messages);

// Fills Radius and ArcSpan of a block whose centre is given and returns the
// signed sweep (negative for a clockwise arc).
bool ArcFromCentre(data::BlockRecord& block, long double& sweep, data::MessageCentre& messages);

// 1 when the arc sweeps more than a half circle, else 2.
int ArcSpanOf(const data::BlockRecord& block);

}  // namespace geometry
