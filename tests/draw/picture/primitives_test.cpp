#include "draw/picture/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "draw/picture/surface.h"

namespace {

using draw::Raster;

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

int PaintedPixels(const Raster& raster) {
  int painted = 0;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) painted += raster.Pixel(x, y) != draw::kNavy;
  }
  return painted;
}

data::BlockRecord EndAt(long double x, long double y) { return {.endX = x, .endY = y, .mFlags = {}}; }

data::BlockRecord ArcAbout(long double cx, long double cy, long double radius, long double startAngle) {
  return {.startX = cx + radius * std::cos(startAngle), .startY = cy + radius * std::sin(startAngle),
          .centreX = cx, .centreY = cy, .radius = radius, .mFlags = {}};
}

class PrimitivesTest : public ::testing::Test {
 protected:
  PrimitivesTest() { draw::ClearPicture(raster); }

  bool PenAt(std::int64_t x, std::int64_t y) const {
    return raster.penPosition().x == x && raster.penPosition().y == y;
  }

  Raster raster;
  // A work area of the picture's own size: one pixel per unit, so pixel
  // (x, y) is the point (x, 357 - y).
  draw::DrawTarget unit{raster, 448, 357};
  draw::DrawTarget defaults{raster, 400, 300};
};

TEST_F(PrimitivesTest, ScaleFitsTheWorkAreaIntoThePicture) {
  EXPECT_EQ(draw::PixelScale(raster, 400, 300), 448.0L / 400.0L);
  EXPECT_EQ(draw::PixelScale(raster, 100, 200), 357.0L / 200.0L);  // twice as high as wide
}

TEST_F(PrimitivesTest, WorkAreaWithoutLengthDrawsNothingAndKeepsThePen) {
  const long double inf = std::numeric_limits<long double>::infinity();
  for (auto [wx, wy] : {std::pair{0.0L, 300.0L}, {400.0L, -1.0L}, {kNaN, 300.0L}, {400.0L, inf}}) {
    EXPECT_EQ(draw::PixelScale(raster, wx, wy), 0.0L);
    const draw::DrawTarget target{raster, wx, wy};
    raster.MoveTo(10, 10);
    draw::FeedMove(EndAt(100, 100), target);
    draw::RapidMove(EndAt(50, 50), target);
    draw::DrawArc(ArcAbout(100, 100, 20, 0), kPi, target);
    EXPECT_TRUE(PenAt(10, 10));
  }
  EXPECT_EQ(PaintedPixels(raster), 0);
}

TEST_F(PrimitivesTest, StraightMovesRoundHalvesToEven) {
  draw::RapidMove(EndAt(2.5L, 0.5L), unit);  // pixel (2.5, 356.5)
  EXPECT_TRUE(PenAt(2, 356));
  draw::RapidMove(EndAt(3.5L, 1.5L), unit);  // pixel (3.5, 355.5)
  EXPECT_TRUE(PenAt(4, 356));
  draw::RapidMove(EndAt(-2.5L, 0.75L), unit);
  EXPECT_TRUE(PenAt(-2, 356));
}

TEST_F(PrimitivesTest, RapidLeavesNoTraceAndTheFeedStartsAtItsEnd) {
  draw::RapidMove(EndAt(100, 257), unit);
  EXPECT_EQ(PaintedPixels(raster), 0);
  draw::FeedMove(EndAt(110, 257), unit);
  EXPECT_TRUE(PenAt(110, 100));
  EXPECT_EQ(PaintedPixels(raster), 11);  // both ends included
  EXPECT_EQ(raster.Pixel(100, 100), draw::kYellow);
  EXPECT_EQ(raster.Pixel(110, 100), draw::kYellow);
}

TEST_F(PrimitivesTest, FeedToTheSamePointPaintsOnePixel) {
  draw::RapidMove(EndAt(20, 300), unit);
  draw::FeedMove(EndAt(20, 300), unit);
  EXPECT_EQ(PaintedPixels(raster), 1);
  EXPECT_EQ(raster.Pixel(20, 57), draw::kYellow);
}

TEST_F(PrimitivesTest, PenPositionSurvivesClearing) {
  draw::RapidMove(EndAt(10, 347), unit);
  raster.SetPenColour(draw::kRed);
  draw::FeedMove(EndAt(20, 347), unit);
  draw::ClearPicture(raster);
  EXPECT_EQ(PaintedPixels(raster), 0);
  EXPECT_EQ(raster.penColour(), draw::kYellow);
  draw::FeedMove(EndAt(20, 337), unit);
  EXPECT_EQ(raster.Pixel(20, 10), draw::kYellow);  // the line starts at the old pen position
  EXPECT_EQ(PaintedPixels(raster), 11);
}

TEST_F(PrimitivesTest, ArcPointsAreTruncatedNotRounded) {
  // Sweep 0: all 101 points are the start point, pixel (5.75, 3.75).
  data::BlockRecord block = ArcAbout(3.75L, 353.25L, 2, 0);
  raster.MoveTo(0, 0);
  draw::DrawArc(block, 0, unit);
  EXPECT_TRUE(PenAt(5, 3));
  EXPECT_EQ(PaintedPixels(raster), 5);  // the line (0,0) -> (5,3) without its end
  EXPECT_EQ(raster.Pixel(5, 3), draw::kNavy);
}

