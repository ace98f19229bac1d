// The work-area picture: clearing it, the one transform from program
// coordinates (absolute, zero-point offsets included) to pixels, and where
// the edges of a box fall on it.
#pragma once

#include <cstdint>
#include <optional>

#include "draw/picture/raster.h"

namespace draw {

// Fills the picture with the window's navy and sets the pen to yellow; the
// pen position stays where it was.
void ClearPicture(Raster& raster);

// Pixels per program unit: the smaller of height / workAreaY and
// width / workAreaX (height's on equality). 0 when either work-area length
// is not greater than 0 (or not finite): nothing can then be drawn.
long double PixelScale(const Raster& raster, long double workAreaX, long double workAreaY);

// Replaces x and y by their pixel coordinates: x * k, height - y * k.
// Inline: every arc point goes through it.
inline void ToPixel(long double& x, long double& y, long double k, int height) {
  x = x * k;
  y = height - y * k;
}

// The pixel columns of a box's left and right edges and the rows of its
// top and bottom edges, each where a line along that edge is drawn (they
// may lie beyond the picture; far-out ones are held at a million pixels).
struct PixelFrame {
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PixelFrame&) const = default;
};

// The box from (minX, minY) to (maxX, maxY) on the picture of that work
// area; none without a usable scale or for a box that is not finite.
std::optional<PixelFrame> FrameOnPicture(const Raster& raster, long double workAreaX, long double workAreaY,
                                         long double minX, long double minY, long double maxX, long double maxY);

}  // namespace draw
