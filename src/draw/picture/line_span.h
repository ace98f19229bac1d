// The visible part of a Bresenham line: which steps of the line from one
// point towards another fall inside a picture, and the walk's state at the
// first of them, so that drawing costs only the visible pixels wherever the
// end points lie. The end point itself is not a step.
#pragma once

#include <cstdint>

namespace draw {

__extension__ typedef __int128 WideInt;

// Step i (0 <= i < n, n the larger of |dx| and |dy|) paints the major
// coordinate start + i and the minor coordinate start + floor((2 i m + n) /
// (2 n)), m the smaller delta: the exact line rounded to the nearest pixel,
// a half rounded away from the start.
struct LineSpan {
  bool xMajor = true;
  std::int64_t major = 0, minor = 0;  // pixel of the first visible step
  int majorStep = 1, minorStep = 1;   // +1 or -1
  WideInt error = 0;                  // (2 i m + n) mod 2 n at that step
  WideInt errorStep = 0;              // 2 m
  WideInt errorLimit = 0;             // 2 n
  WideInt firstStep = 0;              // index i of the first visible step
  std::int64_t count = 0;             // visible steps, 0 when none
};

// All steps of a line whose ends both lie inside the picture: no clipping
// arithmetic, which is the case of nearly every chord.
inline LineSpan WholeSpan(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  LineSpan span;
  span.xMajor = adx >= ady;
  const std::int64_t n = span.xMajor ? adx : ady;
  span.major = span.xMajor ? x0 : y0;
  span.minor = span.xMajor ? y0 : x0;
  span.majorStep = (span.xMajor ? dx : dy) < 0 ? -1 : 1;
  span.minorStep = (span.xMajor ? dy : dx) < 0 ? -1 : 1;
  span.error = n;
  span.errorStep = 2 * (span.xMajor ? ady : adx);
  span.errorLimit = 2 * n;
  span.count = n;
  return span;
}

// The visible steps of the line (x0, y0) -> (x1, y1) in a width x height
// picture. Any int64 coordinates; a line longer than 2^62 pixels on an axis
// is first cut to a box of +-2^60 pixels about the picture, in extended
// precision, which can shift it by a rounding step only far outside.
LineSpan VisibleSpan(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width, int height);

}  // namespace draw