TEST_F(PrimitivesTest, ArcWithoutRadiusDrawsNothingButSetsSolidCopyPen) {
  raster.SetPenStyle(draw::PenStyle::Dash);
  raster.SetPenMode(draw::PenMode::Xor);
  raster.MoveTo(30, 40);
  for (long double radius : {0.0L, -5.0L, kNaN}) {
    data::BlockRecord block = ArcAbout(100, 100, 10, 0);
    block.radius = radius;
    draw::DrawArc(block, kPi, defaults);
  }
  EXPECT_TRUE(PenAt(30, 40));
  EXPECT_EQ(PaintedPixels(raster), 0);
  EXPECT_EQ(raster.penStyle(), draw::PenStyle::Solid);
  EXPECT_EQ(raster.penMode(), draw::PenMode::Copy);
}

// Sweeps of almost a full turn either way close the circle: the pen ends
// next to where it started, and the top, left and bottom are reached.
TEST_F(PrimitivesTest, NearlyFullSweepClosesTheCircle) {
  for (long double sweep : {2 * kPi - 1e-6L, -(2 * kPi - 1e-6L)}) {
    draw::ClearPicture(raster);
    draw::RapidMove(EndAt(250, 150), defaults);
    const auto start = raster.penPosition();
    draw::DrawArc(ArcAbout(200, 150, 50, 0), sweep, defaults);
    EXPECT_LE(std::abs(raster.penPosition().x - start.x), 1);
    EXPECT_LE(std::abs(raster.penPosition().y - start.y), 1);
    // Centre pixel (224, 189), radius 56 pixels.
    for (auto [x, y] : {std::pair{224, 133}, {168, 189}, {224, 245}}) {
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) near = near || raster.Pixel(x + dx, y + dy) == draw::kYellow;
      }
      EXPECT_TRUE(near) << x << "," << y;
    }
  }
}

// The points carried by rotation agree with cos and sin of a0 + i d taken
// point by point.
TEST_F(PrimitivesTest, ArcPointsFollowTheDirectFormula) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> centre(-50, 450), radius(0.1, 300), angle(-7, 7);
  for (int n = 0; n < 100; ++n) {
    const data::BlockRecord block = ArcAbout(centre(random), centre(random), radius(random), angle(random));
    const long double sweep = angle(random);
    Raster drawn, expected;
    draw::DrawArc(block, sweep, {drawn, 400, 300});
    const long double a0 = std::atan2(block.startY - block.centreY, block.startX - block.centreX);
    for (int i = 0; i <= 100; ++i) {
      const long double a = a0 + i * (sweep / 100);
      long double x = block.centreX + block.radius * std::cos(a);
      long double y = block.centreY + block.radius * std::sin(a);
      draw::ToPixel(x, y, 1.12L, 357);
      expected.LineTo(static_cast<std::int64_t>(x), static_cast<std::int64_t>(y));
    }
    ASSERT_EQ(drawn.pixels(), expected.pixels()) << "arc " << n;
    ASSERT_EQ(drawn.penPosition().x, expected.penPosition().x);
    ASSERT_EQ(drawn.penPosition().y, expected.penPosition().y);
  }
}

TEST_F(PrimitivesTest, FarPointsAreClippedAndKeepTheirDirection) {
  draw::RapidMove(EndAt(0, 57), unit);  // pixel (0, 300)
  draw::FeedMove(EndAt(999999999999.0L, 57), unit);
  EXPECT_EQ(raster.Pixel(447, 300), draw::kYellow);
  EXPECT_TRUE(PenAt(999999999999, 300));

  // Towards (1e300, 1e299) the line rises one pixel in ten.
  draw::ClearPicture(raster);
  draw::RapidMove(EndAt(0, 57), unit);
  draw::FeedMove(EndAt(1e300L, 57 + 1e299L), unit);
  EXPECT_EQ(raster.Pixel(100, 290), draw::kYellow);
  EXPECT_EQ(raster.Pixel(440, 256), draw::kYellow);
  EXPECT_EQ(PaintedPixels(raster), 448);

  draw::DrawArc(ArcAbout(0, 0, 1e300L, 1), kPi, unit);
  draw::DrawArc(ArcAbout(1e4000L, 0, 1e4000L, 1), kPi, unit);
}

TEST_F(PrimitivesTest, PointsThatAreNotFiniteAreLeftOut) {
  const long double inf = std::numeric_limits<long double>::infinity();
  draw::RapidMove(EndAt(10, 10), unit);
  draw::FeedMove(EndAt(kNaN, 10), unit);
  draw::RapidMove(EndAt(10, inf), unit);
  draw::FeedMove(EndAt(-inf, 10), unit);
  EXPECT_TRUE(PenAt(10, 347));
  EXPECT_EQ(PaintedPixels(raster), 0);
  draw::DrawArc(ArcAbout(100, 100, 10, 0), kNaN, unit);  // only the start point is finite
  EXPECT_TRUE(PenAt(110, 257));
}

}  // namespace
