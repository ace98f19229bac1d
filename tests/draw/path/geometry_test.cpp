// The figure of a stored block and the distance of a point from it: lines,
// Z-only moves, arcs on both senses as the driver stores and draws them
// (Y up), half and full circles, and what draws nothing.
#include "draw/path/geometry.h"

#include <cmath>
#include <numbers>

#include "draw/interpreter/execution_fixture.h"

namespace {

using draw::PathPoint;
using draw::SegmentShape;
using PathGeometry = execution_test::ExecutionTest;

constexpr double kPi = std::numbers::pi;

struct Probe {
  PathPoint point;
  double distance;
};

void ExpectDistances(const data::BlockRecord& record, std::initializer_list<Probe> probes) {
  const std::optional<draw::PathSegment> segment = draw::SegmentOf(record);
  ASSERT_TRUE(segment.has_value());
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << "(" << p.point.x << ", " << p.point.y << ")");
    EXPECT_NEAR(draw::DistanceTo(*segment, p.point), p.distance, 1e-9);
  }
}

data::BlockRecord Line(int motion, double x0, double y0, double x1, double y1) {
  return {.startX = x0, .startY = y0, .endX = x1, .endY = y1, .mFlags = {}, .hasX = x0 != x1, .hasY = y0 != y1,
          .motion = static_cast<std::uint8_t>(motion)};
}

TEST(PathGeometryLine, DistanceAlongBesideAndBeyondTheEnds) {
  ExpectDistances(Line(1, 0, 0, 10, 0), {{{5, 3}, 3},
                                         {{5, -3}, 3},
                                         {{-3, 4}, 5},    // before the start: to the start
                                         {{13, -4}, 5},   // beyond the end: to the end
                                         {{0, 0}, 0},
                                         {{10, 0}, 0},
                                         {{7, 0}, 0}});
  ExpectDistances(Line(1, 1, 1, 4, 5), {{{4, 5}, 0}, {{1 - 4, 1 + 3}, 5}, {{2.5 + 4, 3 - 3}, 5}});
}

TEST(PathGeometryLine, WhatIsDrawnAndWhatIsNot) {
  data::BlockRecord zOnly = Line(1, 2, 3, 2, 3);
  zOnly.hasZ = 1;  // a plunge draws its end pixel
  EXPECT_EQ(draw::SegmentOf(zOnly)->shape, SegmentShape::kPoint);
  ExpectDistances(zOnly, {{{5, 7}, 5}, {{2, 3}, 0}});

  EXPECT_FALSE(draw::SegmentOf(Line(1, 2, 3, 2, 3)));  // moves on no axis
  EXPECT_FALSE(draw::SegmentOf(Line(0, 0, 0, 10, 0)));  // rapid moves are not drawn
  EXPECT_EQ(draw::SegmentOf(Line(0, 0, 0, 10, 0), {.includeRapids = true})->shape, SegmentShape::kLine);
  data::BlockRecord dwell = Line(4, 0, 0, 10, 0);
  EXPECT_FALSE(draw::SegmentOf(dwell, {.includeRapids = true}));
  data::BlockRecord huge = Line(1, 0, 0, 10, 0);
  huge.endX = 1e4000L;  // beyond a double
  EXPECT_FALSE(draw::SegmentOf(huge));
}

// Quarter circles about the origin, radius 10, between (10, 0) and (0, 10):
// counter-clockwise the short way through 45 degrees, clockwise the long
// way through 225 degrees.
TEST(PathGeometryArc, SenseDecidesWhichWayRoundTheArcRuns) {
  data::BlockRecord ccw = Line(3, 10, 0, 0, 10);
  ccw.radius = 10;
  ExpectDistances(ccw, {{{3, 4}, 5},           // inside, within the sweep: radially
                        {{12, 16}, 10},        // outside
                        {{-3, 14}, 5},         // beyond the end angle: to the end point
                        {{13, -4}, 5},         // before the start angle: to the start point
                        {{-6, -8}, std::sqrt(256.0 + 64.0)},
                        {{0, 10}, 0},
                        {{10, 0}, 0},
                        {{0, 0}, 10}});
  data::BlockRecord cw = ccw;
  cw.motion = data::kClockwise;
  ExpectDistances(cw, {{{3, 4}, std::sqrt(45.0)},  // the short way is not drawn clockwise
                       {{-3, -4}, 5},
                       {{-6, -8}, 0},
                       {{0, -13}, 3},
                       {{-3, 14}, std::sqrt(205.0) - 10},
                       {{0, 10}, 0}});
  EXPECT_NEAR(static_cast<double>(draw::ArcSweepOf(ccw)), kPi / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(draw::ArcSweepOf(cw)), -3 * kPi / 2, 1e-15);
}

