#include "ui/path_view/line_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace ui {

LineCanvas::LineCanvas(QImage& image)
    : image_(image),
      bits_(reinterpret_cast<QRgb*>(image.bits())),
      width_(image.width()),
      height_(image.height()),
      stride_(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))) {}

// Liang-Barsky against the pixel centres' rectangle; false when nothing of
// the line lies within it (or it is no usable number). A clipped end is
// put on the edge that cut it, its other coordinate taken along the line:
// far-out ends (1e300) would lose the edge in x0 + t * dx.
bool LineCanvas::Clip(double& x0, double& y0, double& x1, double& y1) const {
  const double dx = x1 - x0, dy = y1 - y0;
  const double right = width_ - 1, bottom = height_ - 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0, right - x0, y0, bottom - y0};
  double t0 = 0.0, t1 = 1.0;
  int edge0 = -1, edge1 = -1;
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(p[i]) || !std::isfinite(q[i])) return false;
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t, edge0 = i;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t, edge1 = i;
    }
  }
  const double edges[4] = {0.0, right, 0.0, bottom};
  const auto onEdge = [&](int edge, double& x, double& y) {
    if (edge < 2) {
      x = edges[edge];
      y = std::clamp(y0 + (x - x0) * (dy / dx), 0.0, bottom);
    } else {
      y = edges[edge];
      x = std::clamp(x0 + (y - y0) * (dx / dy), 0.0, right);
    }
  };
  double ax = x0, ay = y0;
  if (edge0 >= 0) onEdge(edge0, ax, ay);
  if (edge1 >= 0) onEdge(edge1, x1, y1);
  x0 = ax;
  y0 = ay;
  return true;
}

void LineCanvas::Plot(int x, int y, int step) {
  if (dashOff_ > 0 && step % (dashOn_ + dashOff_) >= dashOn_) return;
  bits_[static_cast<qsizetype>(y) * stride_ + x] = colour_;
}

void LineCanvas::DrawLine(QPointF a, QPointF b) {
  double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
  if (width_ <= 0 || height_ <= 0 || !Clip(x0, y0, x1, y1)) return;
  // Rounded into the image: the clipped ends lie within it up to rounding.
  int ix = static_cast<int>(std::lround(x0)), iy = static_cast<int>(std::lround(y0));
  const int ex = static_cast<int>(std::lround(x1)), ey = static_cast<int>(std::lround(y1));
  const int dx = std::abs(ex - ix), dy = -std::abs(ey - iy);
  const int sx = ix < ex ? 1 : -1, sy = iy < ey ? 1 : -1;
  int error = dx + dy;
  for (int step = 0;; ++step) {
    Plot(ix, iy, step);
    if (ix == ex && iy == ey) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      ix += sx;
    }
    if (twice <= dx) {
      error += dx;
      iy += sy;
    }
  }
}

}  // namespace ui
