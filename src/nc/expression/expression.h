// The arithmetic expression evaluator of NC words: a text pre-pass, a
// scanner, a recursive-descent compiler into a postfix code list and a
// stack machine, all in 80-bit extended precision. Errors are reported as
// codes, which are also the numbers of the messages the caller shows.
#pragma once

#include <string_view>

namespace nc {

// Error codes (0 = no error).
inline constexpr int kExprDivisionByZero = 91;
inline constexpr int kExprNegativeBase = 92;
inline constexpr int kExprZeroPowerZero = 93;
inline constexpr int kExprTanUndefined = 94;
inline constexpr int kExprCotUndefined = 95;
inline constexpr int kExprAsinRange = 96;
inline constexpr int kExprAcosRange = 97;
inline constexpr int kExprSyntax = 98;
inline constexpr int kExprSqrtNegative = 99;
inline constexpr int kExprUnknownOperation = 100;
inline constexpr int kExprStackOverflow = 101;
inline constexpr int kExprLnRange = 103;

struct Evaluation {
  long double value = 0.0L;  // not to be used when errorCode > 0
  int errorCode = 0;
};

// Evaluates a text of at most data::kMaxText characters (longer texts are
// cut). An empty text gives 0 without error. Allocates nothing on the heap.
Evaluation EvaluateExpression(std::string_view text);

}  // namespace nc
