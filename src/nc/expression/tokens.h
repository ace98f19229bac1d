// The tokens of the expression language. A token's code is its slot in the
// token table; the code list of a compiled expression uses the same codes
// as operations.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace nc {

enum class ExprToken : std::uint8_t {
  kErr,     // no valid token
  kEnd,     // ";"
  kConst,   // a number
  kPi,
  kOpen,    // "("
  kClose,   // ")"
  kNeg,     // change of sign, emitted by the compiler only
  kPlus,
  kMinus,
  kTimes,
  kDivide,
  kPower,   // "^"
  kSqr,     // the functions, kSqr to kTrunc
  kSqrt,
  kExp,
  kSin,
  kCos,
  kTan,
  kCot,
  kAsin,
  kAcos,
  kAtan,
  kAbs,
  kLn,
  kTrunc,
};

inline constexpr std::array<std::string_view, 25> kExprTokenTexts = {
    "ERR", ";",   "CONST", "PI",  "(",   ")",    "NEG",  "+",    "-",   "*",  "/",  "^",    "SQR",
    "SQRT", "EXP", "SIN",  "COS", "TAN", "COT", "ASIN", "ACOS", "ATAN", "ABS", "LN", "TRUNC"};

inline bool IsFunction(ExprToken t) noexcept { return t >= ExprToken::kSqr && t <= ExprToken::kTrunc; }

}  // namespace nc
