#include "transfer/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

using transfer::FormatNumber;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row {
  int width;
  int decimals;
  bool withSign;
  double value;
  bool scaled;
  const char* expected;
};

constexpr Row kRows[] = {
    // Coordinates: signed, 7 places, 2 decimals.
    {7, 2, true, 12.5, false, "+0012.50"},
    {7, 2, true, -3.0, false, "-0003.00"},
    {7, 2, true, 1234.56, false, "+1234.56"},    // exactly the width
    {7, 2, true, 12345.678, false, "+12345.68"},  // wider than the field
    {7, 2, true, 0.0, false, "-0000.00"},         // zero takes "-"
    {7, 2, true, -0.0, false, "-0000.00"},
    {7, 2, true, 0.001, false, "+0000.00"},       // the sign is the value's
    {7, 2, true, -0.001, false, "-0000.00"},
    // Exact halves go away from zero, both signs.
    {7, 2, true, 0.125, false, "+0000.13"},
    {7, 2, true, -0.125, false, "-0000.13"},
    {7, 2, true, 0.375, false, "+0000.38"},
    {4, 0, false, 2.5, false, "0003"},
    {4, 0, false, 0.5, false, "0001"},
    {4, 0, false, -2.5, false, "00-3"},
    // Not halves: the double nearest 0.015 lies below it, that of 0.025 above.
    {7, 2, true, 0.015, false, "+0000.01"},
    {7, 2, true, -0.015, false, "-0000.01"},
    {7, 2, true, 0.025, false, "+0000.03"},
    // Whole numbers: N, T, F and dwell, unsigned in 4 places.
    {4, 0, false, 12.0, false, "0012"},
    {4, 0, false, 200.0, false, "0200"},
    {4, 0, false, 150.4, false, "0150"},
    {4, 0, false, 9999.0, false, "9999"},
    {4, 0, false, 9999.5, false, "10000"},
    {4, 0, false, 0.0, false, "0000"},
    {4, 0, false, -5.0, false, "00-5"},  // blanks become "0" in front of the minus
    {0, 0, false, 7.0, false, "7"},      // width 0: no padding
    {0, 2, false, 0.5, false, "0.50"},
    {-3, -1, false, 2.5, false, "3"},    // negative width and decimals count as 0
    // Scaled-integer mode: units of the last decimal, no padding.
    {7, 2, true, -0.004, true, "-0"},
    {7, 2, true, 0.004, true, "+0"},
    {7, 2, true, 12.5, true, "+1250"},
    {7, 2, true, -3.0, true, "-300"},
    {7, 2, true, 0.0, true, "-0"},
    {7, 2, true, 0.125, true, "+13"},
    {7, 2, true, -0.125, true, "-13"},
    {7, 2, true, 12345.678, true, "+1234568"},
    {4, 0, false, 12.0, true, "12"},
    {4, 0, false, 150.4, true, "150"},
    {4, 0, false, -5.0, true, "-5"},
    // Values that are no numbers are written as zero.
    {7, 2, true, kNan, false, "-0000.00"},
    {7, 2, true, kInf, false, "-0000.00"},
    {7, 2, true, -kInf, true, "-0"},
    {4, 0, false, kNan, false, "0000"},
};

TEST(FormatNumberTest, WritesEachRowOfTheTable) {
  for (const Row& row : kRows) {
    EXPECT_EQ(FormatNumber(row.width, row.decimals, row.withSign, row.value, row.scaled), row.expected)
        << "width " << row.width << " decimals " << row.decimals << " signed " << row.withSign << " value "
        << row.value << " scaled " << row.scaled;
  }
}

// glibc writes the exact decimal expansion of a double; far beyond the field
// every digit still has to be there.
std::string Exact(double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  return buffer;
}

TEST(FormatNumberTest, HugeValuesPrintEveryDigit) {
  EXPECT_EQ(FormatNumber(7, 2, true, 1e300, false), "+" + Exact(1e300));
  EXPECT_EQ(FormatNumber(7, 2, false, -1e300, false), Exact(-1e300));
  const std::string max = Exact(DBL_MAX);
  EXPECT_EQ(FormatNumber(7, 2, true, -DBL_MAX, true), "-" + max.substr(0, max.size() - 3) + "00");
}

// The send command refuses what the text cannot hold exactly: 15 digits of
// units of the last decimal, at most.
TEST(FormatNumberTest, TheBlockTextHoldsFifteenDigits) {
  struct Case {
    double value;
    int decimals;
    bool fits;
  };
  for (const Case c : {Case{999999999999999.0, 0, true}, Case{1e15, 0, false}, Case{-999999999999999.0, 0, true},
                       Case{999999999999999.4, 0, true}, Case{9999999999999.99, 2, true},
                       Case{10000000000000.0, 2, false}, Case{-0.0, 2, true}, Case{kNan, 0, false},
                       Case{kInf, 2, false}, Case{-kInf, 0, false}}) {
    EXPECT_EQ(transfer::FitsBlockText(c.value, c.decimals), c.fits) << c.value << " with " << c.decimals;
  }
}

TEST(FormatNumberTest, ExtendedValuesBeyondDoubleBecomeInfinite) {
  EXPECT_EQ(transfer::RoundToDouble(1e400L), std::numeric_limits<double>::infinity());
  EXPECT_EQ(transfer::RoundToDouble(-1e400L), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(transfer::RoundToDouble(std::numeric_limits<long double>::quiet_NaN())));
  EXPECT_EQ(transfer::RoundToDouble(0.1L), 0.1);
  EXPECT_EQ(transfer::RoundToDouble(static_cast<long double>(DBL_MAX)), DBL_MAX);
}

}  // namespace
