// The fixed-width numbers of the controller's block text: fixed point with
// a given number of decimals, zero-padded on the left, an optional sign in
// front; or, in the scaled-integer mode, whole numbers in units of the last
// decimal without padding.
#pragma once

#include <string>

namespace transfer {

// Widths beyond this are taken as this (a block text line is far shorter).
inline constexpr int kMaxNumberWidth = 255;
// Decimals beyond this are taken as this.
inline constexpr int kMaxNumberDecimals = 18;

// Rounds an extended value to double; values beyond the double range become
// infinities of their sign (never an out-of-range conversion).
double RoundToDouble(long double value);

// value * 10^decimals rounded to a whole number, exact halves away from
// zero (0.125 with 2 decimals gives 0.13, -0.125 gives -0.13); the product
// is exact for up to 4 decimals. Written right-aligned in width characters,
// padded with "0"; a number that needs more room takes more room (1e300
// prints all its digits). With withSign, the magnitude is written and "+"
// put in front when value > 0, otherwise "-" (zero gives "-0000.00" in
// width 7). Without it, a negative value keeps its "-" behind the padding
// ("00-5" for -5 in width 4). scaled: the number of units of the last
// decimal, no point and no padding (-0.004 with 2 decimals and a sign gives
// "-0"). A NaN or infinite value, which the conversion never produces from
// a drawn block, is written as 0 would be, so that the controller only ever
// reads digits. Negative widths and decimals count as 0.
std::string FormatNumber(int width, int decimals, bool withSign, double value, bool scaled);

// The most units of the last decimal a number of the block text holds: 15
// digits, as many as a double keeps exactly for every value.
inline constexpr long double kMaxNumberUnits = 999'999'999'999'999.0L;

// Whether FormatNumber writes value exactly to its last decimal: a finite
// value whose units of the last decimal, rounded as FormatNumber rounds,
// have at most 15 digits (with 2 decimals 9999999999999.99 fits and
// 9999999999999.995, which rounds to 16 digits, does not).
bool FitsBlockText(double value, int decimals);

}  // namespace transfer
