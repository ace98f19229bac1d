#include "geometry/arc_geometry.h"

#include <cmath>
#include <numbers>

namespace geometry {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTwoPi = 2.0L * kPi;
// The sine of a sweep at least this far from 0 and from a half turn: far
// beyond the snapping tolerance.
constexpr long double kClearlyOffAxis = 1e-3L;

struct Offset {
  long double x = 0.0L, y = 0.0L;
};

// Signed sweep from the start to the end vector about the centre: counter-
// clockwise in [0, 2 pi), clockwise (motion 2) in [-2 pi, 0).
long double SignedSweep(const data::BlockRecord& block) {
  long double sweep = SweepAngle(block.startX - block.centreX, block.startY - block.centreY,
                                 block.endX - block.centreX, block.endY - block.centreY);
  if (block.motion == data::kClockwise) sweep -= kTwoPi;
  return sweep;
}

}  // namespace

long double VectorAngle(long double x, long double y) {
  if (x == 0.0L) return y < 0.0L ? 1.5L * kPi : 0.5L * kPi;
  if (y == 0.0L) return x < 0.0L ? kPi : 0.0L;
  const long double a = std::atan(y / x);
  if (x < 0.0L) return a + kPi;
  if (y < 0.0L) return a + kTwoPi;
  return a;
}

long double SweepAngle(long double sx, long double sy, long double ex, long double ey) {
  long double w = VectorAngle(ex, ey) - VectorAngle(sx, sy);
  if (w < 0.0L) w += kTwoPi;
  if (std::fabs(w - kPi) < kSnapTolerance) w = kPi;
  return w;
}

ChordResult ChordCentre(long double dx, long double dy, long double& r, int side, long double programmedRadius,
                        long double radiusTolerance, data::MessageCentre& messages, long double& ox,
                        long double& oy) {
  // A chord too short or too long for its square, or for the ratio below,
  // to be a number has no centre either (1e-4000 mm or 1e4000 mm).
  const long double chord2 = dx * dx + dy * dy;
  if (!(chord2 > 0.0L) || !std::isfinite(chord2)) return ChordResult::NoChord;
  long double q = 4.0L * r * r - chord2;
  if (q < 0.0L) {
    const long double h = std::sqrt(chord2) / 2.0L;
    if (h - programmedRadius > radiusTolerance) {
      messages.ShowMessageByNumber(data::kDirectMessage, kRadiusTooSmall);
      return ChordResult::RadiusTooSmall;
    }
    r = h;
    q = 0.0L;
  }
  const long double k = std::sqrt(q / chord2);
  if (!std::isfinite(k)) return ChordResult::NoChord;
  if (side == 2) {
    ox = (dx - k * dy) / 2.0L;
    oy = (dy + k * dx) / 2.0L;
  } else {
    ox = (dx + k * dy) / 2.0L;
    oy = (dy - k * dx) / 2.0L;
  }
  return ChordResult::Done;
}

bool ArcCentreFromRadius(data::BlockRecord& block, long double radiusTolerance, data::MessageCentre& messages) {
  const long double dx = block.endX - block.startX;
  const long double dy = block.endY - block.startY;
  long double r = block.radius;
  Offset left, right;
  const ChordResult first = ChordCentre(dx, dy, r, 2, block.radius, radiusTolerance, messages, left.x, left.y);
  // A radius too small has said so: one message for one faulty arc.
  if (first == ChordResult::NoChord) messages.ShowMessageByNumber(data::kDirectMessage, kCentreUnknown);
  if (first != ChordResult::Done) return false;
  block.radius = r;
  const ChordResult other = ChordCentre(dx, dy, r, 1, block.radius, radiusTolerance, messages, right.x, right.y);
  if (other == ChordResult::NoChord) messages.ShowMessageByNumber(data::kDirectMessage, kCentreUnknown);
  if (other != ChordResult::Done) return false;
  // Counter-clockwise short and clockwise long arcs turn about the centre on
  // the left of the chord; the other two about the one on the right.
  const bool clockwise = block.motion == data::kClockwise;
  const bool longArc = block.arcSpan == 1;
  const Offset chosen = clockwise != longArc ? right : left;
  block.centreX = block.startX + chosen.x;
  block.centreY = block.startY + chosen.y;
  return true;
}

bool ArcCentreFromRadius(data::BlockRecord& block, long double& sweep, long double radiusTolerance,
                         data::MessageCentre& messages) {
  if (!ArcCentreFromRadius(block, radiusTolerance, messages)) return false;
  sweep = SignedSweep(block);
  return true;
}

bool ArcFromCentre(data::BlockRecord& block, long double& sweep, data::MessageCentre& messages) {
  const long double ex = block.endX - block.centreX;
  const long double ey = block.endY - block.centreY;
  const long double end2 = ex * ex + ey * ey;
  if (!(end2 > 0.0L)) {
    messages.ShowMessageByNumber(data::kDirectMessage, kEndOnCentre);
    block.radius = 0.0L;
    return false;
  }
  block.radius = std::sqrt(end2);
  sweep = SignedSweep(block);
  block.arcSpan = std::fabs(sweep) > kPi ? 1 : 2;
  return true;
}

int ArcSpanOf(const data::BlockRecord& block) {
  // Away from a half turn (and from none) the side of the end against the
  // start tells: a counter-clockwise arc sweeps more than half a circle when
  // its end lies right of its start as seen from the centre, a clockwise
  // one when it lies left. Near them the sweep decides, snapped as always.
  const long double sx = block.startX - block.centreX, sy = block.startY - block.centreY;
  const long double ex = block.endX - block.centreX, ey = block.endY - block.centreY;
  const long double cross = sx * ey - sy * ex;
  const long double lengths = std::sqrt((sx * sx + sy * sy) * (ex * ex + ey * ey));
  if (std::fabs(cross) > kClearlyOffAxis * lengths) {
    const bool moreThanHalf = block.motion == data::kClockwise ? cross > 0.0L : cross < 0.0L;
    return moreThanHalf ? 1 : 2;
  }
  return std::fabs(SignedSweep(block)) - kPi > 0.0L ? 1 : 2;
}

}  // namespace geometry
