// Character tests shared by everything that reads NC text, and the digit
// runs built of them. They look at ASCII codes only: every other byte of a
// Windows-1252 text is neither a digit nor a sign nor a blank.
#pragma once

#include <cstddef>
#include <string_view>

namespace nc {

constexpr bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr bool IsSign(char c) noexcept { return c == '+' || c == '-'; }

// True for the empty text too.
constexpr bool AllDigits(std::string_view text) noexcept {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// End of the run of digits that starts at from (from itself when there is
// none, also when from is past the end).
constexpr std::size_t DigitsEnd(std::string_view text, std::size_t from) noexcept {
  while (from < text.size() && IsDigit(text[from])) ++from;
  return from;
}

// The run of digits starting at index from (empty when from is past the end).
constexpr std::string_view DigitsAt(std::string_view text, std::size_t from) noexcept {
  if (from >= text.size()) return {};
  return text.substr(from, DigitsEnd(text, from) - from);
}

// A text is blank when nothing but blanks (code 32) is in it.
constexpr bool IsBlank(std::string_view text) noexcept { return text.find_first_not_of(' ') == std::string_view::npos; }

// Whether two texts denote the same integer. Both must be non-empty runs of
// digits; leading zeros do not count ("012" equals "12"), and any length is
// compared exactly, so no number is too large. Anything else is no number
// and equals nothing.
constexpr bool SameInteger(std::string_view a, std::string_view b) noexcept {
  if (a.empty() || b.empty() || !AllDigits(a) || !AllDigits(b)) return false;
  const auto significant = [](std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
  };
  return significant(a) == significant(b);
}

}  // namespace nc
