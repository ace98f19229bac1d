#include "byte_reader.h"

#include <array>
#include <cmath>
#include <limits>

namespace fuzz {
namespace {

using Limits = std::numeric_limits<long double>;

// Values where arithmetic, rounding and conversions break down.
const std::array<long double, 24> kAwkward = {
    Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), Limits::max(), -Limits::max(),
    Limits::min(), Limits::denorm_min(), -0.0L, 1e-12L, 1e12L, 0.005L, 0.0049999999L, 0.0050000001L,
    1'000'000.0L, 2147483648.0L, 9223372036854775808.0L, 18446744073709551616.0L, 1e300L,
    static_cast<long double>(std::numeric_limits<double>::max()), 1e4000L, 99999.995L, 9999.995L,
    -2147483649.0L, 0.5L};

}  // namespace

// The low four bits of a tag byte choose the kind, the bytes after it
// the value.
long double ByteReader::Value() {
  const int kind = Byte() & 0x0F;
  long double value = 0.0L;
  if (kind <= 5) {
    value = Raw<std::int8_t>() * 0.5L;  // grid of half millimetres
  } else if (kind <= 7) {
    value = Raw<std::int16_t>() / 1000.0L;  // thousandths
  } else if (kind == 8) {
    value = Raw<std::int32_t>() / 1'000'000.0L;
  } else if (kind == 9) {
    value = Raw<double>();  // any bit pattern, non-finite ones included
  } else if (kind == 10) {
    value = kAwkward[Byte() % kAwkward.size()];
  } else if (kind == 11) {
    value = last_;  // coincident points
  } else if (kind == 12) {
    value = last_ + Raw<std::int8_t>() * 1e-9L;  // nearly coincident
  } else if (kind == 13) {
    value = -last_;
  } else if (kind == 14) {
    value = Raw<std::int8_t>() * 1000.0L;
  }
  last_ = value;
  return value;
}

}  // namespace fuzz
