#include "draw/picture/primitives.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw/picture/pixel_rounding.h"
#include "draw/picture/surface.h"
#include "geometry/arc_geometry.h"

namespace draw {

namespace {

constexpr std::size_t kArcChords = 100;

// Pen coordinates stay within +-2^60 pixels: far beyond any picture, and
// every line between two such points fits the raster's exact arithmetic.
constexpr long double kPixelLimit = 1152921504606846976.0L;

enum class Rounding { HalfEven, TowardZero };

struct PixelPoint {
  std::int64_t x = 0, y = 0;
};

// v within the pixel limit.
std::int64_t ToInteger(long double v, Rounding rounding) {
  return rounding == Rounding::HalfEven ? RoundHalfEven(v) : Truncate(v);
}

// Fraction of the way from the pen coordinate to a target coordinate that
// ends at the pixel limit; 1 when the target lies within it.
long double Reach(long double from, long double to) {
  if (std::fabs(to) <= kPixelLimit) return 1.0L;
  return (std::copysign(kPixelLimit, to) - from) / (to - from);
}

// The pen coordinates of a pixel position; false when it is not finite.
// A point beyond the pixel limit is pulled in along the line from the pen,
// so that the line drawn towards it keeps its direction.
bool PenPointOf(const Raster& raster, long double px, long double py, Rounding rounding, PixelPoint& point) {
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  if (std::fabs(px) <= kPixelLimit && std::fabs(py) <= kPixelLimit) {
    point = {ToInteger(px, rounding), ToInteger(py, rounding)};
    return true;
  }
  const auto x0 = static_cast<long double>(raster.penPosition().x);
  const auto y0 = static_cast<long double>(raster.penPosition().y);
  const long double s = std::clamp(std::min(Reach(x0, px), Reach(y0, py)), 0.0L, 1.0L);
  point.x = static_cast<std::int64_t>(std::clamp(x0 + s * (px - x0), -kPixelLimit, kPixelLimit));
  point.y = static_cast<std::int64_t>(std::clamp(y0 + s * (py - y0), -kPixelLimit, kPixelLimit));
  return true;
}

// The rounded pixel of the block's end point; false when there is no scale
// or the point is not finite: the move is then not drawn and the pen stays.
bool EndPixel(const data::BlockRecord& current, DrawTarget target, PixelPoint& point) {
  const long double k = PixelScale(target.raster, target.workAreaX, target.workAreaY);
  if (k == 0.0L) return false;
  long double x = current.endX, y = current.endY;
  ToPixel(x, y, k, target.raster.height());
  return PenPointOf(target.raster, x, y, Rounding::HalfEven, point);
}

struct Direction {
  long double c, s;  // cosine and sine
};

// (cos a0, sin a0) for a0 = VectorAngle of the start vector, taken as the
// unit start vector itself; the angle only where that has no length.
Direction StartDirection(const data::BlockRecord& block) {
  const long double rx = block.startX - block.centreX;
  const long double ry = block.startY - block.centreY;
  const long double length2 = rx * rx + ry * ry;
  if (length2 > 0.0L && std::isfinite(length2)) {
    const long double length = std::sqrt(length2);
    return {rx / length, ry / length};
  }
  const long double a0 = geometry::VectorAngle(rx, ry);
  return {std::cos(a0), std::sin(a0)};
}

using ArcCoordinates = std::array<long double, kArcChords + 1>;

// Pixel coordinates of the arc points i = 0 .. 100 at angles a0 + i d,
// d = sweep / 100. Instead of a sine and a cosine per point, (cos, sin) of
// the angle is carried from point to point by one rotation through d. In
// extended precision the 100 rotations stay within a few 1e-18 of the
// direct cos (a0 + i d) and sin (a0 + i d), about what rounding a0 + i d
// itself costs the direct formula, and far below a pixel.
void ArcPixels(const data::BlockRecord& block, long double sweep, long double k, int height, ArcCoordinates& px,
               ArcCoordinates& py) {
  Direction u = StartDirection(block);
  const long double d = sweep / kArcChords;
  const Direction turn{std::cos(d), std::sin(d)};
  for (std::size_t i = 0; i <= kArcChords; ++i) {
    px[i] = block.centreX + block.radius * u.c;
    py[i] = block.centreY + block.radius * u.s;
    ToPixel(px[i], py[i], k, height);
    u = {u.c * turn.c - u.s * turn.s, u.s * turn.c + u.c * turn.s};
  }
}

// Lines through the points, truncated toward zero, the pen ending on the
// last. All are converted before the first line: integer work alone. A
// point that is not finite is left out, the next line starting where the
// last one ended.
void DrawChords(Raster& raster, const ArcCoordinates& px, const ArcCoordinates& py) {
  std::array<PixelPoint, kArcChords + 1> pixels;
  std::array<bool, kArcChords + 1> near;
  for (std::size_t i = 0; i <= kArcChords; ++i) {
    near[i] = TruncateBelowLimit(px[i], pixels[i].x) && TruncateBelowLimit(py[i], pixels[i].y);
  }
  PixelPoint point;
  bool drawn = false;
  for (std::size_t i = 0; i <= kArcChords; ++i) {
    if (near[i]) {
      point = pixels[i];
    } else if (!PenPointOf(raster, px[i], py[i], Rounding::TowardZero, point)) {
      continue;
    }
    raster.LineTo(point.x, point.y);
    drawn = true;
  }
  if (drawn) raster.MoveTo(point.x, point.y);
}

}  // namespace

void RapidMove(const data::BlockRecord& current, DrawTarget target) {
  PixelPoint end;
  if (EndPixel(current, target, end)) target.raster.MoveTo(end.x, end.y);
}

void FeedMove(const data::BlockRecord& current, DrawTarget target) {
  PixelPoint end;
  if (!EndPixel(current, target, end)) return;
  target.raster.SetPixel(end.x, end.y, target.raster.penColour());
  target.raster.LineTo(end.x, end.y);
}

void DrawArc(const data::BlockRecord& block, long double sweep, DrawTarget target) {
  const long double k = PixelScale(target.raster, target.workAreaX, target.workAreaY);
  target.raster.SetPenStyle(PenStyle::Solid);
  target.raster.SetPenMode(PenMode::Copy);
  if (!(block.radius > 0.0L) || k == 0.0L) return;
  ArcCoordinates px, py;
  ArcPixels(block, sweep, k, target.raster.height(), px, py);
  DrawChords(target.raster, px, py);
}

}  // namespace draw
