// The three readings of a comment side by side: the run's closed first
// pair, preparation's first "(" running to the line's end when unclosed,
// and the comments of other controls with the ";" that still separates
// dialect words.
#include "nc/lexical/comments.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace {

TEST(Comments, TheRunRemovesOnlyTheFirstClosedPair) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"G01 (a) X1", "G01  X1"}, {"(a)(b)", "(b)"}, {"X1 ) (", "X1 ) ("}, {"X1 (", "X1 ("}, {"(abc)", ""}};
  for (const auto& [in, out] : cases) {
    std::string block(in);
    nc::RemoveFirstComment(block);
    EXPECT_EQ(block, out);
  }
}

TEST(Comments, PreparationRunsAnUnclosedParenthesisToTheLineEnd) {
  struct Case {
    std::string_view line;
    std::size_t index;
    bool inside;  // for preparation
    bool run;     // the run removes a comment
  } cases[] = {
      {"N10 (L5) X1", 5, true, true},
      {"N10 (X1 L5", 9, true, false},  // unclosed: preparation skips it, the run reads it
      {"N10 ) X1 L5 (", 9, false, false},
      {"N10 (X1) L5", 9, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nc::InsideComment(nc::FirstCommentBounds(c.line), c.index), c.inside) << c.line;
    EXPECT_EQ(nc::FirstComment(c.line).has_value(), c.run) << c.line;
  }
  // The missing ")" stands at index 254, the last a line has: at it a
  // character is outside the comment, one before it inside.
  const std::string line = "N10 (" + std::string(250, 'A');
  ASSERT_EQ(line.size(), 255u);
  EXPECT_TRUE(nc::InsideComment(nc::FirstCommentBounds(line), 253));
  EXPECT_FALSE(nc::InsideComment(nc::FirstCommentBounds(line), 254));
}

TEST(Comments, OtherControlsWriteParenthesesAndSemicolons) {
  using F = nc::ForeignComment;
  const std::pair<std::string_view, F> cases[] = {
      {"X1 (A", F::kParentheses},
      {"X1 ;A", F::kSemicolon},
      {"X1 ;L5", F::kSemicolon},     // no "=": no assignment
      {"X1 ;L=5", F::kSemicolon},    // no digits
      {"X1 ;", F::kNone},            // nothing but blanks follows
      {"X1 ;   ", F::kNone},
      {"X1 ; L5 = 3", F::kNone},     // a parameter assignment follows
      {"X1 ;l12=4", F::kNone},       // as other controls write it
      {"X1 Y2", F::kNone},
  };
  for (const auto& [line, kind] : cases) {
    EXPECT_EQ(nc::ForeignCommentAt(line, 3), kind) << line;
    if (line[3] == ';') {
      EXPECT_EQ(nc::StartsSemicolonComment(line, 3), kind == F::kSemicolon) << line;
    }
  }
  EXPECT_EQ(nc::ParenthesesCommentClose("(A) (B)", 1), 2u);
  EXPECT_EQ(nc::ParenthesesCommentClose("(A", 1), std::string_view::npos);
}

}  // namespace
