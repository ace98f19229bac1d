#include "nc/import/arc_math.h"

#include <cmath>
#include <numbers>

namespace nc::import {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kToleranceMm = 0.01;
constexpr double kToleranceShare = 0.001;

double AngleOf(PlanePoint centre, PlanePoint p) { return std::atan2(p.b - centre.b, p.a - centre.a); }

}  // namespace

double Distance(PlanePoint p, PlanePoint q) { return std::hypot(q.a - p.a, q.b - p.b); }

double RadiusTolerance(double radius) { return kToleranceMm + kToleranceShare * std::fabs(radius); }

bool CentreFromRadius(PlanePoint start, PlanePoint end, double radius, bool clockwise, PlanePoint& centre) {
  const double chord = Distance(start, end);
  const double r = std::fabs(radius);
  if (!(chord > 0.0) || !std::isfinite(chord)) return false;
  double h2 = r * r - chord * chord / 4.0;
  if (h2 < 0.0) {
    if (chord / 2.0 - r > RadiusTolerance(chord / 2.0)) return false;
    h2 = 0.0;
  }
  // Left of the chord (seen from start to end) for a counter-clockwise arc
  // of at most half a circle; a clockwise one or a longer one turns about
  // the other side.
  const double side = (clockwise == (radius < 0.0)) ? 1.0 : -1.0;
  const double h = std::sqrt(h2) * side;
  const double ua = (end.a - start.a) / chord, ub = (end.b - start.b) / chord;
  centre = {(start.a + end.a) / 2.0 - ub * h, (start.b + end.b) / 2.0 + ua * h};
  return true;
}

double Sweep(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise, bool fullCircle) {
  if (fullCircle) return clockwise ? -kTwoPi : kTwoPi;
  double sweep = AngleOf(centre, end) - AngleOf(centre, start);
  if (clockwise) {
    while (sweep >= 0.0) sweep -= kTwoPi;
    while (sweep < -kTwoPi) sweep += kTwoPi;
  } else {
    while (sweep <= 0.0) sweep += kTwoPi;
    while (sweep > kTwoPi) sweep -= kTwoPi;
  }
  return sweep;
}

PlanePoint Turned(PlanePoint centre, PlanePoint start, double r, double turn) {
  const double angle = AngleOf(centre, start) + turn;
  return {centre.a + r * std::cos(angle), centre.b + r * std::sin(angle)};
}

long ChordCount(double radius, double sweep, double maxError) {
  const double r = std::fabs(radius);
  if (r <= maxError / 2.0) return 1;
  const double step = 2.0 * std::acos(1.0 - maxError / r);
  const double count = std::ceil(std::fabs(sweep) / step);
  if (!(count >= 1.0)) return 1;
  return count > 1e9 ? 1'000'000'000L : static_cast<long>(count);
}

}  // namespace nc::import
