#include "draw/picture/surface.h"

#include <algorithm>
#include <cmath>

#include "draw/picture/pixel_rounding.h"

namespace draw {

void ClearPicture(Raster& raster) {
  raster.SetBrushColour(kNavy);
  raster.SetPenColour(kYellow);
  raster.FillRect(0, 0, raster.width(), raster.height());
}

long double PixelScale(const Raster& raster, long double workAreaX, long double workAreaY) {
  if (!(workAreaX > 0.0L) || !(workAreaY > 0.0L)) return 0.0L;
  const long double kY = raster.height() / workAreaY;
  const long double kX = raster.width() / workAreaX;
  const long double k = kY > kX ? kX : kY;
  // An infinite length gives 0 here, a tiny one an infinite scale: neither
  // places anything.
  return std::isfinite(k) ? k : 0.0L;
}

std::optional<PixelFrame> FrameOnPicture(const Raster& raster, long double workAreaX, long double workAreaY,
                                         long double minX, long double minY, long double maxX, long double maxY) {
  const long double k = PixelScale(raster, workAreaX, workAreaY);
  if (k == 0.0L) return std::nullopt;
  for (const long double v : {minX, minY, maxX, maxY}) {
    if (!std::isfinite(v)) return std::nullopt;
  }
  ToPixel(minX, maxY, k, raster.height());
  ToPixel(maxX, minY, k, raster.height());
  static constexpr long double kFar = 1e6L;
  const auto pixel = [](long double v) { return RoundHalfEven(std::clamp(v, -kFar, kFar)); };
  return PixelFrame{pixel(minX), pixel(maxY), pixel(maxX), pixel(minY)};
}

}  // namespace draw
