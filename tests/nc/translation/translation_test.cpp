#include "nc/translation/translation.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "nc/lexical/comments.h"
#include "support/message_setup.h"

namespace {

// A block in, the block out, and the message it fails with (0: accepted).
struct Case {
  std::string_view in;
  std::string_view out;
  int message = 0;
};

class TranslationTest : public ::testing::Test, protected testing_support::MessageSetup {
 protected:
  std::vector<int> Shown() const { return ShownNumbers(); }

  void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.in));
      dialogs.messages.clear();
      std::string block(c.in);
      const bool ok = nc::TranslateBlock(block, mirror, params, messages);
      EXPECT_EQ(block, c.out);
      EXPECT_EQ(ok, c.message == 0);
      EXPECT_EQ(Shown(), c.message == 0 ? std::vector<int>{} : std::vector<int>{c.message});
    }
  }

  nc::ParamTable params;
  nc::MirrorFactors mirror;
};

TEST_F(TranslationTest, RemovesBlockNumberIgnoredWordsAndEnds) {
  Check({{"N0010 G01 X10", " G01 X10"},
         {" \t\x01N10 X1 \r\n", " X1"},
         {"12N5N X1", " X1"},
         {"N10", ""},
         {"N10 A-45.5A2 G01 A3", "  G01 A3"},  // only the first A word
         {"B+1.5 X1 B2", " X1 B2"},
         {"ED5 A3", "A5 "},  // the A word goes before "ED" becomes "A"
         {"G01 ED5 T1", "G01 A5 T01"}});
}

TEST_F(TranslationTest, BlankBlockIsAcceptedUnchanged) {
  Check({{"", ""}, {"   ", "   "}, {"\t\x02 ", "\t\x02 "}});
}

TEST_F(TranslationTest, AtMostTwoNAddressesAfterTheBlockNumber) {
  Check({{"N1 X1 N2 N3", " X1 N2 N3"}, {"N1 X1 N2 N3 N4", " X1 N2 N3 N4", 148}});
}

TEST_F(TranslationTest, FunctionLetters) {
  Check({{"L5=S30", "R005=SIN[30]"},
         {"L5=C30", "R005=COS[30]"},
         {"L5=R16", "R005=SQRT[16]"},  // the radius step finds no "R" left
         {"L5=SL6", "R005=SIN[R006]"},
         {"X[S30]", "X[SIN[30]]"},
         {"X=S-30*C+5", "X=SIN[-30]*COS[5]"},
         {"X=R9 R5", "X=SQRT[9] U5"},
         // The first unconverted letter is taken, not the one after the operator.
         {"S500 X=S30", "SIN[500] X=S30"},
         // A sign in the first position is passed over, the signs after it are not.
         {"-S30", "-S30"},
         {"+S30 X-S5", "+SIN[30] X-S5"},
         // A sign after "E" leaves the whole block as it was.
         {"X=S30 Y=C5 E-", "X=S30 Y=C5 E-"},
         {"X=S30 R5 E+", "X=S30 U-5 "},
         // Not in jump and call blocks (their conditions have their own search).
         {"G77 H12 S2 X-S5", " L12P02  X-S5"}});
}

TEST_F(TranslationTest, ToolChangeToolAndCorrectionWords) {
  Check({{"M6 T1", "M06 T01"},
         {"M6 T", "M06 T00"},
         {"M3 M6 T1", "M3 M06 T01"},
         {"M61 M06 T5", "M61 M06 T05"},
         {"T12 D3", "T12 D03"},
         {"T123 D", "T123 D00"},
         {"M06", "M06", 131},
         {"M6", "M06", 131},
         {"M6 D1", "M06 D01", 131},
         {"D1", "D01", 162}});
}

TEST_F(TranslationTest, MirroringSetsTheFactorsAndRemovesTheWords) {
  struct MirrorCase {
    std::string_view in;
    nc::MirrorFactors before;
    std::string_view out;
    nc::MirrorFactors after;
  };
  const MirrorCase cases[] = {
      {"G51 X-", {1, 1}, " ", {-1, 1}},     {"G51 Y-", {1, 1}, " ", {1, -1}},
      {"G51 X-Y-", {1, 1}, " ", {-1, -1}},  {"G51 X+", {-1, -1}, " ", {1, -1}},
      {"G51 Y+", {-1, -1}, " ", {-1, 1}},   {"G51 X Y", {-1, -1}, "  ", {1, 1}},
      {"G51 Y", {-1, -1}, " ", {-1, 1}},    {"G51 X-Y+", {1, -1}, " ", {-1, 1}},
      {"G51 X-X", {1, 1}, " ", {1, 1}},     {"G51", {-1, -1}, "", {-1, -1}},
      {"G01 X-5 Y", {-1, -1}, "G01 X-5 Y", {-1, -1}},
  };
  for (const MirrorCase& c : cases) {
    SCOPED_TRACE(std::string(c.in));
    std::string block(c.in);
    mirror = c.before;
    EXPECT_TRUE(nc::TranslateBlock(block, mirror, params, messages));
    EXPECT_EQ(block, c.out);
    EXPECT_EQ(mirror.x, c.after.x);
    EXPECT_EQ(mirror.y, c.after.y);
  }
}

