// Random valid expressions through the evaluator: none is a syntax error,
// each gives a known error code or a value, and letter case does not matter.
// (Arbitrary texts are the fuzz target's.)
#include "nc/expression/expression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <string_view>

namespace {

bool IsKnownError(int code) {
  return code == 0 || (code >= data::kMessageDivisionByZero && code <= data::kMessageStackOverflow) ||
         code == data::kMessageLnRange;
}

bool Same(const nc::Evaluation& a, const nc::Evaluation& b) {
  if (a.errorCode != b.errorCode) return false;
  return a.value == b.value || (std::isnan(a.value) && std::isnan(b.value));
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : random_(seed) {}

  // A syntactically valid expression with random blanks.
  std::string Valid(int depth = 0) {
    std::string text = Below(4) == 0 ? "-" : "";
    const std::size_t terms = 1 + Below(2);
    for (std::size_t i = 0; i < terms; ++i) {
      if (i > 0) text += Below(2) ? "+" : "-";
      text += Term(depth);
    }
    return text;
  }

 private:
  // Slightly biased, which does not matter here, and cheap in a debug build.
  std::size_t Below(std::size_t n) { return random_() % n; }

  std::string Term(int depth) {
    std::string text = Factor(depth);
    while (Below(3) == 0) text += std::string(Below(2) ? "*" : "/") + Factor(depth);
    return text;
  }

  std::string Factor(int depth) {
    static constexpr std::array<std::string_view, 13> kFunctions = {
        "SQR", "SQRT", "EXP", "SIN", "COS", "TAN", "COT", "ASIN", "ACOS", "ATAN", "ABS", "LN", "TRUNC"};
    const std::size_t pick = depth >= 3 ? 0 : Below(4);
    if (pick <= 1) return Blank() + Base() + (Below(4) == 0 ? "^" + Factor(depth + 1) : "") + Blank();
    if (pick == 2) return "(" + Valid(depth + 1) + ")";
    return std::string(kFunctions[Below(kFunctions.size())]) + "(" + Valid(depth + 1) + ")";
  }

  std::string Base() {
    static constexpr std::array<std::string_view, 10> kNumbers = {
        "0", "1", "2.5", ".5", "7.", "90", "1E3", "2e-2", "180", "PI"};
    return std::string(kNumbers[Below(kNumbers.size())]);
  }

  std::string Blank() { return Below(4) == 0 ? " " : ""; }

  std::mt19937 random_;
};

TEST(ExpressionFuzz, ValidTextsCompileAndRun) {
  TextMaker maker(7u);
  int ran = 0;
  for (int i = 0; i < 6000; ++i) {
    const std::string text = maker.Valid();
    // Each "." gains at most one "0"; the text must keep room for its end mark.
    if (text.size() + std::count(text.begin(), text.end(), '.') >= 255) continue;
    const nc::Evaluation e = nc::EvaluateExpression(text);
    ASSERT_NE(e.errorCode, data::kMessageExpressionSyntax) << text;
    ASSERT_TRUE(IsKnownError(e.errorCode)) << text;
    ASSERT_TRUE(Same(e, nc::EvaluateExpression(Lower(text)))) << text;
    ++ran;
  }
  EXPECT_GT(ran, 5000);
}

}  // namespace
