#include "data/extended.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

using Bytes = std::array<std::uint8_t, 10>;

Bytes Encode(long double v) {
  Bytes b{};
  data::EncodeExtended(v, b);
  return b;
}

// The byte patterns of known values are those of the hand-built settings,
// tool and zero point files, read and written back byte for byte.
TEST(ExtendedCodec, RoundTripKeepsEveryBit) {
  const long double values[] = {0.0L, 1.0L / 3.0L, -12.5L, 1e-4000L, 1e4000L, 3.14159265358979323846264L,
                                std::numeric_limits<long double>::denorm_min(),
                                std::numeric_limits<long double>::min() / 3,
                                std::numeric_limits<long double>::max()};
  for (long double v : values) {
    EXPECT_EQ(data::DecodeExtended(Encode(v)), v) << static_cast<double>(v);
  }
}

TEST(ExtendedCodec, SpecialPatternsDecodeWithoutTrapping) {
  EXPECT_TRUE(std::isinf(data::DecodeExtended(Encode(std::numeric_limits<long double>::infinity()))));
  EXPECT_TRUE(std::isnan(data::DecodeExtended(Encode(std::numeric_limits<long double>::quiet_NaN()))));
  // An unnormal pattern (integer bit clear, exponent set) still decodes to a number.
  const Bytes unnormal{0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40};
  EXPECT_EQ(data::DecodeExtended(unnormal), 1.0L);
  const Bytes junk{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(std::isnan(data::DecodeExtended(junk)));
}

TEST(ExtendedCodec, Int32IsLittleEndianAndSigned) {
  std::array<std::uint8_t, 4> b{};
  data::EncodeInt32(9600, b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 4>{0x80, 0x25, 0, 0}));
  data::EncodeInt32(-2, b);
  EXPECT_EQ(data::DecodeInt32(b), -2);
}

}  // namespace