TEST_F(TranslationTest, RadiusWord) {
  Check({{"G02 X10 Y0 R5 E+", "G02 X10 Y0 U-5 "},
         {"R5 E-", "U5 "},
         {"R5 E- E+", "U-5  "},
         {"R5 R6", "U5 R6"},
         {"X1 E+", "X1 E+"},           // no radius: the sign word stays
         {"U1 R5 E+", "U-1 U5 "}});  // the sign follows the first "U"
}

TEST_F(TranslationTest, Parameters) {
  Check({{"L5=1", "R005=1"},
         {"L0 L19 L100 L199 L007", "R000 R019 R100 R199 R007"},
         {"X=L1+L102", "X=R001+R102"},
         {"X(L5)", "X[R005])"},
         {"L25=1", "L25=1", 7},
         {"L20", "L20", 7},
         {"L99", "L99", 7},
         {"L200", "L200", 7},
         {"L", "L", 7},
         {"L99999999999999999999", "L99999999999999999999", 7},
         {"L1 X=L50", "R001 X=L50", 7}});
}

TEST_F(TranslationTest, DecodingConvertsAtMostTenParentheses) {
  std::string in;
  std::string out;
  for (int i = 0; i < 11; ++i) in += "(1";
  for (int i = 0; i < 10; ++i) out += "[1]";
  out += "(1";
  Check({{in, out}, {"X(+5) Y(-5.5) Z(x)", "X[5]) Y[-5.5]) Z[]x)"}});
}

TEST_F(TranslationTest, SecondCommentIsRead) {
  // The run removes the first comment; the second stays and its "(" becomes "[".
  std::string block = "G01 (one) X1 (two)";
  nc::RemoveFirstComment(block);
  EXPECT_TRUE(nc::TranslateBlock(block, mirror, params, messages));
  EXPECT_EQ(block, "G01  X1 []two)");
}

TEST_F(TranslationTest, UnconditionalJumpsAndCalls) {
  Check({{"G79 N50", "@100 K50"},
         {"G79 NL5", "@100 KR005"},
         {"N10 X1 G79 N50", " X1 @100 K50"},
         {"G79", "@100", 25},
         {"G79 N50 N60", "@100 K50 N60", 168},
         {"G77 H12 S3", " L12P03 "},
         {"G77 H12", " L12P01"},
         {"G77 H12 S123", " L12P123 "},
         {"G77 H12 S", " L12P00 "},
         {"G77 S3 H12", "  L12P03"},
         {"G77 X1", " X1"},
         {"G77 G79 N5", "G77 @100 K5"}});  // both: a jump
}

TEST_F(TranslationTest, ConditionalJumpsAndCallsWithEachOperator) {
  params.Set(1, 5.0L);
  struct Operator {
    std::string_view op, holds, fails;
  };
  const Operator operators[] = {{">", "4", "5"}, {"<", "6", "5"}, {">=", "5", "6"},
                                {"<=", "5", "4"}, {"=", "5", "4"}, {"<>", "4", "5"}};
  for (const Operator& o : operators) {
    const std::string condition = "L1" + std::string(o.op);
    Check({{"G79 " + condition + std::string(o.holds) + " N20", "@100K20"},
           {"G79 " + condition + std::string(o.fails) + " N20", ""},
           {"G77 " + condition + std::string(o.holds) + " H12 S3", " L12P03 "},
           {"G77 " + condition + std::string(o.fails) + " H12 S3", ""}});
  }
}

TEST_F(TranslationTest, ConditionDetails) {
  params.Set(1, 5.0L);
  params.Set(2, 1.0L);
  Check({{"G79 L1>4 NL2", "@100KR002"},
         {"G79 L1>4 N20 X=1", "@100K20 X=1"},  // ">" comes before "=" in the table
         {"G79 L2=C0 N20", "@100K20"},         // function letters of the condition
         {"-S30<L1 G79 N20", "@100K20"},       // a leading sign counts in a condition
         {"G79 L1>S30 N20 E+", "@100K20 E+"},  // and "E" does not stop the search
         {"G77 L1>0 H12 SL2", " L12PR002 "},   // the repeat count may be a parameter
         {"G77 L1>4", "G77 R001>4"},           // no "H": the block stays
         {"G79 L1>4", "G79 R001>4", 25}});
}

TEST_F(TranslationTest, InsertionsAreCutAt255) {
  const auto padded = [](std::string head) { return head + std::string(255 - head.size(), '1'); };
  const std::string parens(255, '(');
  std::string decoded;
  for (int i = 0; i < 10; ++i) decoded += "[]";
  Check({{padded("M6 T1 X"), "M06 T01 X" + std::string(246, '1')},
         {padded("L5 X"), "R005 X" + std::string(249, '1')},
         {padded("X=S"), "X=SIN[" + std::string(249, '1')},
         // "@100" is inserted before "G79" is deleted.
         {padded("G79 N5 X"), "@100 K5 X" + std::string(243, '1')},
         {parens, decoded + std::string(235, '(')},
         {std::string(255, 'L'), std::string(255, 'L'), 7},
         {std::string(255, 'N'), ""},
         {"X" + std::string(254, 'N'), "X" + std::string(254, 'N'), 148}});
  std::string longer(300, 'X');
  EXPECT_TRUE(nc::TranslateBlock(longer, mirror, params, messages));
  EXPECT_EQ(longer, std::string(255, 'X'));
}

}  // namespace
