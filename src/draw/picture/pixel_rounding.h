// Extended pixel coordinates to integers: truncation toward zero and
// rounding with halves to even. Converting an x87 extended value directly
// switches the rounding mode twice, which costs more than the rest of an
// arc point; the integer part is read from the value's bits instead.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace draw {

// Truncation toward zero of |v| < 2^60; false for larger or non-finite v.
// On x87 extended values (64-bit significand with explicit integer bit,
// then 15 exponent bits and the sign) it is integer work on the stored
// value: a shift of the significand by the exponent.
inline bool TruncateBelowLimit(const long double& v, std::int64_t& t) {
  if constexpr (std::numeric_limits<long double>::digits == 64 && std::endian::native == std::endian::little) {
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, &v, sizeof significand);
    std::memcpy(&signAndExponent, reinterpret_cast<const unsigned char*>(&v) + 8, sizeof signAndExponent);
    const int exponent = (signAndExponent & 0x7FFF) - 16383;  // 16384 for infinities and NaNs
    if (exponent >= 60) return false;
    const std::uint64_t magnitude = exponent < 0 ? 0 : significand >> (63 - exponent);
    t = (signAndExponent & 0x8000) != 0 ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
  } else {
    if (!(std::fabs(v) < 0x1p60L)) return false;
    t = static_cast<std::int64_t>(v);
    return true;
  }
}

// For finite |v| <= 2^62.
std::int64_t Truncate(long double v);
std::int64_t RoundHalfEven(long double v);

}  // namespace draw
