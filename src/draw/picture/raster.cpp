#include "draw/picture/raster.h"

#include <algorithm>
#include <cstdlib>

#include "draw/picture/line_span.h"

namespace draw {

namespace {

// Pen patterns in pixels along the line: painted while the phase is below
// the first number, the period being the second.
struct Pattern {
  int on, period;
};

// Error terms below this fit an int64 walk.
constexpr WideInt kNarrowLimit = WideInt{1} << 62;

Pattern PatternOf(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {6, 9};
    case PenStyle::Dot:
      return {1, 2};
    case PenStyle::Solid:
      break;
  }
  return {1, 1};
}

}  // namespace

Raster::Raster(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  // A new picture shows the window's colour until it is first cleared.
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
  for (std::size_t i = 0; i < pixels_.size(); i += 3) {
    pixels_[i] = kNavy.r;
    pixels_[i + 1] = kNavy.g;
    pixels_[i + 2] = kNavy.b;
  }
}

void Raster::MoveTo(std::int64_t x, std::int64_t y) { position_ = {x, y}; }

// Bresenham's line from the pen position, restricted to its visible steps
// (see VisibleSpan): a line far outside costs nothing, a line entering the
// picture only its visible pixels.
void Raster::LineTo(std::int64_t x, std::int64_t y) {
  const PenPosition from = position_;
  position_ = {x, y};
  if (Contains(from.x, from.y) && Contains(x, y)) {
    // Between neighbouring arc points, the most frequent lines of all
    // paint nothing or just their first pixel.
    if (from.x == x && from.y == y) return;
    if (std::abs(x - from.x) <= 1 && std::abs(y - from.y) <= 1) {
      Paint(3 * (from.y * static_cast<std::ptrdiff_t>(width_) + from.x));
      return;
    }
    PaintSpan<std::int64_t>(WholeSpan(from.x, from.y, x, y));
    return;
  }
  const LineSpan span = VisibleSpan(from.x, from.y, x, y, width_, height_);
  if (span.count == 0) return;
  if (span.errorLimit < kNarrowLimit) {
    PaintSpan<std::int64_t>(span);
  } else {
    PaintSpan<WideInt>(span);
  }
}

// Walks the span by byte offsets into the picture; the error terms in the
// narrowest type that holds them.
template <typename Int>
void Raster::PaintSpan(const LineSpan& span) {
  const std::ptrdiff_t row = 3 * static_cast<std::ptrdiff_t>(width_);
  const std::ptrdiff_t majorDelta = (span.xMajor ? 3 : row) * span.majorStep;
  const std::ptrdiff_t minorDelta = (span.xMajor ? row : 3) * span.minorStep;
  const std::int64_t x = span.xMajor ? span.major : span.minor;
  const std::int64_t y = span.xMajor ? span.minor : span.major;
  std::ptrdiff_t at = y * row + 3 * x;
  auto error = static_cast<Int>(span.error);
  const auto errorStep = static_cast<Int>(span.errorStep), errorLimit = static_cast<Int>(span.errorLimit);
  const bool plain = style_ == PenStyle::Solid && mode_ == PenMode::Copy;
  const Pattern pattern = PatternOf(style_);
  int phase = plain ? 0 : static_cast<int>(span.firstStep % pattern.period);
  for (std::int64_t i = 0; i < span.count; ++i) {
    if (plain || phase < pattern.on) Paint(at);
    if (++phase == pattern.period) phase = 0;
    at += majorDelta;
    error += errorStep;
    if (error >= errorLimit) {
      error -= errorLimit;
      at += minorDelta;
    }
  }
}

void Raster::Paint(std::ptrdiff_t at) {
  std::uint8_t* p = pixels_.data() + at;
  if (mode_ == PenMode::Xor) {
    p[0] ^= pen_.r;
    p[1] ^= pen_.g;
    p[2] ^= pen_.b;
  } else {
    p[0] = pen_.r;
    p[1] = pen_.g;
    p[2] = pen_.b;
  }
}

bool Raster::Contains(std::int64_t x, std::int64_t y) const {
  return x >= 0 && y >= 0 && x < width_ && y < height_;
}

void Raster::SetPixel(std::int64_t x, std::int64_t y, Rgb colour) {
  if (!Contains(x, y)) return;
  std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x) * 3];
  p[0] = colour.r;
  p[1] = colour.g;
  p[2] = colour.b;
}

void Raster::FillRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  const auto x0 = static_cast<std::size_t>(std::clamp<std::int64_t>(left, 0, width_));
  const auto x1 = static_cast<std::size_t>(std::clamp<std::int64_t>(right, 0, width_));
  const auto y0 = static_cast<std::size_t>(std::clamp<std::int64_t>(top, 0, height_));
  const auto y1 = static_cast<std::size_t>(std::clamp<std::int64_t>(bottom, 0, height_));
  for (std::size_t y = y0; y < y1; ++y) {
    for (std::size_t x = x0; x < x1; ++x) {
      std::uint8_t* p = &pixels_[(y * static_cast<std::size_t>(width_) + x) * 3];
      p[0] = brush_.r;
      p[1] = brush_.g;
      p[2] = brush_.b;
    }
  }
}

Rgb Raster::Pixel(int x, int y) const {
  if (!Contains(x, y)) return {};
  const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x) * 3];
  return {p[0], p[1], p[2]};
}

}  // namespace draw
