#include "draw/picture/line_span.h"

#include <algorithm>

namespace draw {

namespace {

// Longest delta the exact step arithmetic takes: its products stay below
// 2^126.
constexpr WideInt kExactDelta = WideInt{1} << 62;
constexpr long double kCutBox = 1152921504606846976.0L;  // 2^60

struct Segment {
  WideInt x0, y0, x1, y1;
};

WideInt Abs(WideInt v) { return v < 0 ? -v : v; }

bool MissesPicture(const Segment& s, int width, int height) {
  return std::max(s.x0, s.x1) < 0 || std::min(s.x0, s.x1) >= width || std::max(s.y0, s.y1) < 0 ||
         std::min(s.y0, s.y1) >= height;
}

// One edge of the Liang-Barsky cut: keeps the parameters where p t <= q.
bool CutEdge(long double p, long double q, long double& t0, long double& t1) {
  if (p == 0.0L) return q >= 0.0L;
  const long double t = q / p;
  if (p < 0.0L) {
    t0 = std::max(t0, t);
  } else {
    t1 = std::min(t1, t);
  }
  return t0 <= t1;
}

WideInt BoxPoint(long double from, long double delta, long double t) {
  const long double v = std::clamp(from + t * delta, -kCutBox, kCutBox);
  return static_cast<WideInt>(static_cast<std::int64_t>(v));
}

// Cuts a very long segment to the box of +-2^60 about the origin; false
// when it misses the box.
bool CutToBox(Segment& s) {
  const auto x0 = static_cast<long double>(s.x0), y0 = static_cast<long double>(s.y0);
  const auto dx = static_cast<long double>(s.x1 - s.x0), dy = static_cast<long double>(s.y1 - s.y0);
  long double t0 = 0.0L, t1 = 1.0L;
  if (!CutEdge(-dx, x0 + kCutBox, t0, t1) || !CutEdge(dx, kCutBox - x0, t0, t1) ||
      !CutEdge(-dy, y0 + kCutBox, t0, t1) || !CutEdge(dy, kCutBox - y0, t0, t1)) {
    return false;
  }
  s = {BoxPoint(x0, dx, t0), BoxPoint(y0, dy, t0), BoxPoint(x0, dx, t1), BoxPoint(y0, dy, t1)};
  return true;
}

// First step i whose minor offset floor((2 i m + n) / (2 n)) reaches t; n
// when no step before the end does.
WideInt FirstStepReaching(WideInt t, WideInt m, WideInt n) {
  if (t <= 0) return 0;
  if (t > m) return n;
  return ((2 * t - 1) * n + 2 * m - 1) / (2 * m);
}

struct Axis {
  WideInt start;  // coordinate at step 0
  int step;       // +1 or -1
  int limit;      // picture size along the axis
};

// Steps [lo, hi] keep the axis coordinate start + step * offset inside the
// picture for offsets [offsetLo, offsetHi]: returns those offset bounds.
void OffsetsInside(const Axis& axis, WideInt& offsetLo, WideInt& offsetHi) {
  if (axis.step > 0) {
    offsetLo = -axis.start;
    offsetHi = axis.limit - 1 - axis.start;
  } else {
    offsetLo = axis.start - (axis.limit - 1);
    offsetHi = axis.start;
  }
}

LineSpan Walk(const Segment& s, int width, int height) {
  const WideInt dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  LineSpan span;
  span.xMajor = Abs(dx) >= Abs(dy);
  const WideInt n = span.xMajor ? Abs(dx) : Abs(dy);
  const WideInt m = span.xMajor ? Abs(dy) : Abs(dx);
  const Axis major{span.xMajor ? s.x0 : s.y0, (span.xMajor ? dx : dy) < 0 ? -1 : 1, span.xMajor ? width : height};
  const Axis minor{span.xMajor ? s.y0 : s.x0, (span.xMajor ? dy : dx) < 0 ? -1 : 1, span.xMajor ? height : width};

  WideInt lo = 0, hi = n - 1, offsetLo = 0, offsetHi = 0;
  OffsetsInside(major, offsetLo, offsetHi);
  lo = std::max(lo, offsetLo);
  hi = std::min(hi, offsetHi);
  OffsetsInside(minor, offsetLo, offsetHi);
  lo = std::max(lo, FirstStepReaching(offsetLo, m, n));
  hi = std::min(hi, FirstStepReaching(offsetHi + 1, m, n) - 1);
  if (lo > hi) return span;

  // Bresenham state at step lo; the divisions only when the line enters
  // the picture from outside.
  WideInt offset = 0, error = n;
  if (lo > 0) {
    const WideInt numerator = 2 * lo * m + n;
    offset = numerator / (2 * n);
    error = numerator - offset * 2 * n;
  }
  span.major = static_cast<std::int64_t>(major.start + major.step * lo);
  span.minor = static_cast<std::int64_t>(minor.start + minor.step * offset);
  span.majorStep = major.step;
  span.minorStep = minor.step;
  span.error = error;
  span.errorStep = 2 * m;
  span.errorLimit = 2 * n;
  span.firstStep = lo;
  span.count = static_cast<std::int64_t>(hi - lo + 1);
  return span;
}

}  // namespace

LineSpan VisibleSpan(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width, int height) {
  Segment s{x0, y0, x1, y1};
  if (width <= 0 || height <= 0 || (x0 == x1 && y0 == y1) || MissesPicture(s, width, height)) return {};
  if (Abs(s.x1 - s.x0) > kExactDelta || Abs(s.y1 - s.y0) > kExactDelta) {
    if (!CutToBox(s) || MissesPicture(s, width, height)) return {};
    if (s.x0 == s.x1 && s.y0 == s.y1) return {};
  }
  return Walk(s, width, height);
}

}  // namespace draw
