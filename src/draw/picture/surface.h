// The work-area picture: clearing it, and the one transform from program
// coordinates (absolute, zero-point offsets included) to pixels.
#pragma once

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

}  // namespace draw
