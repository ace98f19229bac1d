#include "data/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, Cp1252RoundTripsThroughUtf8) {
  const std::string cp = "Gr\xF6\xDF" "e \x80 \x84";
  const std::string utf8 = data::Cp1252ToUtf8(cp);
  EXPECT_EQ(utf8, "Größe € „");
  EXPECT_EQ(data::Utf8ToCp1252(utf8), cp);
}

TEST(Text, Utf8WithoutCodeOrMalformedBecomesQuestionMark) {
  EXPECT_EQ(data::Utf8ToCp1252("a\xE2\x88\x9E" "b"), "a?b");  // infinity sign
  EXPECT_EQ(data::Utf8ToCp1252("a\xC3"), "a?");              // cut sequence
  EXPECT_EQ(data::Utf8ToCp1252("\xFF"), "?");
}

TEST(Text, UpperCaseTouchesOnlyAToZ) {
  EXPECT_EQ(data::UpperAscii("g01 x\xE4"), "G01 X\xE4");
}

TEST(Text, TrimRemovesBlanksAndControls) {
  EXPECT_EQ(data::Trim("\t  G01 X5 \r\n"), "G01 X5");
  EXPECT_EQ(data::Trim("   "), "");
  EXPECT_EQ(data::StripLeadingBlanks("  \tA "), "\tA ");
}

TEST(Text, CutKeeps255Bytes) {
  EXPECT_EQ(data::CutText(std::string(300, 'X')).size(), 255u);
}

}  // namespace
