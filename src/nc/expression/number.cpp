#include "nc/expression/number.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "nc/lexical/characters.h"

namespace nc {
namespace {

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

// Reads the digits from i on into d; returns their end.
std::size_t AddDigits(std::string_view text, std::size_t i, Decimal& d, bool inFraction) noexcept {
  for (; i < text.size() && IsDigit(text[i]); ++i) AddDigit(d, text[i], inFraction);
  return i;
}

// Reads the exponent at i, if there is one (E or e, optional sign, at least
// one digit), into d; returns its end, else i.
std::size_t AddExponent(std::string_view text, std::size_t i, Decimal& d) noexcept {
  if (i == text.size() || (text[i] != 'E' && text[i] != 'e')) return i;
  std::size_t j = i + 1;
  const bool negative = j < text.size() && text[j] == '-';
  if (j < text.size() && IsSign(text[j])) ++j;
  if (j == text.size() || !IsDigit(text[j])) return i;
  int exponent = 0;
  for (; j < text.size() && IsDigit(text[j]); ++j) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (text[j] - '0');
  }
  d.exponent += negative ? -exponent : exponent;
  return j;
}

// Correctly rounded by the library; slower, but needed only for literals
// with more than 19 significant digits or far exponents.
void ConvertExactly(std::string_view literal, const Decimal& d, NumberLiteral& number) noexcept {
  const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), number.value);
  if (error == std::errc::result_out_of_range) {
    // Too large, or below the normal range (the library reports denormals
    // as out of range too): the decimal exponent of the leading digit tells.
    number.value = 0.0L;
    number.fits = d.exponent + d.digits <= 0;
  } else if (error != std::errc() || end != literal.data() + literal.size()) {
    number.fits = false;  // not expected for a measured literal
  }
}

}  // namespace

NumberLiteral ReadNumber(std::string_view text) noexcept {
  Decimal d;
  std::size_t end = AddDigits(text, 0, d, false);
  if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
    end = AddDigits(text, end + 1, d, true);
  }
  end = AddExponent(text, end, d);
  NumberLiteral number;
  number.length = end;
  if (d.mantissa == 0) return number;
  // One rounding of an exact mantissa by an exact power: correctly rounded.
  if (d.exact && d.exponent >= -kExactPowers && d.exponent <= kExactPowers) {
    const long double mantissa = static_cast<long double>(d.mantissa);
    number.value = d.exponent >= 0 ? mantissa * kPowersOfTen[d.exponent]
                                   : mantissa / kPowersOfTen[-d.exponent];
    return number;
  }
  ConvertExactly(text.substr(0, end), d, number);
  return number;
}

}  // namespace nc