TEST(PathGeometryArc, BoundsTakeTheExtremesTheArcPasses) {
  data::BlockRecord arc = Line(3, 10, 0, 0, 10);
  arc.radius = 10;
  struct Case {
    int motion;
    draw::PathBox box;
  } cases[] = {{3, {0, 0, 10, 10}}, {2, {-10, -10, 10, 10}}};
  for (const Case& c : cases) {
    arc.motion = static_cast<std::uint8_t>(c.motion);
    const draw::PathBox box = draw::BoundsOf(*draw::SegmentOf(arc));
    EXPECT_NEAR(box.minX, c.box.minX, 1e-12);
    EXPECT_NEAR(box.minY, c.box.minY, 1e-12);
    EXPECT_NEAR(box.maxX, c.box.maxX, 1e-12);
    EXPECT_NEAR(box.maxY, c.box.maxY, 1e-12);
  }
}

TEST(PathGeometryArc, WithoutRadiusNothingIsDrawn) {
  data::BlockRecord arc = Line(2, 10, 0, 0, 10);
  arc.radius = 0;  // "Radius zu klein": the run stopped, nothing drawn
  EXPECT_FALSE(draw::SegmentOf(arc));
}

// Arcs through the block execution, as the store holds them.
TEST_F(PathGeometry, HalfCircleByRadiusRunsOverTheTopClockwise) {
  struct Case {
    const char* block;
    long double sign;
    Probe above, below;
  } cases[] = {
      // Centre (5, 0): clockwise from (0, 0) to (10, 0) passes (5, 5).
      {"G02 X10 Y0 U5", -1, {{5, 7}, 2}, {{5, -7}, std::sqrt(74.0)}},
      {"G03 X10 Y0 U5", 1, {{5, 7}, std::sqrt(74.0)}, {{5, -7}, 2}},
  };
  for (const Case& c : cases) {
    StartRun();
    Run({"G01 X0 Y0 F100", c.block});
    SCOPED_TRACE(c.block);
    EXPECT_EQ(draw::ArcSweepOf(Last()), c.sign * std::numbers::pi_v<long double>);  // snapped: exactly a half
    // (12, 0) lies on the ray through the end, at the end of the sweep.
    ExpectDistances(Last(), {c.above, c.below, {{5, 0}, 5}, {{-2, 0}, 2}, {{12, 0}, 2}});
  }
}

TEST_F(PathGeometry, LongArcByNegativeRadiusGoesRoundTheFarSide) {
  // Chord (0, 0) to (10, 0), radius 10: the short counter-clockwise arc
  // turns about (5, 8.66) and dips to y = -1.34; the long one about
  // (5, -8.66) down to y = -18.66.
  const double h = 10 * std::sqrt(3.0) / 2;
  Run({"G01 X0 Y0 F100", "G03 X10 Y0 U10"});
  ExpectDistances(Last(), {{{5, -3}, 3 - (10 - h)}, {{5, 20}, std::sqrt(25.0 + 400.0)}});
  StartRun();
  Run({"G01 X0 Y0 F100", "G03 X10 Y0 U-10"});
  ExpectDistances(Last(), {{{5, -20}, 20 - (10 + h)},
                           {{5, 5}, std::sqrt(50.0)},  // in the gap above the chord: an end point
                           {{-5, -h}, 0}});
}

TEST_F(PathGeometry, FullCircleRunsAllTheWayRoundInBothSenses) {
  for (const char* block : {"G02 X10 Y0 I0 J0", "G03 X10 Y0 I0 J0"}) {
    StartRun();
    Run({"G01 X10 Y0 F100", block});
    SCOPED_TRACE(block);
    const draw::PathSegment circle = *draw::SegmentOf(Last());
    EXPECT_NEAR(std::fabs(circle.sweep), 2 * kPi, 2e-6);
    // The end turned back by 1e-6 rad: 1e-5 mm of the circle is missing.
    const double diagonal = 10 / std::sqrt(2.0);
    ExpectDistances(Last(), {{{0, 13}, 3}, {{-13, 0}, 3}, {{0, -7}, 3}, {{diagonal, -diagonal}, 0}});
    EXPECT_NEAR(draw::DistanceTo(circle, {10, 0}), 0, 1e-5);
    const draw::PathBox box = draw::BoundsOf(circle);
    EXPECT_NEAR(box.minX, -10, 1e-12);
    EXPECT_NEAR(box.maxY, 10, 1e-12);
    EXPECT_NEAR(box.minY, -10, 1e-12);
  }
}

}  // namespace
