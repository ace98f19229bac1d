#include "nc/expression/math.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "data/message_numbers.h"
#include "nc/expression/expression.h"

namespace nc {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

long double Radians(long double degrees) noexcept { return degrees * kPi / 180; }
long double Degrees(long double radians) noexcept { return radians * 180 / kPi; }

ExprOutcome Error(int code) noexcept { return {0.0L, code}; }

bool IsWhole(long double x) noexcept { return std::trunc(x) == x; }

ExprOutcome TangentOfRadians(long double x) noexcept {
  const long double cosine = std::cos(x);
  if (cosine == 0) return Error(data::kMessageTanUndefined);
  return {std::sin(x) * (1 / cosine), 0};
}

// |x| <= 1; through the arc tangent, as the system always has.
long double ArcSineRadians(long double x) noexcept {
  if (std::fabs(x) == 1) return x * kPi / 2;
  return std::atan(x / std::sqrt(1 - x * x));
}

}  // namespace

// Through e^(exponent * ln|base|); a base of 0 or below needs a whole
// exponent, and 0^0 has no value.
ExprOutcome Power(long double base, long double exponent) noexcept {
  if (base == 0 && exponent == 0) return Error(data::kMessageZeroPowerZero);
  if (base > 0) return {std::exp(exponent * std::log(base)), 0};
  if (!IsWhole(exponent)) return Error(data::kMessageNegativeBase);
  if (base == 0) return {0.0L, 0};
  const long double magnitude = std::exp(exponent * std::log(-base));
  return {std::fmod(exponent, 2) != 0 ? -magnitude : magnitude, 0};
}

ExprOutcome Divide(long double dividend, long double divisor) noexcept {
  if (divisor == 0) return Error(data::kMessageDivisionByZero);
  return {dividend / divisor, 0};
}

ExprOutcome SquareRoot(long double x) noexcept {
  if (x < 0) return Error(data::kMessageSqrtNegative);
  return {std::sqrt(x), 0};
}

ExprOutcome NaturalLog(long double x) noexcept {
  if (!(x > 0)) return Error(data::kMessageLnRange);
  return {std::log(x), 0};
}

long double Sine(long double degrees) noexcept { return std::sin(Radians(degrees)); }
long double Cosine(long double degrees) noexcept { return std::cos(Radians(degrees)); }

// The cosine of an extended angle never rounds to exactly 0, so the error
// of an undefined tangent is kept for completeness but not reached.
ExprOutcome Tangent(long double degrees) noexcept { return TangentOfRadians(Radians(degrees)); }

// Undefined where the angle is a whole multiple of 90 degrees, as judged
// on the angle in radians.
ExprOutcome Cotangent(long double degrees) noexcept {
  const long double x = Radians(degrees);
  const long double quarter = kPi / 2;
  if (x == std::trunc(x / quarter) * quarter) return Error(data::kMessageCotUndefined);
  const ExprOutcome tangent = TangentOfRadians(x);
  if (tangent.errorCode != 0) return tangent;
  return Divide(1, tangent.value);
}

ExprOutcome ArcSine(long double x) noexcept {
  if (std::fabs(x) > 1) return Error(data::kMessageAsinRange);
  return {Degrees(ArcSineRadians(x)), 0};
}

ExprOutcome ArcCosine(long double x) noexcept {
  if (!(std::fabs(x) <= 1)) return Error(data::kMessageAcosRange);
  return {Degrees(kPi / 2 - ArcSineRadians(x)), 0};
}

long double ArcTangent(long double x) noexcept { return Degrees(std::atan(x)); }

long double Truncate(long double x) noexcept {
  using Limits = std::numeric_limits<std::int64_t>;
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (std::isnan(x)) return x;
  if (x >= kTwoTo63) return static_cast<long double>(Limits::max());
  if (x <= -kTwoTo63) return static_cast<long double>(Limits::min());
  return static_cast<long double>(static_cast<std::int64_t>(x));
}

}  // namespace nc
