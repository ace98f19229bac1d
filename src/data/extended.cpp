#include "data/extended.h"

#include <cmath>
#include <limits>

namespace data {
namespace {

constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;

}  // namespace

void EncodeExtended(long double value, std::span<std::uint8_t> out) {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  const bool negative = std::signbit(value);
  if (std::isnan(value)) {
    exponent = kMaxExponent;
    mantissa = 0xC000000000000000ULL;
  } else if (std::isinf(value)) {
    exponent = kMaxExponent;
    mantissa = 0x8000000000000000ULL;
  } else if (value != 0.0L) {
    int e2 = 0;
    const long double fraction = std::frexp(std::fabs(value), &e2);  // [0.5, 1)
    exponent = e2 - 1 + kBias;
    int shift = 64;
    if (exponent <= 0) {  // denormal: integer bit clear, exponent field 0
      shift += exponent - 1;
      exponent = 0;
    }
    if (exponent >= kMaxExponent) {  // beyond the format: infinity
      exponent = kMaxExponent;
      mantissa = 0x8000000000000000ULL;
    } else if (shift > 0) {
      mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, shift));
    }
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  const auto top = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent);
  out[8] = static_cast<std::uint8_t>(top & 0xFF);
  out[9] = static_cast<std::uint8_t>(top >> 8);
}

long double DecodeExtended(std::span<const std::uint8_t> in) {
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  const int top = in[8] | (in[9] << 8);
  const bool negative = (top & 0x8000) != 0;
  const int exponent = top & kMaxExponent;
  long double value = 0.0L;
  if (exponent == kMaxExponent) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                 : std::numeric_limits<long double>::quiet_NaN();
  } else {
    const int e = (exponent == 0 ? 1 : exponent) - kBias - 63;
    value = std::ldexp(static_cast<long double>(mantissa), e);
  }
  return negative ? -value : value;
}

void EncodeInt32(std::int32_t value, std::span<std::uint8_t> out) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t DecodeInt32(std::span<const std::uint8_t> in) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

}  // namespace data
