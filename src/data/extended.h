// Portable codec for the 80-bit IEEE extended values that the data files
// hold: 10 bytes little-endian, 64-bit mantissa with explicit integer bit,
// 15-bit exponent biased by 16383, sign bit. Also the little-endian integer
// fields of the fixed-size records.
#pragma once

#include <cstdint>
#include <span>

namespace data {

inline constexpr int kExtendedSize = 10;

// Writes value as 10 bytes at out (out.size() >= 10).
void EncodeExtended(long double value, std::span<std::uint8_t> out);

// Reads 10 bytes at in (in.size() >= 10). NaN and infinite patterns decode
// to NaN and infinity; unnormal patterns are read by their mantissa value.
long double DecodeExtended(std::span<const std::uint8_t> in);

void EncodeInt32(std::int32_t value, std::span<std::uint8_t> out);
std::int32_t DecodeInt32(std::span<const std::uint8_t> in);

}  // namespace data
