// Character tests shared by everything that reads NC text. They look at
// ASCII codes only: every other byte of a Windows-1252 text is neither a
// digit nor a sign.
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

}  // namespace nc
