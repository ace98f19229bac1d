#include "geometry/arc_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "support/message_setup.h"

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kRadiusTolerance = 3.0L;  // the settings' default

testing::AssertionResult Near(long double actual, long double expected, long double tolerance) {
  if (std::fabs(actual - expected) <= tolerance) return testing::AssertionSuccess();
  return testing::AssertionFailure() << std::setprecision(21) << actual << " is not within " << tolerance << " of "
                                     << expected;
}

class ArcGeometryTest : public ::testing::Test, protected testing_support::MessageSetup {
 protected:
  static data::BlockRecord Arc(long double sx, long double sy, long double ex, long double ey, long double radius,
                               std::uint8_t motion, std::uint8_t span = 2) {
    return {.startX = sx, .startY = sy, .endX = ex, .endY = ey, .radius = radius, .mFlags = {}, .motion = motion,
            .arcSpan = span};
  }

  std::vector<std::string> Shown() const { return testing_support::ShownTexts(dialogs); }
};

// The axes exactly (the zero vector points up), the quadrants within 1e-18.
TEST_F(ArcGeometryTest, VectorAngleCoversAxesAndQuadrants) {
  const struct {
    long double x, y, angle, tolerance;
  } cases[] = {{0, 0, kPi / 2, 0},          {0, -1, 3 * kPi / 2, 0},       {1, 0, 0, 0},
               {-1, 0, kPi, 0},             {1, -1, 7 * kPi / 4, 1e-18L}, {-1, -1, 5 * kPi / 4, 1e-18L},
               {-1, 1, 3 * kPi / 4, 1e-18L}};
  for (const auto& c : cases) {
    EXPECT_TRUE(Near(geometry::VectorAngle(c.x, c.y), c.angle, c.tolerance)) << c.x << ", " << c.y;
  }
}

TEST_F(ArcGeometryTest, SweepSnapsToHalfTurnWithinTolerance) {
  const auto sweepTo = [](long double angle) { return geometry::SweepAngle(1, 0, std::cos(angle), std::sin(angle)); };
  EXPECT_EQ(sweepTo(kPi + 5e-7L), kPi);
  EXPECT_EQ(sweepTo(kPi - 5e-7L), kPi);
  EXPECT_TRUE(Near(sweepTo(kPi + 2e-6L), kPi + 2e-6L, 1e-15L));
  // Backwards differences wrap into [0, 2 pi).
  EXPECT_TRUE(Near(geometry::SweepAngle(0, 1, 1, 0), 3 * kPi / 2, 1e-18L));
}

