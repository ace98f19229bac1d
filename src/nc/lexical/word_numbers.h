// Numbers read from the text of an address word without evaluating it: the
// whole numbers of D, G, M, S and T words, the decimal of an F word and a
// parameter number after "R". Digit runs of any length saturate instead of
// overflowing, so no conversion leaves its type's range.
#pragma once

#include <cstdint>
#include <string_view>

namespace nc {

// Where long digit runs saturate: above every number a word may mean.
inline constexpr std::uint32_t kWholeNumberLimit = 0xFFFFFFFFu;

// The text as a whole number when it is all digits; 0 when it is empty or
// holds anything else ("no number").
std::uint32_t WholeNumber(std::string_view text);

// The number after a parameter address: text is "R" and digits. -1 when
// the digits are missing, anything else follows, or the number lies beyond
// the parameter table.
int ParameterNumber(std::string_view text);

// An optionally signed decimal: digits with an optional point and fraction
// (at least one digit). False, and value 0, for anything else.
bool ReadDecimal(std::string_view text, long double& value);

// Truncated toward zero into the 32-bit range, saturating at its ends; a
// value that is not a number gives 0.
std::int32_t TruncateToInt32(long double value);

}  // namespace nc
