#include "draw/picture/pixel_rounding.h"

namespace draw {

std::int64_t Truncate(long double v) {
  std::int64_t t = 0;
  return TruncateBelowLimit(v, t) ? t : static_cast<std::int64_t>(v);
}

std::int64_t RoundHalfEven(long double v) {
  const std::int64_t t = Truncate(v);
  const long double rest = v - static_cast<long double>(t);  // exact, in (-1, 1)
  const bool odd = (t & 1) != 0;
  if (rest > 0.5L || (rest == 0.5L && odd)) return t + 1;
  if (rest < -0.5L || (rest == -0.5L && odd)) return t - 1;
  return t;
}

}  // namespace draw
