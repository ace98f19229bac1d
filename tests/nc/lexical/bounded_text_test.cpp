#include "nc/lexical/bounded_text.h"

#include <string>

#include <gtest/gtest.h>

#include "data/text.h"

namespace {

// The system's text limit (255 bytes).
constexpr std::size_t kLimit = data::kMaxText;

// n bytes that differ from their neighbours, so a test sees which were kept.
std::string Pattern(std::size_t n) {
  std::string text(n, ' ');
  for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

std::string Text(const nc::BoundedText& t) { return std::string(t.view()); }

TEST(BoundedText, AssignCutsAtTheLimit) {
  EXPECT_EQ(Text(nc::BoundedText(Pattern(kLimit))), Pattern(kLimit));
  EXPECT_EQ(Text(nc::BoundedText(Pattern(kLimit + 1))), Pattern(kLimit));
  EXPECT_TRUE(nc::BoundedText("").empty());

  nc::BoundedText t(Pattern(10));
  t.Assign(Pattern(kLimit + 40));
  EXPECT_EQ(Text(t), Pattern(kLimit));
  t.Assign(t.view().substr(3));  // a part of the text itself
  EXPECT_EQ(Text(t), Pattern(kLimit).substr(3));
  t.Clear();
  EXPECT_TRUE(t.empty());
}

TEST(BoundedText, CopiesKeepTheText) {
  const nc::BoundedText full(Pattern(kLimit));
  nc::BoundedText copy(full);
  EXPECT_EQ(Text(copy), Pattern(kLimit));
  nc::BoundedText shorter("xy");
  copy = shorter;
  EXPECT_EQ(Text(copy), "xy");
  copy = full;
  EXPECT_EQ(Text(copy), Pattern(kLimit));
  const nc::BoundedText& self = copy;
  copy = self;
  EXPECT_EQ(Text(copy), Pattern(kLimit));
}

TEST(BoundedText, AppendDropsWhatDoesNotFit) {
  nc::BoundedText t(Pattern(kLimit - 1));
  t.Append('!');  // the last byte that fits
  EXPECT_EQ(Text(t), Pattern(kLimit - 1) + "!");
  t.Append('?');
  EXPECT_EQ(Text(t), Pattern(kLimit - 1) + "!");

  nc::BoundedText text(Pattern(kLimit - 3));
  text.Append("123");  // lands exactly at the limit
  EXPECT_EQ(Text(text), Pattern(kLimit - 3) + "123");
  text.Assign(Pattern(kLimit - 3));
  text.Append("1234");
  EXPECT_EQ(Text(text), Pattern(kLimit - 3) + "123");
  text.Append("5");
  EXPECT_EQ(text.size(), kLimit);
}

TEST(BoundedText, InsertPushesTheLastBytesOut) {
  // Filling the text exactly loses nothing.
  nc::BoundedText t(Pattern(kLimit - 2));
  t.Insert(5, "12");
  EXPECT_EQ(Text(t), Pattern(5) + "12" + Pattern(kLimit - 2).substr(5));

  // Into a full text: the inserted bytes push as many out at the end.
  t.Assign(Pattern(kLimit));
  t.Insert(0, "123");
  EXPECT_EQ(Text(t), "123" + Pattern(kLimit - 3));
  t.Assign(Pattern(kLimit));
  t.Insert(kLimit - 1, "12");  // before the last byte
  EXPECT_EQ(Text(t), Pattern(kLimit - 1) + "1");

  // At the limit itself nothing fits.
  t.Assign(Pattern(kLimit));
  t.Insert(kLimit, "1");
  EXPECT_EQ(Text(t), Pattern(kLimit));

  // Past the end means at the end, cut at the limit.
  t.Assign(Pattern(kLimit - 1));
  t.Insert(kLimit, "123");
  EXPECT_EQ(Text(t), Pattern(kLimit - 1) + "1");
  t.Assign("ab");
  t.Insert(100, "c");
  EXPECT_EQ(Text(t), "abc");

  // A text longer than the room left keeps only its head.
  t.Assign("ab");
  t.Insert(1, Pattern(kLimit + 10));
  EXPECT_EQ(Text(t), "a" + Pattern(kLimit - 1));
}

TEST(BoundedText, EraseStaysWithinTheText) {
  nc::BoundedText t(Pattern(kLimit));
  t.Erase(kLimit, 1);  // past the end: nothing
  EXPECT_EQ(Text(t), Pattern(kLimit));
  t.Erase(kLimit - 1, 5);  // the last byte, and no further
  EXPECT_EQ(Text(t), Pattern(kLimit - 1));
  t.Erase(2, 3);
  EXPECT_EQ(Text(t), Pattern(2) + Pattern(kLimit - 1).substr(5));
  t.Erase(0, nc::BoundedText::npos);
  EXPECT_TRUE(t.empty());

  t.Assign("G01G51X-Y");
  EXPECT_TRUE(t.EraseFirst("G51"));
  EXPECT_FALSE(t.EraseFirst("G51"));
  EXPECT_EQ(Text(t), "G01X-Y");

  t.Assign(Pattern(kLimit));
  t.Truncate(kLimit + 1);  // never longer
  EXPECT_EQ(t.size(), kLimit);
  t.Truncate(4);
  EXPECT_EQ(Text(t), "abcd");
}

TEST(BoundedText, FindLooksOnlyAtTheBytesInUse) {
  nc::BoundedText t(std::string(kLimit - 1, '1') + "X");
  EXPECT_EQ(t.Find('X'), kLimit - 1);
  EXPECT_EQ(t.Find('X', kLimit - 1), kLimit - 1);
  EXPECT_EQ(t.Find('X', kLimit), nc::BoundedText::npos);
  EXPECT_EQ(t.Find("1X"), kLimit - 2);
  EXPECT_TRUE(t.Contains('X'));
  EXPECT_FALSE(t.Contains("X1"));
  t.Truncate(kLimit - 1);  // the "X" is no longer in use
  EXPECT_FALSE(t.Contains('X'));

  EXPECT_EQ(t.DigitsEnd(0), kLimit - 1);
  EXPECT_EQ(nc::BoundedText(std::string(kLimit, '7')).DigitsEnd(3), kLimit);
  EXPECT_EQ(nc::BoundedText("T5X").DigitsEnd(1), 2u);
  EXPECT_EQ(nc::BoundedText("T5X").DigitsEnd(0), 0u);
  EXPECT_EQ(nc::BoundedText("T5").DigitsEnd(9), 9u);  // past the end
}

}  // namespace
