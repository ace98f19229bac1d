// Plane geometry of the arcs of an import, in the plane of the arc (first
// and second axis, turning counter-clockwise seen from the third): the
// centre of a radius arc, the sweep, the tolerance of the end point's
// radius, and the number of chords that follow an arc within an error.
#pragma once

namespace nc::import {

struct PlanePoint {
  double a = 0.0, b = 0.0;
};

double Distance(PlanePoint p, PlanePoint q);

// How far the end point's distance from the centre may differ from the
// start point's: 0.01 mm and 0.1 % of the radius. CAM posts round their
// coordinates to 0.001 mm or 0.0001 inch, which moves the radius by a few
// thousandths; a larger difference is another arc than the one meant.
double RadiusTolerance(double radius);

// The centre of an arc by its radius (negative: more than a half circle),
// as a standard control finds it. A radius short of half the chord within
// the tolerance counts as half the chord; false when it is shorter still.
bool CentreFromRadius(PlanePoint start, PlanePoint end, double radius, bool clockwise, PlanePoint& centre);

// The sweep from start to end about the centre, counter-clockwise
// positive: in (0, 2 pi) for a counter-clockwise arc, (-2 pi, 0) for a
// clockwise one, a full turn when fullCircle.
double Sweep(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise, bool fullCircle);

// The point at radius r and angle start angle + turn about the centre.
PlanePoint Turned(PlanePoint centre, PlanePoint start, double r, double turn);

// Chords whose distance from the arc stays within maxError (at least 1).
long ChordCount(double radius, double sweep, double maxError);

}  // namespace nc::import
