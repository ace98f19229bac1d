#include "nc/lexical/word_numbers.h"

#include <cmath>
#include <limits>

#include "nc/lexical/characters.h"
#include "nc/words/param_table.h"

namespace nc {
namespace {

// Digits as an unsigned number, saturating at kWholeNumberLimit.
std::uint32_t Saturated(std::string_view digits) {
  std::uint64_t n = 0;
  for (char c : digits) {
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
    if (n >= kWholeNumberLimit) return kWholeNumberLimit;
  }
  return static_cast<std::uint32_t>(n);
}

// Blanks between a word's letter and its value belong to neither.
std::string_view SkipBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

std::uint32_t WholeNumber(std::string_view text) {
  text = SkipBlanks(text);
  return AllDigits(text) ? Saturated(text) : 0;
}

int ParameterNumber(std::string_view text) {
  text = SkipBlanks(text);
  if (text.size() < 2 || text.front() != 'R') return -1;
  const std::string_view digits = text.substr(1);
  if (!AllDigits(digits)) return -1;
  const std::uint32_t n = Saturated(digits);
  return n < static_cast<std::uint32_t>(kParamCount) ? static_cast<int>(n) : -1;
}

bool ReadDecimal(std::string_view text, long double& value) {
  text = SkipBlanks(text);
  value = 0.0L;
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && IsSign(text[i])) negative = text[i++] == '-';
  long double whole = 0.0L;
  long double fraction = 0.0L;
  long double scale = 1.0L;
  bool digitSeen = false;
  for (; i < text.size() && IsDigit(text[i]); ++i, digitSeen = true) whole = whole * 10.0L + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, digitSeen = true) {
      scale /= 10.0L;
      fraction += (text[i] - '0') * scale;
    }
  }
  if (!digitSeen || i != text.size()) return false;
  value = negative ? -(whole + fraction) : whole + fraction;
  return true;
}

std::int32_t TruncateToInt32(long double value) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  if (std::isnan(value)) return 0;
  if (value >= static_cast<long double>(kMax)) return kMax;
  if (value <= static_cast<long double>(kMin)) return kMin;
  return static_cast<std::int32_t>(value);
}

}  // namespace nc
