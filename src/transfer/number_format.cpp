#include "transfer/number_format.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace transfer {
namespace {

long double PowerOfTen(int exponent) {
  long double power = 1.0L;
  for (int i = 0; i < exponent; ++i) power *= 10.0L;  // exact up to 10^27
  return power;
}

// Decimal digits of magnitude * 10^decimals rounded half away from zero.
// A double has 53 significant bits and 10^4 = 2^4 * 625 adds 10, so the
// product fits the 64 bits of the extended mantissa without rounding.
std::string RoundedDigits(double magnitude, int decimals) {
  const long double units = std::round(static_cast<long double>(magnitude) * PowerOfTen(decimals));
  if (units < 1e18L) {  // the common case, without printf
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<std::uint64_t>(units));
    return std::string(text, result.ptr);
  }
  // An integral value: printf writes its digits exactly, there is nothing to round.
  const int length = std::snprintf(nullptr, 0, "%.0Lf", units);
  std::string digits(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  std::snprintf(digits.data(), digits.size(), "%.0Lf", units);
  digits.resize(digits.size() - 1);
  return digits;
}

// Puts the decimal point in front of the last decimals digits, with at
// least one digit before it.
std::string WithPoint(std::string digits, int decimals) {
  if (decimals == 0) return digits;
  const auto count = static_cast<std::size_t>(decimals);
  if (digits.size() <= count) digits.insert(0, count + 1 - digits.size(), '0');
  digits.insert(digits.size() - count, 1, '.');
  return digits;
}

std::string PaddedLeft(std::string text, int width) {
  const auto size = static_cast<std::size_t>(width);
  if (text.size() < size) text.insert(0, size - text.size(), '0');
  return text;
}

}  // namespace

double RoundToDouble(long double value) {
  if (std::isnan(value)) return std::numeric_limits<double>::quiet_NaN();
  if (std::fabs(value) > static_cast<long double>(DBL_MAX)) {
    const double infinity = std::numeric_limits<double>::infinity();
    return std::signbit(value) ? -infinity : infinity;
  }
  return static_cast<double>(value);
}

bool FitsBlockText(double value, int decimals) {
  if (!std::isfinite(value)) return false;
  decimals = std::clamp(decimals, 0, kMaxNumberDecimals);
  return std::round(static_cast<long double>(std::fabs(value)) * PowerOfTen(decimals)) <= kMaxNumberUnits;
}

std::string FormatNumber(int width, int decimals, bool withSign, double value, bool scaled) {
  if (!std::isfinite(value)) value = 0.0;
  decimals = std::clamp(decimals, 0, kMaxNumberDecimals);
  width = std::clamp(width, 0, kMaxNumberWidth);
  std::string digits = RoundedDigits(std::fabs(value), decimals);
  if (!scaled) digits = WithPoint(std::move(digits), decimals);
  if (value < 0.0 && !withSign) digits.insert(0, 1, '-');
  if (!scaled) digits = PaddedLeft(std::move(digits), width);
  if (withSign) digits.insert(0, 1, value > 0.0 ? '+' : '-');
  return digits;
}

}  // namespace transfer
