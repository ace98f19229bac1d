#include "draw/picture/raster.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using draw::Raster;

// The picture as text: '#' for a pixel that is not navy.
std::vector<std::string> Picture(const Raster& raster) {
  std::vector<std::string> rows;
  for (int y = 0; y < raster.height(); ++y) {
    std::string row;
    for (int x = 0; x < raster.width(); ++x) row += raster.Pixel(x, y) == draw::kNavy ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

void Line(Raster& raster, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  raster.MoveTo(x0, y0);
  raster.LineTo(x1, y1);
}

TEST(RasterTest, LineRoundsToNearestPixelAndLeavesItsEndPixel) {
  Raster forward(8, 4);
  Line(forward, 0, 0, 7, 2);
  EXPECT_EQ(Picture(forward), (std::vector<std::string>{"##......", "..####..", "......#.", "........"}));
  EXPECT_EQ(forward.penPosition().x, 7);
  EXPECT_EQ(forward.penPosition().y, 2);

  Raster backward(8, 4);
  Line(backward, 7, 2, 0, 0);
  EXPECT_EQ(Picture(backward), (std::vector<std::string>{".#......", "..####..", "......##", "........"}));
}

// Every direction from the middle: max(|dx|, |dy|) pixels, the start
// painted, the end not, each within half a pixel of the exact line across
// the major axis.
TEST(RasterTest, LinesInAllOctantsStepAlongTheMajorAxis) {
  for (int dx = -5; dx <= 5; ++dx) {
    for (int dy = -5; dy <= 5; ++dy) {
      if (dx == 0 && dy == 0) continue;
      SCOPED_TRACE(testing::Message() << "to " << dx << "," << dy);
      Raster raster(11, 11);
      Line(raster, 5, 5, 5 + dx, 5 + dy);
      const bool xMajor = std::abs(dx) >= std::abs(dy);
      int painted = 0;
      for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
          if (raster.Pixel(x, y) == draw::kNavy) continue;
          ++painted;
          const double along = xMajor ? x - 5 : y - 5;
          const double across = xMajor ? y - 5 : x - 5;
          const double exact = along * (xMajor ? dy : dx) / (xMajor ? dx : dy);
          EXPECT_LE(std::fabs(across - exact), 0.5) << x << "," << y;
        }
      }
      EXPECT_EQ(painted, std::max(std::abs(dx), std::abs(dy)));
      EXPECT_EQ(raster.Pixel(5, 5), draw::kYellow);
      EXPECT_EQ(raster.Pixel(5 + dx, 5 + dy), draw::kNavy);
    }
  }
}

TEST(RasterTest, LineToItsOwnPointPaintsNothing) {
  Raster raster(8, 6);
  Line(raster, 3, 3, 3, 3);
  EXPECT_EQ(Picture(raster), Picture(Raster(8, 6)));
}

// A clipped line paints exactly the pixels that the whole line paints
// inside the picture, dashes included: drawn once on the small picture
// and once on a large one that holds both ends.
TEST(RasterTest, ClippedLinesMatchTheUnclippedLine) {
  constexpr int kMargin = 40;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-30, 38);
  for (int n = 0; n < 3000; ++n) {
    const int x0 = coordinate(random), y0 = coordinate(random), x1 = coordinate(random), y1 = coordinate(random);
    const auto style = n % 3 == 0 ? draw::PenStyle::Dash : draw::PenStyle::Solid;
    Raster small(8, 6), large(8 + 2 * kMargin, 6 + 2 * kMargin);
    small.SetPenStyle(style);
    large.SetPenStyle(style);
    Line(small, x0, y0, x1, y1);
    Line(large, x0 + kMargin, y0 + kMargin, x1 + kMargin, y1 + kMargin);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + kMargin, y + kMargin))
            << "line " << x0 << "," << y0 << " -> " << x1 << "," << y1 << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterTest, FarLinesCostOnlyTheirVisiblePixels) {
  const auto start = std::chrono::steady_clock::now();
  Raster raster(8, 6);
  Line(raster, 2, 2, 1'000'000'000'000'000, 3);
  EXPECT_EQ(Picture(raster)[2], "..######");
  EXPECT_EQ(raster.penPosition().x, 1'000'000'000'000'000);
  EXPECT_EQ(raster.penPosition().y, 3);

  // Corner to corner of the int64 plane: the visible part is the diagonal.
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  Raster diagonal(8, 6);
  Line(diagonal, kMin, kMin, kMax, kMax);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(diagonal.Pixel(i, i), draw::kYellow) << i;
  Line(diagonal, kMax, kMin, kMax, kMax);  // wholly right of the picture
  Line(diagonal, kMin, kMax, kMax, kMax);  // wholly below
  EXPECT_EQ(Picture(diagonal)[0], "#.......");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(RasterTest, SinglePixelsAndRectanglesAreClipped) {
  Raster raster(8, 6);
  raster.SetPixel(-1, 0, draw::kRed);
  raster.SetPixel(8, 5, draw::kRed);
  raster.SetPixel(7, 5, draw::kRed);
  EXPECT_EQ(raster.Pixel(7, 5), draw::kRed);
  EXPECT_EQ(raster.Pixel(8, 5), draw::Rgb{});

  raster.SetBrushColour(draw::kYellow);
  raster.FillRect(-5, 4, 3, 100);  // right and bottom exclusive
  raster.FillRect(6, 0, 2, 3);     // inverted: nothing
  EXPECT_EQ(Picture(raster), (std::vector<std::string>{"........", "........", "........", "........", "###.....",
                                                       "###....#"}));
}

TEST(RasterTest, XorLineDrawnTwiceRestoresThePicture) {
  Raster raster(8, 6);
  raster.SetPenMode(draw::PenMode::Xor);
  Line(raster, 0, 0, 7, 5);
  EXPECT_EQ(raster.Pixel(0, 0), (draw::Rgb{255, 255, 128}));
  Line(raster, 0, 0, 7, 5);
  EXPECT_EQ(Picture(raster), Picture(Raster(8, 6)));
}

}  // namespace
