// Conversion of the numeric literals of an expression: the longest prefix
// of digits, optional point and fraction and optional exponent, converted
// to the nearest extended value without locale or heap.
#pragma once

#include <cstddef>
#include <string_view>

namespace nc {

struct NumberLiteral {
  std::size_t length = 0;  // bytes of the text that belong to the literal
  long double value = 0.0L;
  bool fits = true;  // false when the value is beyond the extended range
};

// Reads the literal at the start of text, which starts with a digit. A point
// belongs to it only when a digit follows, an exponent (E or e, optional
// sign) only when it has a digit. Values below the normal extended range
// (about 3.4E-4932) become 0; values above it do not fit.
NumberLiteral ReadNumber(std::string_view text) noexcept;

}  // namespace nc
