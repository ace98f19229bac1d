// The text pre-pass of the expression evaluator: it folds sign pairs, gives
// every decimal point a digit on both sides and rewrites division chains so
// that the right-recursive term rule still divides from left to right.
#pragma once

#include "nc/lexical/bounded_text.h"

namespace nc {

// Runs the three rewrites in order: signs, decimal points, division chains.
void RunPrepass(BoundedText& text) noexcept;

// The single rewrites, in the order RunPrepass applies them.

// Every run of adjacent "+" and "-" becomes one sign: "-" when it holds an
// odd number of "-", else "+" (the pairs +-, -+ give -, ++ and -- give +).
void FoldSigns(BoundedText& text) noexcept;

// A "0" goes before every "." not preceded by a digit and after every "."
// not followed by one; the text stays cut at its capacity.
void PadDecimalPoints(BoundedText& text) noexcept;

// In a/b/c every further "/" of the same term becomes "*", giving a/b*c,
// which the term rule evaluates as a/(b*c). The term ends at a ")" closing
// its group or at a "+" or "-" at its depth that is not an exponent sign.
void ResolveDivisionChains(BoundedText& text) noexcept;

}  // namespace nc
