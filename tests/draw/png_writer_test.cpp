#include "draw/png_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
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

// Inflate of a zlib stream of fixed-Huffman blocks, the only kind the
// writer produces.
class Inflater {
 public:
  explicit Inflater(const Bytes& stream) : in_(stream) {}

  Bytes Run() {
    EXPECT_EQ((in_[0] * 256 + in_[1]) % 31, 0);
    bit_ = 16;
    Bytes out;
    bool last = false;
    while (!last) {
      last = Bits(1) == 1;
      EXPECT_EQ(Bits(2), 1u) << "fixed Huffman block";
      for (unsigned symbol = Symbol(); symbol != 256; symbol = Symbol()) {
        if (symbol < 256) {
          out.push_back(static_cast<std::uint8_t>(symbol));
          continue;
        }
        const std::size_t length = Length(symbol - 257);
        const std::size_t distance = Distance(Code(5));
        if (distance > out.size() || bit_ > in_.size() * 8) return {};
        for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
      }
    }
    const std::size_t trailer = (bit_ + 7) / 8;
    EXPECT_EQ(trailer + 4, in_.size());
    EXPECT_EQ(BigEndian32(in_, trailer), draw::Adler32(out.data(), out.size()));
    return out;
  }

 private:
  unsigned Bit() {
    const unsigned bit = bit_ / 8 < in_.size() ? (in_[bit_ / 8] >> (bit_ % 8)) & 1u : 0u;
    ++bit_;
    return bit;
  }
  unsigned Bits(int count) {  // least significant first
    unsigned v = 0;
    for (int i = 0; i < count; ++i) v |= Bit() << i;
    return v;
  }
  unsigned Code(int count) {  // most significant first
    unsigned v = 0;
    for (int i = 0; i < count; ++i) v = v << 1 | Bit();
    return v;
  }
  unsigned Symbol() {
    unsigned code = Code(7);
    if (code < 24) return 256 + code;
    code = code << 1 | Bit();
    if (code < 192) return code - 48;
    if (code < 200) return 280 + code - 192;
    return 144 + (code << 1 | Bit()) - 400;
  }
  std::size_t Length(unsigned index) {
    if (index == 28) return 258;
    std::size_t base = 3;
    for (unsigned i = 0; i < index; ++i) base += std::size_t{1} << (i < 8 ? 0 : (i - 4) / 4);
    return base + Bits(index < 8 ? 0 : static_cast<int>(index - 4) / 4);
  }
  std::size_t Distance(unsigned index) {
    std::size_t base = 1;
    for (unsigned i = 0; i < index; ++i) base += std::size_t{1} << (i < 4 ? 0 : (i - 2) / 2);
    return base + Bits(index < 4 ? 0 : static_cast<int>(index - 2) / 2);
  }

  const Bytes& in_;
  std::size_t bit_ = 0;
};

// Rows of the decoded IDAT, each behind its filter byte 0.
Bytes Unfiltered(const Bytes& rows, const draw::Raster& raster) {
  const std::size_t rowBytes = static_cast<std::size_t>(raster.width()) * 3;
  Bytes pixels;
  for (std::size_t at = 0; at < rows.size(); at += rowBytes + 1) {
    EXPECT_EQ(rows[at], 0);
    pixels.insert(pixels.end(), rows.begin() + static_cast<std::ptrdiff_t>(at + 1),
                  rows.begin() + static_cast<std::ptrdiff_t>(at + 1 + rowBytes));
  }
  return pixels;
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

// A drawn picture stays small; pictures of lines, noise and gradients come
// back pixel for pixel.
TEST(PngWriterTest, PicturesRoundTripThroughInflate) {
  draw::Raster drawn;
  for (int i = 0; i < 40; ++i) {
    drawn.MoveTo(i * 11, 0);
    drawn.LineTo(447 - i * 7, 356);
  }
  draw::Raster noise(61, 37);
  std::mt19937 random(3);
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < 61; ++x) {
      const auto v = static_cast<std::uint8_t>(random());
      noise.SetPixel(x, y, x < 30 ? draw::Rgb{v, v, v} : draw::Rgb{static_cast<std::uint8_t>(x * 4), 0, v});
    }
  }
  for (const draw::Raster* raster : {&drawn, &noise}) {
    const Bytes png = draw::EncodePng(*raster);
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    const Bytes rows = Inflater(chunks[1].data).Run();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(raster->height()) * (raster->width() * 3 + 1));
    EXPECT_EQ(Unfiltered(rows, *raster), raster->pixels());
  }
  EXPECT_LT(draw::EncodePng(drawn).size(), 20000u);
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
