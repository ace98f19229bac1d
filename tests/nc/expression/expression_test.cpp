#include "nc/expression/expression.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

namespace {

using nc::EvaluateExpression;

constexpr long double kUlps = 1e-17L;
constexpr long double kPi = std::numbers::pi_v<long double>;

// A text and the value it gives, within a tolerance.
struct Value {
  std::string text;
  long double expected;
  long double tolerance = 0;
};

// A text and the error code it fails with (0: none).
struct Error {
  std::string text;
  int code;
};

// Compared in extended precision: a double would hide the last digits.
::testing::AssertionResult Gives(const Value& c) {
  const nc::Evaluation e = EvaluateExpression(c.text);
  if (e.errorCode != 0) return ::testing::AssertionFailure() << c.text << " fails with " << e.errorCode;
  if (e.value < c.expected - c.tolerance || e.value > c.expected + c.tolerance) {
    return ::testing::AssertionFailure() << c.text << " gives " << e.value << ", not " << c.expected;
  }
  return ::testing::AssertionSuccess();
}

void ExpectValues(std::initializer_list<Value> cases) {
  for (const Value& c : cases) EXPECT_TRUE(Gives(c));
}

void ExpectErrors(std::initializer_list<Error> cases) {
  for (const Error& c : cases) EXPECT_EQ(EvaluateExpression(c.text).errorCode, c.code) << c.text;
}

std::string Repeat(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

// Wrong precedence, associativity or sign scope.
TEST(ExpressionOrder, PrecedenceAndAssociativity) {
  ExpectValues({{"2*3+4", 10}, {"2+3*4", 14}, {"10-4-3", 3},  // left-associative
                {"-2^2", -4},                                 // the sign applies to the whole first term
                {"-2*3+1", -5},                               // ... but not to the terms after it
                {"2^3^2", 512, 1e-15L},                       // right-associative
                {"2/4*2", 0.25L}});                           // a product after "/" belongs to the divisor
}

TEST(ExpressionOrder, DivisionChainsDivideLeftToRightWithinTheirTerm) {
  ExpectValues({{"12/4/3", 1}, {"8/2+6/3", 6}, {"8/2-6/3", 2}, {"(8/2)+(6/3)", 6}, {"(9/3)*(8/4)", 6},
                {"100/(2+3)/2", 10}, {"24/(8/2/2)/3", 4},
                {"60/2E+1/3", 1},  // an exponent sign does not end the term
                {"60/2e-1/3", 100, 1e-16L}});
}

// The text's pre-pass: sign pairs and lone decimal points.
TEST(ExpressionPrepass, SignPairsFoldAndDecimalPointsGetDigits) {
  ExpectValues({{"1--2", 3}, {"1+-2", -1}, {"1---2", -1}, {"1-+-+2", 3}, {"2E+-1", 0.2L},
                {".5+1", 1.5L}, {"5.+1", 6}, {"(.5)*2", 1}, {"5.E1", 50}});
  ExpectErrors({{"1..2", data::kMessageExpressionSyntax}});
}

TEST(ExpressionScanning, LettersAreUpperCasedAndBlanksSkipped) {
  ExpectValues({{"sin(30)", 0.5L, kUlps}, {"Sqrt ( 16 )", 4}, {"pi", kPi},
                {"( 2.00000000000000E+0000)*3+SIN(30)", 6.5L, kUlps}});
}

// Each function once, angles in degrees.
TEST(ExpressionFunctions, ValuesInDegrees) {
  ExpectValues({{"SQR(3)", 9}, {"EXP(0)", 1}, {"LN(EXP(2))", 2, kUlps}, {"COS(60)", 0.5L, kUlps},
                {"TAN(45)", 1, kUlps}, {"COT(45)", 1, kUlps}, {"ASIN(0.5)", 30, 1e-16L}, {"ASIN(-1)", -90, 1e-16L},
                {"ACOS(1)", 0, kUlps}, {"ACOS(-1)", 180, 1e-16L}, {"ATAN(1)", 45, 1e-16L}, {"ABS(-3)", 3},
                {"2^SQRT(4)", 4, 1e-16L}, {"TRUNC(-2.7)", -2}, {"TRUNC(2.7)", 2}});
}

TEST(ExpressionFunctions, TruncSaturatesAtTheRangeOfA64BitInteger) {
  ExpectValues({{"TRUNC(1E30)", static_cast<long double>(std::numeric_limits<std::int64_t>::max())},
                {"TRUNC(-1E30)", static_cast<long double>(std::numeric_limits<std::int64_t>::min())},
                {"TRUNC(-9223372036854775807)", -9223372036854775807.0L}});
}

// Powers need a number or PI as base; signs only at the start of an
// expression (a blank keeps two signs apart); malformed texts.
TEST(ExpressionSyntax, WhatTheGrammarRefuses) {
  ExpectErrors({{"(1+1)^2", data::kMessageExpressionSyntax}, {"SIN(30)^2", data::kMessageExpressionSyntax}, {"(-8)^(1/3)", data::kMessageExpressionSyntax},
                {"2*-3", data::kMessageExpressionSyntax}, {"2^-1", data::kMessageExpressionSyntax}, {"1- -2", data::kMessageExpressionSyntax}});
  ExpectValues({{"PI^2", kPi * kPi, 1e-16L}, {"2^(0-1)", 0.5L, kUlps}, {"2*(-3)", -6}});
  for (const char* text : {"SIN 30", "SIN()", "SIN(30", "SINE(30)", "FOO(1)", "(1", "1)", "1 2", "#", "1,5",
                           "   ", "ERR", "2.5.5", "2E", "3E+", "+", "\xE4"}) {
    EXPECT_EQ(EvaluateExpression(text).errorCode, data::kMessageExpressionSyntax) << text;
  }
}

TEST(ExpressionErrors, EachRuntimeErrorHasItsCode) {
  ExpectErrors({{"1/0", data::kMessageDivisionByZero}, {"4/(2-2)", data::kMessageDivisionByZero},
                // A power's base is a number or PI, never negative: only 0 reaches 92.
                {"0^0.5", data::kMessageNegativeBase}, {"0^0", data::kMessageZeroPowerZero},
                // 94 is not reachable: the cosine of an extended angle is never
                // exactly 0, so TAN(90) is merely large.
                {"TAN(90)", 0}, {"COT(90)", data::kMessageCotUndefined}, {"COT(0)", data::kMessageCotUndefined},
                {"COT(-180)", data::kMessageCotUndefined}, {"ASIN(1.5)", data::kMessageAsinRange},
                {"ACOS(-2)", data::kMessageAcosRange}, {"SQRT(-1)", data::kMessageSqrtNegative},
                // 100 (unknown operation) is not reachable: the compiler emits
                // only operations the runner knows.
                {"LN(0)", data::kMessageLnRange}, {"LN(-1)", data::kMessageLnRange},
                // The first error of the run wins; nothing runs after a syntax error.
                {"1/0+SQRT(-1)", data::kMessageDivisionByZero}, {"SQRT(-1)+1/0", data::kMessageSqrtNegative},
                {"1/0+(1", data::kMessageExpressionSyntax}});
}

// The 255-character text (its end mark included), the 49-value stack.
TEST(ExpressionLimits, TextAndStackAtTheirLimits) {
  ExpectValues({{"", 0},  // empty: zero without error
                {std::string(253, ' ') + "7", 7},
                {"0" + Repeat("+.5", 50), 25},  // padded decimal points stay within the limit
                {Repeat("1*", 48) + "1", 1},    // 49 factors
                {Repeat("1+(", 48) + "1" + std::string(48, ')'), 49},
                {Repeat("1+", 120) + "1", 121}});  // a long sum stays shallow
  ExpectErrors({{std::string(254, ' ') + "7", data::kMessageExpressionSyntax}, {"7" + std::string(299, ' '), data::kMessageExpressionSyntax},
                {"0" + Repeat("+.5", 84), data::kMessageExpressionSyntax},
                {Repeat("1*", 49) + "1", data::kMessageStackOverflow},
                {Repeat("1+(", 49) + "1" + std::string(49, ')'), data::kMessageStackOverflow}});
}

// Literals convert to the nearest extended value; out of range they
// underflow to 0 or are refused.
TEST(ExpressionNumbers, ConvertedToTheNearestExtendedValue) {
  ExpectValues({{"0.1", 0.1L}, {"2.00000000000000E+0000", 2}, {"1.5e3", 1500},
                {"123456789012345678901234567890", 123456789012345678901234567890.0L},
                {"0.1000000000000000000000001", 0.1000000000000000000000001L},
                {"0.00000000000000000000000000000000001", 1e-35L}, {"1E4000", 1E4000L}, {"1E-4000", 1E-4000L},
                {"1E-99999", 0}, {"0E99999", 0}});
  ExpectErrors({{"1E5000", data::kMessageExpressionSyntax}, {"1E99999999999999999999", data::kMessageExpressionSyntax}});
}

}  // namespace
