#include "nc/expression.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

namespace {

using nc::EvaluateExpression;

::testing::AssertionResult Gives(const std::string& text, long double expected, long double tolerance = 0) {
  const nc::Evaluation e = EvaluateExpression(text);
  if (e.errorCode != 0) return ::testing::AssertionFailure() << text << " fails with " << e.errorCode;
  if (e.value < expected - tolerance || e.value > expected + tolerance) {
    return ::testing::AssertionFailure() << text << " gives " << e.value << ", not " << expected;
  }
  return ::testing::AssertionSuccess();
}

int ErrorOf(const std::string& text) { return EvaluateExpression(text).errorCode; }

std::string Repeat(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

constexpr long double kUlps = 1e-17L;

TEST(ExpressionOrder, PrecedenceAndAssociativity) {
  EXPECT_TRUE(Gives("2*3+4", 10));
  EXPECT_TRUE(Gives("2+3*4", 14));
  EXPECT_TRUE(Gives("10-4-3", 3));     // left-associative
  EXPECT_TRUE(Gives("-2^2", -4));      // the sign applies to the whole first term
  EXPECT_TRUE(Gives("-2*3+1", -5));    // ... but not to the terms after it
  EXPECT_TRUE(Gives("2^3^2", 512, 1e-15L));  // right-associative
  EXPECT_TRUE(Gives("2/4*2", 0.25L));  // a product after "/" belongs to the divisor
}

TEST(ExpressionOrder, DivisionChainsDivideLeftToRightWithinTheirTerm) {
  EXPECT_TRUE(Gives("12/4/3", 1));
  EXPECT_TRUE(Gives("8/2+6/3", 6));
  EXPECT_TRUE(Gives("8/2-6/3", 2));
  EXPECT_TRUE(Gives("(8/2)+(6/3)", 6));
  EXPECT_TRUE(Gives("(9/3)*(8/4)", 6));
  EXPECT_TRUE(Gives("100/(2+3)/2", 10));
  EXPECT_TRUE(Gives("24/(8/2/2)/3", 4));
  EXPECT_TRUE(Gives("60/2E+1/3", 1));    // an exponent sign does not end the term
  EXPECT_TRUE(Gives("60/2e-1/3", 100, 1e-16L));
}

TEST(ExpressionPrepass, SignPairsFold) {
  EXPECT_TRUE(Gives("1--2", 3));
  EXPECT_TRUE(Gives("1+-2", -1));
  EXPECT_TRUE(Gives("1---2", -1));
  EXPECT_TRUE(Gives("1-+-+2", 3));
  EXPECT_TRUE(Gives("2E+-1", 0.2L));
}

TEST(ExpressionPrepass, DecimalPointsGetDigitsOnBothSides) {
  EXPECT_TRUE(Gives(".5+1", 1.5L));
  EXPECT_TRUE(Gives("5.+1", 6));
  EXPECT_TRUE(Gives("(.5)*2", 1));
  EXPECT_TRUE(Gives("5.E1", 50));
  EXPECT_EQ(ErrorOf("1..2"), nc::kExprSyntax);
}

TEST(ExpressionScanning, LettersAreUpperCasedAndBlanksSkipped) {
  EXPECT_TRUE(Gives("sin(30)", 0.5L, kUlps));
  EXPECT_TRUE(Gives("Sqrt ( 16 )", 4));
  EXPECT_TRUE(Gives("pi", std::numbers::pi_v<long double>));
  EXPECT_TRUE(Gives("( 2.00000000000000E+0000)*3+SIN(30)", 6.5L, kUlps));
}

TEST(ExpressionFunctions, ValuesInDegrees) {
  EXPECT_TRUE(Gives("SQR(3)", 9));
  EXPECT_TRUE(Gives("EXP(0)", 1));
  EXPECT_TRUE(Gives("LN(EXP(2))", 2, kUlps));
  EXPECT_TRUE(Gives("COS(60)", 0.5L, kUlps));
  EXPECT_TRUE(Gives("TAN(45)", 1, kUlps));
  EXPECT_TRUE(Gives("COT(45)", 1, kUlps));
  EXPECT_TRUE(Gives("ASIN(0.5)", 30, 1e-16L));
  EXPECT_TRUE(Gives("ASIN(-1)", -90, 1e-16L));
  EXPECT_TRUE(Gives("ACOS(1)", 0, kUlps));
  EXPECT_TRUE(Gives("ACOS(-1)", 180, 1e-16L));
  EXPECT_TRUE(Gives("ATAN(1)", 45, 1e-16L));
  EXPECT_TRUE(Gives("ABS(-3)", 3));
  EXPECT_TRUE(Gives("2^SQRT(4)", 4, 1e-16L));
  EXPECT_TRUE(Gives("TRUNC(-2.7)", -2));
  EXPECT_TRUE(Gives("TRUNC(2.7)", 2));
}

TEST(ExpressionFunctions, TruncSaturatesAtTheRangeOfA64BitInteger) {
  EXPECT_TRUE(Gives("TRUNC(1E30)", static_cast<long double>(std::numeric_limits<std::int64_t>::max())));
  EXPECT_TRUE(Gives("TRUNC(-1E30)", static_cast<long double>(std::numeric_limits<std::int64_t>::min())));
  EXPECT_TRUE(Gives("TRUNC(-9223372036854775807)", -9223372036854775807.0L));
}

TEST(ExpressionSyntax, PowersNeedANumberOrPiAsBase) {
  EXPECT_EQ(ErrorOf("(1+1)^2"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("SIN(30)^2"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("(-8)^(1/3)"), nc::kExprSyntax);
  EXPECT_TRUE(Gives("PI^2", std::numbers::pi_v<long double> * std::numbers::pi_v<long double>, 1e-16L));
  EXPECT_TRUE(Gives("2^(0-1)", 0.5L, kUlps));
}

TEST(ExpressionSyntax, SignsOnlyAtTheStartOfAnExpression) {
  EXPECT_EQ(ErrorOf("2*-3"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("2^-1"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("1- -2"), nc::kExprSyntax);  // a blank keeps the signs apart
  EXPECT_TRUE(Gives("2*(-3)", -6));
}

TEST(ExpressionSyntax, MalformedTexts) {
  for (const char* text : {"SIN 30", "SIN()", "SIN(30", "SINE(30)", "FOO(1)", "(1", "1)", "1 2", "#", "1,5",
                           "   ", "ERR", "2.5.5", "2E", "3E+", "+", "\xE4"}) {
    EXPECT_EQ(ErrorOf(text), nc::kExprSyntax) << text;
  }
}

TEST(ExpressionErrors, EachRuntimeErrorHasItsCode) {
  EXPECT_EQ(ErrorOf("1/0"), nc::kExprDivisionByZero);
  EXPECT_EQ(ErrorOf("4/(2-2)"), nc::kExprDivisionByZero);
  // A power's base is a number or PI, never negative: only 0 reaches 92.
  EXPECT_EQ(ErrorOf("0^0.5"), nc::kExprNegativeBase);
  EXPECT_EQ(ErrorOf("0^0"), nc::kExprZeroPowerZero);
  // 94 is not reachable: the cosine of an extended angle is never exactly 0,
  // so TAN(90) is merely large.
  EXPECT_EQ(ErrorOf("TAN(90)"), 0);
  EXPECT_EQ(ErrorOf("COT(90)"), nc::kExprCotUndefined);
  EXPECT_EQ(ErrorOf("COT(0)"), nc::kExprCotUndefined);
  EXPECT_EQ(ErrorOf("COT(-180)"), nc::kExprCotUndefined);
  EXPECT_EQ(ErrorOf("ASIN(1.5)"), nc::kExprAsinRange);
  EXPECT_EQ(ErrorOf("ACOS(-2)"), nc::kExprAcosRange);
  EXPECT_EQ(ErrorOf("SQRT(-1)"), nc::kExprSqrtNegative);
  // 100 (unknown operation) is not reachable: the compiler emits only
  // operations the runner knows.
  EXPECT_EQ(ErrorOf("LN(0)"), nc::kExprLnRange);
  EXPECT_EQ(ErrorOf("LN(-1)"), nc::kExprLnRange);
}

TEST(ExpressionErrors, TheFirstErrorOfTheRunWins) {
  EXPECT_EQ(ErrorOf("1/0+SQRT(-1)"), nc::kExprDivisionByZero);
  EXPECT_EQ(ErrorOf("SQRT(-1)+1/0"), nc::kExprSqrtNegative);
  EXPECT_EQ(ErrorOf("1/0+(1"), nc::kExprSyntax);  // nothing runs after a syntax error
}

TEST(ExpressionLimits, EmptyTextIsZeroWithoutError) {
  const nc::Evaluation e = EvaluateExpression("");
  EXPECT_EQ(e.errorCode, 0);
  EXPECT_EQ(e.value, 0);
}

TEST(ExpressionLimits, A255CharacterTextLosesItsEndMark) {
  EXPECT_TRUE(Gives(std::string(253, ' ') + "7", 7));
  EXPECT_EQ(ErrorOf(std::string(254, ' ') + "7"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("7" + std::string(299, ' ')), nc::kExprSyntax);
  // Padding decimal points must not grow the text past the limit.
  EXPECT_TRUE(Gives("0" + Repeat("+.5", 50), 25));
  EXPECT_EQ(ErrorOf("0" + Repeat("+.5", 84)), nc::kExprSyntax);
}

TEST(ExpressionLimits, TheStackHoldsFortyNineValues) {
  EXPECT_TRUE(Gives(Repeat("1*", 48) + "1", 1));  // 49 factors
  EXPECT_EQ(ErrorOf(Repeat("1*", 49) + "1"), nc::kExprStackOverflow);
  EXPECT_TRUE(Gives(Repeat("1+(", 48) + "1" + std::string(48, ')'), 49));
  EXPECT_EQ(ErrorOf(Repeat("1+(", 49) + "1" + std::string(49, ')')), nc::kExprStackOverflow);
  EXPECT_TRUE(Gives(Repeat("1+", 120) + "1", 121));  // a long sum stays shallow
}

TEST(ExpressionNumbers, ConvertedToTheNearestExtendedValue) {
  EXPECT_TRUE(Gives("0.1", 0.1L));
  EXPECT_TRUE(Gives("2.00000000000000E+0000", 2));
  EXPECT_TRUE(Gives("1.5e3", 1500));
  EXPECT_TRUE(Gives("123456789012345678901234567890", 123456789012345678901234567890.0L));
  EXPECT_TRUE(Gives("0.1000000000000000000000001", 0.1000000000000000000000001L));
  EXPECT_TRUE(Gives("0.00000000000000000000000000000000001", 1e-35L));
  EXPECT_TRUE(Gives("1E4000", 1E4000L));
  EXPECT_TRUE(Gives("1E-4000", 1E-4000L));
}

TEST(ExpressionNumbers, OutOfRangeLiterals) {
  EXPECT_TRUE(Gives("1E-99999", 0));
  EXPECT_TRUE(Gives("0E99999", 0));
  EXPECT_EQ(ErrorOf("1E5000"), nc::kExprSyntax);
  EXPECT_EQ(ErrorOf("1E99999999999999999999"), nc::kExprSyntax);
}

}  // namespace
