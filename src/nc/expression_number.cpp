#include "nc/expression_number.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "nc/expression_text.h"

namespace nc {
namespace {

// The parts of a literal, as offsets into the text.
struct LiteralShape {
  std::size_t integerEnd = 0;   // end of the integral digits
  std::size_t fractionEnd = 0;  // end of the fraction (= integerEnd if none)
  std::size_t length = 0;       // end of the exponent (= fractionEnd if none)
};

std::size_t SkipDigits(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

LiteralShape MeasureLiteral(std::string_view text) noexcept {
  LiteralShape shape;
  shape.integerEnd = SkipDigits(text, 0);
  shape.fractionEnd = shape.integerEnd;
  if (shape.integerEnd + 1 < text.size() && text[shape.integerEnd] == '.' &&
      IsDigit(text[shape.integerEnd + 1])) {
    shape.fractionEnd = SkipDigits(text, shape.integerEnd + 1);
  }
  shape.length = shape.fractionEnd;
  std::size_t i = shape.fractionEnd;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && IsDigit(text[i])) shape.length = SkipDigits(text, i);
  }
  return shape;
}

// Up to 19 significant digits fit a 64-bit integer exactly.
constexpr int kExactDigits = 19;
// 10^27 is the largest power of ten an extended value holds exactly.
constexpr int kExactPowers = 27;
// Exponents beyond this are out of range in any case; the cap keeps the
// exponent arithmetic far from integer overflow.
constexpr int kExponentCap = 100000;

constexpr std::array<long double, kExactPowers + 1> kPowersOfTen = [] {
  std::array<long double, kExactPowers + 1> powers{};
  long double p = 1.0L;
  for (long double& power : powers) {
    power = p;
    p *= 10.0L;
  }
  return powers;
}();

// The literal as mantissa * 10^exponent; exact is false when nonzero digits
// beyond the 19th were dropped.
struct Decimal {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  int digits = 0;
  bool exact = true;
};

void AddDigit(Decimal& d, char c, bool inFraction) noexcept {
  const unsigned digit = static_cast<unsigned>(c - '0');
  if (d.mantissa == 0 && digit == 0) {  // leading zero
    if (inFraction) --d.exponent;
    return;
  }
  if (d.digits < kExactDigits) {
    d.mantissa = d.mantissa * 10 + digit;
    ++d.digits;
    if (inFraction) --d.exponent;
  } else {
    if (digit != 0) d.exact = false;
    if (!inFraction) ++d.exponent;
  }
}

int ReadExponent(std::string_view text, std::size_t from, std::size_t to) noexcept {
  if (from == to) return 0;
  std::size_t i = from + 1;  // past the E
  const bool negative = text[i] == '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  int exponent = 0;
  for (; i < to; ++i) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
  }
  return negative ? -exponent : exponent;
}

Decimal Decompose(std::string_view text, const LiteralShape& shape) noexcept {
  Decimal d;
  for (std::size_t i = 0; i < shape.integerEnd; ++i) AddDigit(d, text[i], false);
  for (std::size_t i = shape.integerEnd + 1; i < shape.fractionEnd; ++i) AddDigit(d, text[i], true);
  d.exponent += ReadExponent(text, shape.fractionEnd, shape.length);
  return d;
}

// Correctly rounded by the library; slower, but needed only for literals
// with more than 19 significant digits or far exponents.
void ConvertExactly(std::string_view literal, const Decimal& d, NumberLiteral& number) noexcept {
  const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), number.value);
  if (error == std::errc::result_out_of_range) {
    // Too large, or too small even for a denormal: the decimal exponent of
    // the leading digit tells which.
    number.value = 0.0L;
    number.fits = d.exponent + d.digits <= 0;
  } else if (error != std::errc() || end != literal.data() + literal.size()) {
    number.fits = false;  // not expected for a measured literal
  }
}

}  // namespace

NumberLiteral ReadNumber(std::string_view text) noexcept {
  const LiteralShape shape = MeasureLiteral(text);
  const Decimal d = Decompose(text, shape);
  NumberLiteral number;
  number.length = shape.length;
  if (d.mantissa == 0) return number;
  // One rounding of an exact mantissa by an exact power: correctly rounded.
  if (d.exact && d.exponent >= -kExactPowers && d.exponent <= kExactPowers) {
    const long double mantissa = static_cast<long double>(d.mantissa);
    number.value = d.exponent >= 0 ? mantissa * kPowersOfTen[d.exponent]
                                   : mantissa / kPowersOfTen[-d.exponent];
    return number;
  }
  ConvertExactly(text.substr(0, shape.length), d, number);
  return number;
}

}  // namespace nc
