#include "draw/picture/surface.h"

#include <cmath>

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

}  // namespace draw
