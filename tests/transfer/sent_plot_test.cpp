#include "transfer/sent_plot.h"

#include <gtest/gtest.h>

#include "draw/picture/picture_listener.h"
#include "draw/picture/surface.h"
#include "support/message_setup.h"

namespace {

class SentPlotTest : public ::testing::Test {
 protected:
  SentPlotTest() {
    draw::ClearPicture(raster);
    raster.SetPenColour(draw::kRed);
  }

  int RedPixels() const { return RedPixelsBelowRow(0); }

  int RedPixelsBelowRow(int row) const {
    int red = 0;
    for (int y = row; y < raster.height(); ++y) {
      for (int x = 0; x < raster.width(); ++x) red += raster.Pixel(x, y) == draw::kRed;
    }
    return red;
  }

  static data::BlockRecord Block(std::uint8_t motion, long double x, long double y) {
    return {.endX = x, .endY = y, .mFlags = {}, .hasX = 1, .hasY = 1, .motion = motion};
  }

  // An arc from (250, 100) about (200, 100) to (x, 100).
  static data::BlockRecord Arc(std::uint8_t motion, long double x) {
    return {.startX = 250, .startY = 100, .endX = x, .endY = 100, .centreX = 200, .centreY = 100, .mFlags = {},
            .hasX = 1, .hasY = 1, .motion = motion};
  }

  // The trace of a sent block, drawn by the picture's listener.
  void Plot(data::BlockRecord& block) { picture.BlockFinished(block, transfer::SentBlockTrace(block, setup.messages)); }
  void Plot(data::BlockRecord&& block) { Plot(block); }

  draw::Raster raster;
  // One pixel per unit: the point (x, y) is pixel (x, 357 - y).
  draw::PictureListener picture{raster, 448, 357};
  testing_support::MessageSetup setup;
};

TEST_F(SentPlotTest, RapidMovesThePenAndFeedDrawsFromThere) {
  Plot(Block(data::kRapid, 10, 57));
  EXPECT_EQ(RedPixels(), 0);
  EXPECT_EQ(raster.penPosition().x, 10);
  EXPECT_EQ(raster.penPosition().y, 300);
  Plot(Block(data::kFeed, 110, 57));
  EXPECT_EQ(RedPixels(), 101);  // pixels 10 to 110 of row 300, both ends
  EXPECT_EQ(raster.Pixel(10, 300), draw::kRed);
  EXPECT_EQ(raster.Pixel(110, 300), draw::kRed);
  EXPECT_EQ(raster.penColour(), draw::kRed);
}

TEST_F(SentPlotTest, BlocksWithoutAxesAndUnknownMotionsDrawNothing) {
  data::BlockRecord still = Block(data::kFeed, 100, 100);
  still.hasX = still.hasY = 0;
  Plot(still);
  Plot(Block(data::kDwell, 100, 100));
  EXPECT_EQ(RedPixels(), 0);
  EXPECT_EQ(raster.penPosition().x, 0);
  EXPECT_EQ(raster.penPosition().y, 0);
}

TEST_F(SentPlotTest, HalfCircleIsDrawnFromItsCentre) {
  Plot(Block(data::kRapid, 250, 100));
  data::BlockRecord arc = Arc(data::kCounterClockwise, 150);
  Plot(arc);
  EXPECT_EQ(arc.radius, 50.0L);
  EXPECT_EQ(arc.arcSpan, 2);  // exactly a half circle
  // The top (200, 150) is pixel (200, 207); truncation may take a pixel off.
  EXPECT_TRUE(raster.Pixel(200, 207) == draw::kRed || raster.Pixel(199, 207) == draw::kRed);
  EXPECT_EQ(RedPixelsBelowRow(258), 0);  // nothing of the lower half
  EXPECT_FALSE(setup.messages.errorFlag());
}

TEST_F(SentPlotTest, ArcEndingOnItsCentreSetsTheErrorFlagAndDrawsNothing) {
  Plot(Arc(data::kClockwise, 200));
  EXPECT_TRUE(setup.messages.errorFlag());
  ASSERT_EQ(setup.dialogs.messages.size(), 1U);
  EXPECT_EQ(setup.dialogs.messages[0].description, "Radius zu klein");
  EXPECT_EQ(RedPixels(), 0);
}

TEST_F(SentPlotTest, ArcsWaitForAClearErrorFlag) {
  setup.messages.ShowWarning("earlier");
  Plot(Arc(data::kClockwise, 150));
  EXPECT_EQ(RedPixels(), 0);
  Plot(Block(data::kFeed, 20, 20));  // straight moves are drawn regardless
  EXPECT_GT(RedPixels(), 0);
}

}  // namespace
