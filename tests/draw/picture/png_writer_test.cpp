#include "draw/picture/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/png_pixels.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Encodes the raster, reads it back with libpng and compares every pixel.
void ExpectRoundTrip(const draw::Raster& raster) {
  const Bytes png = draw::EncodePng(raster);
  const auto decoded = testing_support::DecodePng(png);
  ASSERT_TRUE(decoded.has_value()) << "libpng cannot read the encoded bytes";
  EXPECT_EQ(decoded->fileFormat, static_cast<std::uint32_t>(PNG_FORMAT_RGB));  // 8-bit RGB, no alpha, no palette
  ASSERT_EQ(decoded->width, raster.width());
  ASSERT_EQ(decoded->height, raster.height());
  int differing = 0;
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(raster.width()) + x) * 3;
      const draw::Rgb actual{decoded->rgb[at], decoded->rgb[at + 1], decoded->rgb[at + 2]};
      if (actual == raster.Pixel(x, y)) continue;
      if (++differing == 1) ADD_FAILURE() << "first differing pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(differing, 0);
}

// Distinct channels that change along the row or column, so that swapped
// channels, a wrong row length or a lost row show.
draw::Rgb Gradient(int i) {
  return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)};
}

// Whole drawn pictures are compared by their pixels in the golden cases
// (draw_circles, draw_zero_points, ...).
TEST(PngWriterTest, SmallestAndThinnestPicturesDecodeToTheirPixels) {
  draw::Raster single(1, 1);
  single.SetPixel(0, 0, {1, 2, 3});
  ExpectRoundTrip(single);

  draw::Raster row(300, 1);
  for (int x = 0; x < 300; ++x) row.SetPixel(x, 0, Gradient(x));
  ExpectRoundTrip(row);

  draw::Raster column(1, 300);
  for (int y = 0; y < 300; ++y) column.SetPixel(0, y, Gradient(y));
  ExpectRoundTrip(column);
}

TEST(PngWriterTest, PictureWithoutPixelsHasNoPng) {
  EXPECT_TRUE(draw::EncodePng(draw::Raster(0, 10)).empty());
  EXPECT_TRUE(draw::EncodePng(draw::Raster(10, 0)).empty());
  EXPECT_TRUE(draw::EncodePng(draw::Raster(0, 0)).empty());
}

TEST(PngWriterTest, WritesTheEncodedBytesOrReportsFailure) {
  testing_support::TempDir dir;
  draw::Raster raster(5, 3);
  raster.SetPixel(4, 2, draw::kRed);
  const std::string path = dir.File("picture.png");
  dir.Write("picture.png", std::string(100000, 'x'));  // an older, longer file is replaced whole
  ASSERT_TRUE(draw::WritePng(raster, path));
  std::ifstream file(path, std::ios::binary);
  const Bytes written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written, draw::EncodePng(raster));

  EXPECT_FALSE(draw::WritePng(raster, dir.File("missing/picture.png")));
  EXPECT_FALSE(draw::WritePng(draw::Raster(0, 10), path));
  EXPECT_EQ(dir.Read("picture.png"), std::string(written.begin(), written.end()));  // left as it was
}

}  // namespace
