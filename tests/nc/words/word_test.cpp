#include "nc/words/word.h"

#include <limits>

#include <gtest/gtest.h>

#include "support/message_setup.h"

namespace {

class WordTest : public ::testing::Test, protected testing_support::MessageSetup {
 protected:
  long double Eval(std::string_view word) { return nc::EvaluateWord(word, params, messages); }
  std::string Text(std::string_view word) {
    nc::BoundedText text;
    nc::WordExpression(word, params, text);
    return std::string(text.view());
  }
  std::vector<std::string> Shown() const { return testing_support::ShownLabels(dialogs); }

  nc::ParamTable params;
};

TEST_F(WordTest, LetterAloneBlanksAndEqualsSign) {
  EXPECT_EQ(Eval("X"), 0.0L);
  EXPECT_EQ(Eval(""), 0.0L);
  EXPECT_EQ(Eval("X 12.5"), 12.5L);
  EXPECT_EQ(Eval("X="), 0.0L);
  EXPECT_EQ(Eval("X=-3*2"), -6.0L);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WordTest, ParametersAreSubstitutedInScientificForm) {
  params.Set(5, 2.0L);
  EXPECT_EQ(Text("XR005*3"), "( 2.00000000000000E+0000)*3");
  EXPECT_EQ(Eval("XR005*3"), 6.0L);
  params.Set(7, -0.000125L);
  EXPECT_EQ(Text("YR007"), "(-1.25000000000000E-0004)");
  EXPECT_EQ(Eval("Y-R007"), 0.000125L);
  params.Set(255, 1e300L);
  EXPECT_EQ(Text("ZR255"), "( 1.00000000000000E+0300)");
  params.Set(1, 1.0L / 3.0L);
  EXPECT_EQ(Text("XR001"), "( 3.33333333333333E-0001)");
}

TEST_F(WordTest, MalformedParameterNumberFailsWith98) {
  params.Set(5, 2.0L);
  EXPECT_EQ(Text("XR5"), "(Error)");
  Eval("XR5");
  Eval("XR5*3");  // "5*3" is no parameter number
  Eval("XR256");  // beyond the table
  Eval("XR-01");
  EXPECT_EQ(Shown(), (std::vector<std::string>{" 98", " 98", " 98", " 98"}));
  EXPECT_TRUE(messages.errorFlag());
}

TEST_F(WordTest, FunctionNamesAreNotParameterReferences) {
  EXPECT_EQ(Eval("XSQRT[16]"), 4.0L);
  EXPECT_NEAR(static_cast<double>(Eval("X=SIN[30]")), 0.5, 1e-17);
  EXPECT_EQ(Eval("XSQR[3]"), 9.0L);
  EXPECT_EQ(Eval("XTRUNC[2.7]"), 2.0L);
  params.Set(16, 81.0L);
  EXPECT_EQ(Eval("XSQRT[R016]"), 9.0L);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WordTest, EvaluatorErrorsBecomeMessagesOfTheirNumber) {
  const auto result = nc::EvaluateWordResult("X1/0", params, messages);
  EXPECT_EQ(result.errorCode, 91);
  EXPECT_EQ(Shown(), std::vector<std::string>{" 91"});
}

TEST_F(WordTest, ParameterValueFormatting) {
  char out[nc::kParamTextWidth + 1];
  ASSERT_TRUE(nc::FormatParamValue(0.0L, out));
  EXPECT_STREQ(out, " 0.00000000000000E+0000");
  ASSERT_TRUE(nc::FormatParamValue(-1e-4000L, out));
  EXPECT_STREQ(out, "-1.00000000000000E-4000");
  ASSERT_TRUE(nc::FormatParamValue(9.999999999999999L, out));
  EXPECT_STREQ(out, " 1.00000000000000E+0001");
  EXPECT_FALSE(nc::FormatParamValue(std::numeric_limits<long double>::infinity(), out));
}

}  // namespace