// A chord of 10: with radius 5 the centre sits on it and the sweep is a
// signed half turn; with radius 10 it sits 8.66 off the chord, on the side
// given by the direction and the span, and the sweep is 60 or 300 degrees.
TEST_F(ArcGeometryTest, CentreSideFollowsDirectionAndSpan) {
  const long double h = 5 * std::sqrt(3.0L);
  struct Case {
    std::uint8_t motion, span;
    long double radius, centreY, sweep;
  };
  const Case cases[] = {{data::kClockwise, 2, 5, 0, -kPi},
                        {data::kCounterClockwise, 2, 5, 0, kPi},
                        {data::kCounterClockwise, 2, 10, h, kPi / 3},
                        {data::kCounterClockwise, 1, 10, -h, 5 * kPi / 3},
                        {data::kClockwise, 2, 10, -h, -kPi / 3},
                        {data::kClockwise, 1, 10, h, -5 * kPi / 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "motion " << int{c.motion} << " span " << int{c.span} << " radius "
                                    << static_cast<double>(c.radius));
    auto block = Arc(0, 0, 10, 0, c.radius, c.motion, c.span);
    long double sweep = 0;
    ASSERT_TRUE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
    EXPECT_TRUE(Near(block.centreX, 5.0L, 1e-17L));
    EXPECT_TRUE(Near(block.centreY, c.centreY, 1e-17L));
    EXPECT_TRUE(Near(sweep, c.sweep, 1e-17L));
    if (c.radius == 10) {
      EXPECT_EQ(geometry::ArcSpanOf(block), c.span);
    }
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ArcGeometryTest, ShortRadiusWithinToleranceIsEnlargedSilently) {
  for (long double radius : {4.0L, 2.0L}) {  // 2.0 falls short by exactly the tolerance
    auto block = Arc(0, 0, 10, 0, radius, data::kCounterClockwise);
    long double sweep = 0;
    ASSERT_TRUE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
    EXPECT_EQ(block.radius, 5.0L);
    EXPECT_EQ(block.centreX, 5.0L);
    EXPECT_EQ(block.centreY, 0.0L);
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(messages.errorFlag());
}

// One faulty arc, one message box: the missing centre is not said as well.
TEST_F(ArcGeometryTest, RadiusShortBeyondToleranceShowsOneMessage) {
  auto block = Arc(0, 0, 10, 0, 1.9L, data::kClockwise);
  long double sweep = 0;
  EXPECT_FALSE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
  EXPECT_EQ(Shown(), std::vector<std::string>{"Radius zu klein!"});
  EXPECT_EQ(dialogs.messages[0].number, "Direkt");
  EXPECT_TRUE(messages.errorFlag());
  EXPECT_EQ(block.radius, 1.9L);
}

TEST_F(ArcGeometryTest, ChordOfLengthZeroCannotPlaceCentre) {
  auto block = Arc(3, 4, 3, 4, 5, data::kCounterClockwise);
  long double sweep = 0;
  EXPECT_FALSE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
  EXPECT_EQ(Shown(), std::vector<std::string>{"Kreismittelpunkt kann nicht berechnet werden!"});
  EXPECT_TRUE(messages.errorFlag());
}

// A chord that is not zero but whose square underflows (the smallest
// normal value) or overflows, or whose ratio to the radius overflows, places
// no centre either: the centre would be NaN. Found by fuzzing the compensation, which
// turns every straight move into an arc of a huge radius.
TEST_F(ArcGeometryTest, ChordWhoseSquareIsNoNumberCannotPlaceCentre) {
  for (const long double dx : {std::numeric_limits<long double>::min(), 1e-2470L, 1e2470L}) {
    SCOPED_TRACE(static_cast<double>(dx));
    dialogs.messages.clear();
    auto block = Arc(0, 4, dx, 4, 1'000'000.0L, data::kCounterClockwise);
    long double sweep = 0;
    EXPECT_FALSE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
    EXPECT_EQ(Shown(), std::vector<std::string>{"Kreismittelpunkt kann nicht berechnet werden!"});
  }
  // Just long enough: a centre, and a finite one.
  auto block = Arc(0, 4, 1e-2000L, 4, 5, data::kCounterClockwise);
  long double sweep = 0;
  dialogs.messages.clear();
  ASSERT_TRUE(geometry::ArcCentreFromRadius(block, sweep, kRadiusTolerance, messages));
  EXPECT_TRUE(std::isfinite(block.centreX) && std::isfinite(block.centreY));
}

// Radius, span and signed sweep of arcs about the origin given by centre.
TEST_F(ArcGeometryTest, ArcFromCentreGivesRadiusSpanAndSweep) {
  struct Case {
    long double sx, sy, ex, ey;
    std::uint8_t motion;
    long double radius, sweep;
    int span;
  };
  const Case cases[] = {{5, 0, 0, 4, data::kCounterClockwise, 4, kPi / 2, 2},  // the radius is the end distance
                        {10, 0, 0, -10, data::kClockwise, 10, -kPi / 2, 2},
                        {10, 0, 0, -10, data::kCounterClockwise, 10, 3 * kPi / 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "motion " << int{c.motion} << " radius " << static_cast<double>(c.radius));
    auto block = Arc(c.sx, c.sy, c.ex, c.ey, 0, c.motion, 0);
    long double sweep = 0;
    ASSERT_TRUE(geometry::ArcFromCentre(block, sweep, messages));
    EXPECT_EQ(block.radius, c.radius);
    EXPECT_TRUE(Near(sweep, c.sweep, 1e-18L));
    EXPECT_EQ(block.arcSpan, c.span);
    EXPECT_EQ(geometry::ArcSpanOf(block), c.span);
  }
}

// Around a half circle: exactly half and within the snapping tolerance of
// it count as up to a half circle, beyond it as more; both senses.
TEST_F(ArcGeometryTest, SpanAtAndAroundTheHalfCircle) {
  struct Case {
    long double beyondHalf;  // radians past a half turn in the arc's sense
    int span;
  };
  const Case cases[] = {{0.0L, 2}, {5e-7L, 2}, {-5e-7L, 2}, {2e-6L, 1},   {-2e-6L, 2},
                        {1e-3L, 1}, {0.3L, 1},  {-0.3L, 2},  {3.0L, 1},    {-3.0L, 2}};
  for (const Case& c : cases) {
    for (std::uint8_t motion : {data::kCounterClockwise, data::kClockwise}) {
      SCOPED_TRACE(testing::Message() << "beyond " << static_cast<double>(c.beyondHalf) << " motion " << int{motion});
      const long double turn = motion == data::kCounterClockwise ? kPi + c.beyondHalf : -(kPi + c.beyondHalf);
      auto block = Arc(10, 0, 10 * std::cos(turn), 10 * std::sin(turn), 10, motion);
      block.centreX = block.centreY = 0;
      EXPECT_EQ(geometry::ArcSpanOf(block), c.span);
    }
  }
}

TEST_F(ArcGeometryTest, EndOnCentreOrUndefinedIsRefusedWithZeroRadius) {
  for (long double endX : {0.0L, std::numeric_limits<long double>::quiet_NaN()}) {
    auto block = Arc(10, 0, endX, 0, 7, data::kCounterClockwise);
    long double sweep = 0;
    EXPECT_FALSE(geometry::ArcFromCentre(block, sweep, messages));
    EXPECT_EQ(block.radius, 0.0L);
  }
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Radius zu klein", "Radius zu klein"}));
  EXPECT_TRUE(messages.errorFlag());
}

}  // namespace
