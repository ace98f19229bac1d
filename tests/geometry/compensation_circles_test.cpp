// The circle work of the radius compensation at its tolerances: the
// smallest arc left after moving it sideways, and the common points of two
// circles.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "data/block_record.h"
#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"
#include "support/message_setup.h"

namespace {

data::BlockRecord Circle(long double cx, long double cy, long double radius, long double endX = 0,
                         long double endY = 0) {
  return {.endX = endX, .endY = endY, .centreX = cx, .centreY = cy, .radius = radius, .mFlags = {}};
}

struct OffsetCase {
  const char* name;
  friend void PrintTo(const OffsetCase& c, std::ostream* os) { *os << c.name; }
  std::uint8_t motion;
  bool left;
  long double radius, tool;
  long double moved;  // negative: refused
};

// Which side grows and which shrinks the passes over line-arc-line contours
// show; here the smallest radius an arc may keep.
class OffsetElementTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetElementTest, LeavesAtLeastTheTolerance) {
  const OffsetCase& c = GetParam();
  testing_support::MessageSetup setup;
  data::BlockRecord arc = Circle(0, 0, c.radius);
  arc.motion = c.motion;
  const bool ok = geometry::OffsetElement(arc, c.left, c.tool, setup.messages);
  if (c.moved < 0) {
    EXPECT_FALSE(ok);
    ASSERT_EQ(setup.dialogs.messages.size(), 1u);
    EXPECT_EQ(setup.dialogs.messages[0].description, geometry::kToolRadiusTooLarge);
    EXPECT_TRUE(setup.messages.errorFlag());
  } else {
    EXPECT_TRUE(ok);
    EXPECT_EQ(arc.radius, c.moved);
    EXPECT_TRUE(setup.dialogs.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OffsetElementTest,
    ::testing::Values(OffsetCase{"LeavesLessThanTolerance", data::kCounterClockwise, true, 3, 3 - 5e-7L, -1},
                      OffsetCase{"LeavesExactlyTheTolerance", data::kCounterClockwise, true,
                                 2 * geometry::kSnapTolerance, geometry::kSnapTolerance, geometry::kSnapTolerance}),
    [](const auto& test) { return std::string(test.param.name); });

struct IntersectionCase {
  const char* name;
  friend void PrintTo(const IntersectionCase& c, std::ostream* os) { *os << c.name; }
  data::BlockRecord a, b;
  int code;
  long double x, y;
};

class CircleIntersectionTest : public ::testing::TestWithParam<IntersectionCase> {};

TEST_P(CircleIntersectionTest, GivesThePointNearestToSecondEnd) {
  const IntersectionCase& c = GetParam();
  geometry::PlanePoint p{-99, -99};
  EXPECT_EQ(geometry::CircleIntersection(c.a, c.b, p), c.code);
  if (c.code == 0) return;
  EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(c.x), 1e-12);
  EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(c.y), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CircleIntersectionTest,
    ::testing::Values(
        // Radii 5 and 5, centres 6 apart: common points (3, 4) and (3, -4).
        IntersectionCase{"TwoPointsNearerToEnd", Circle(0, 0, 5), Circle(6, 0, 5, 6, 5), 2, 3, 4},
        IntersectionCase{"TwoPointsOtherEnd", Circle(0, 0, 5), Circle(6, 0, 5, 6, -5), 2, 3, -4},
        IntersectionCase{"EquallyNearGivesFirst", Circle(0, 0, 5), Circle(6, 0, 5, 11, 0), 2, 3, -4},
        // Touching circles give the second circle's point towards its end.
        IntersectionCase{"TouchingOutside", Circle(0, 0, 3), Circle(5, 0, 2, 5, 7), 1, 5, 2},
        IntersectionCase{"TouchingWithinTolerance", Circle(0, 0, 3), Circle(5, 0, 2 - 9e-7L, 5, 7), 1, 5,
                         2 - 9e-7L},
        IntersectionCase{"TouchingInside", Circle(0, 0, 5), Circle(2, 0, 3, 2, -9), 1, 2, -3},
        IntersectionCase{"SameCircle", Circle(1, 1, 4), Circle(1, 1, 4, 1, 9), 1, 1, 5},
        IntersectionCase{"Apart", Circle(0, 0, 1), Circle(5, 0, 1), 0, 0, 0},
        IntersectionCase{"OneInsideOther", Circle(0, 0, 5), Circle(1, 0, 1), 0, 0, 0},
        IntersectionCase{"ConcentricDifferent", Circle(0, 0, 5), Circle(0, 0, 4), 0, 0, 0}),
    [](const auto& test) { return std::string(test.param.name); });

// Overlapping by 2e-6, just beyond the tolerance: two points, 0.0044 apart.
TEST(CircleIntersection, OverlapBeyondToleranceGivesTwoPoints) {
  geometry::PlanePoint p;
  EXPECT_EQ(geometry::CircleIntersection(Circle(0, 0, 3), Circle(5, 0, 2 + 2e-6L, 5, 7), p), 2);
  // The half chord is sqrt(2 * 1.2 * 2e-6) for radii 3 and 2.
  EXPECT_NEAR(static_cast<double>(p.x), 3.0, 1e-5);
  EXPECT_NEAR(static_cast<double>(p.y), std::sqrt(4.8e-6), 1e-5);
}

}  // namespace
