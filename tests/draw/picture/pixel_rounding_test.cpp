#include "draw/picture/pixel_rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// Against the plain conversion, which truncates by definition: values next
// to integers from both sides, of every magnitude below the limit.
TEST(PixelRoundingTest, TruncationMatchesTheConversion) {
  std::mt19937_64 random(17);
  std::uniform_int_distribution<int> exponent(-70, 59);
  for (int n = 0; n < 200000; ++n) {
    long double v = std::ldexp(static_cast<long double>(random()) / 0x1p64L, exponent(random));
    if (n % 3 == 0) v = std::nextafter(std::round(v), (n % 2 == 0) ? 0.0L : 2 * v);
    if (n % 2 == 1) v = -v;
    std::int64_t t = -7;
    ASSERT_TRUE(draw::TruncateBelowLimit(v, t)) << static_cast<double>(v);
    ASSERT_EQ(t, static_cast<std::int64_t>(v)) << static_cast<double>(v);
  }
}

TEST(PixelRoundingTest, LimitAndSpecialValues) {
  std::int64_t t = 0;
  EXPECT_TRUE(draw::TruncateBelowLimit(std::nextafter(0x1p60L, 0.0L), t));
  EXPECT_EQ(t, (std::int64_t{1} << 60) - 1);
  EXPECT_TRUE(draw::TruncateBelowLimit(-0.0L, t));
  EXPECT_EQ(t, 0);
  EXPECT_TRUE(draw::TruncateBelowLimit(std::numeric_limits<long double>::denorm_min(), t));
  EXPECT_EQ(t, 0);
  for (long double v : {0x1p60L, -0x1p60L, 1e300L, std::numeric_limits<long double>::infinity(),
                        -std::numeric_limits<long double>::infinity(), std::numeric_limits<long double>::quiet_NaN()}) {
    EXPECT_FALSE(draw::TruncateBelowLimit(v, t)) << static_cast<double>(v);
  }
  EXPECT_EQ(draw::Truncate(-0x1p61L - 3), -(std::int64_t{1} << 61) - 3);
}

TEST(PixelRoundingTest, HalvesRoundToEven) {
  for (auto [v, expected] : {std::pair{0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2},
                             {2.4999999999999999999L, 2}, {-3.5000000000000000001L, -4}, {7.0L, 7}}) {
    EXPECT_EQ(draw::RoundHalfEven(v), expected) << static_cast<double>(v);
  }
}

}  // namespace
