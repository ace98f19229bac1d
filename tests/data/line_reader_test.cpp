#include "data/line_reader.h"

#include <sstream>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(const std::string& text, int* longLines = nullptr) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  std::string line;
  bool isLong = false;
  while (data::ReadTextLine(in, line, &isLong)) {
    lines.push_back(line);
    if (isLong && longLines != nullptr) ++*longLines;
  }
  return lines;
}

TEST(LineReader, EveryLineEndAndNoPhantomLastLine) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Lines(""), std::vector<std::string>{});
  EXPECT_EQ(Lines("\n"), std::vector<std::string>{""});
}

TEST(LineReader, LongLinesKeep255AndReportTheCut) {
  int longLines = 0;
  const auto lines = Lines(std::string(300, 'x') + "\r\nshort\r\n" + std::string(255, 'y'), &longLines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(255, 'x'));
  EXPECT_EQ(lines[1], "short");
  EXPECT_EQ(lines[2].size(), 255u);
  EXPECT_EQ(longLines, 1);
}

TEST(LineReader, BinaryBytesPassThrough) {
  const std::string junk("\0\x01\xFF\x1A", 4);
  EXPECT_EQ(Lines(junk + "\n"), std::vector<std::string>{junk});
}

}  // namespace
