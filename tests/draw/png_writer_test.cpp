#include "draw/png_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "draw/checksums.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian32(const Bytes& b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

// Bitwise CRC-32, independent of the writer's table.
std::uint32_t SlowCrc(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

struct Chunk {
  std::string type;
  Bytes data;
};

// Splits a PNG file into its chunks, checking each CRC on the way.
std::vector<Chunk> Chunks(const Bytes& png) {
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian32(png, at);
    const auto begin = png.begin() + static_cast<std::ptrdiff_t>(at);
    Chunk chunk{std::string(begin + 4, begin + 8), Bytes(begin + 8, begin + 8 + length)};
    EXPECT_EQ(BigEndian32(png, at + 8 + length), SlowCrc(png.data() + at + 4, length + 4)) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  return chunks;
}

TEST(ChecksumTest, KnownValues) {
  const std::string_view digits = "123456789";
  const auto* d = reinterpret_cast<const std::uint8_t*>(digits.data());
  EXPECT_EQ(draw::Crc32(d, digits.size()), 0xCBF43926u);
  EXPECT_EQ(draw::Crc32(d + 4, 5, draw::Crc32(d, 4)), 0xCBF43926u);
  const std::string_view word = "Wikipedia";
  EXPECT_EQ(draw::Adler32(reinterpret_cast<const std::uint8_t*>(word.data()), word.size()), 0x11E60398u);
  const Bytes ones(100000, 0xFF);  // long enough for the sums to need reducing
  EXPECT_EQ(draw::Adler32(ones.data(), ones.size()), 0x149A302Cu);
}

TEST(PngWriterTest, FileHasSignatureHeaderDataAndEnd) {
  const draw::Raster raster;
  const Bytes png = draw::EncodePng(raster);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  const std::vector<Chunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 1, 192, 0, 0, 1, 101, 8, 2, 0, 0, 0}));  // 448 x 357, 8-bit RGB
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());
}

// Rows of one colour compress to almost nothing; Qt's decoder checks the
// pixels (tests/ui).
TEST(PngWriterTest, DrawnPictureStaysSmall) {
  draw::Raster drawn;
  for (int i = 0; i < 40; ++i) {
    drawn.MoveTo(i * 11, 0);
    drawn.LineTo(447 - i * 7, 356);
  }
  const Bytes png = draw::EncodePng(drawn);
  EXPECT_LT(png.size(), 20000u);
  const std::vector<Chunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  const Bytes& zlib = chunks[1].data;
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);  // zlib header check bits
  EXPECT_EQ(zlib[2] & 0x7, 0x3);                  // one final block of fixed codes
}

TEST(PngWriterTest, WritesTheEncodedBytesOrReportsFailure) {
  testing_support::TempDir dir;
  const draw::Raster raster(5, 3);
  const std::string path = dir.File("picture.png");
  ASSERT_TRUE(draw::WritePng(raster, path));
  std::ifstream file(path, std::ios::binary);
  const Bytes written{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written, draw::EncodePng(raster));

  EXPECT_FALSE(draw::WritePng(raster, dir.File("missing/picture.png")));
  EXPECT_TRUE(draw::EncodePng(draw::Raster(0, 10)).empty());
  EXPECT_FALSE(draw::WritePng(draw::Raster(0, 10), path));
}

}  // namespace
