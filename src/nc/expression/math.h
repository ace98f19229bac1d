// The operations of the expression runner that can fail, in extended
// precision. Angles are in degrees. Each gives a value or an error code.
#pragma once

namespace nc {

struct ExprOutcome {
  long double value = 0.0L;
  int errorCode = 0;
};

ExprOutcome Power(long double base, long double exponent) noexcept;
ExprOutcome Divide(long double dividend, long double divisor) noexcept;
ExprOutcome SquareRoot(long double x) noexcept;
ExprOutcome NaturalLog(long double x) noexcept;
ExprOutcome Tangent(long double degrees) noexcept;
ExprOutcome Cotangent(long double degrees) noexcept;
ExprOutcome ArcSine(long double x) noexcept;
ExprOutcome ArcCosine(long double x) noexcept;

long double Sine(long double degrees) noexcept;
long double Cosine(long double degrees) noexcept;
long double ArcTangent(long double x) noexcept;

// Toward zero, through a 64-bit integer: values beyond its range saturate
// at its limits; NaN, which has no integer, stays NaN.
long double Truncate(long double x) noexcept;

}  // namespace nc
