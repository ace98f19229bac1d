#include "data/program_reader.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using data::ProgramReadStatus;
using testing_support::TempDir;

constexpr std::size_t kPiece = 64 << 10;  // the reader's piece size
constexpr std::size_t kNoLimit = std::size_t{1} << 30;

std::vector<std::string> AllLines(data::ProgramReader& in, std::size_t maxLength = std::string::npos) {
  std::vector<std::string> lines;
  for (std::string line; in.ReadLine(line, maxLength);) lines.push_back(line);
  return lines;
}

// Line ends of every kind, also where one falls on the border between two
// pieces of the file (a CR LF split there is still one line end).
TEST(ProgramReader, LineEndsAlsoAcrossPieces) {
  TempDir dir;
  const std::string first(kPiece - 1, 'X');
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"\r\r\n\n\r", {"", "", "", ""}},
      {"A\r\nB", {"A", "B"}},
      {first + "\r\nN2\r\n", {first, "N2"}},  // CR last byte of the first piece, LF first of the second
      {first + "\rN2", {first, "N2"}},
      {first + "\n\nN3", {first, "", "N3"}},
      {first + "XY\r\n", {first + "XY"}},      // a line running on into the next piece
  };
  for (const Case& c : cases) {
    dir.Write("p", c.text);
    data::ProgramReader in;
    ASSERT_EQ(in.Open(dir.File("p"), kNoLimit), ProgramReadStatus::kOk);
    EXPECT_EQ(in.FileSize(), c.text.size());
    EXPECT_EQ(AllLines(in), c.lines);
    EXPECT_EQ(in.status(), ProgramReadStatus::kOk);
    EXPECT_EQ(in.BytesRead(), c.text.size());
  }
}

TEST(ProgramReader, LongLinesAreCutAndTheirRestSkipped) {
  TempDir dir;
  dir.Write("p", std::string(kPiece + 10, 'A') + "\nB\n");
  data::ProgramReader in;
  ASSERT_EQ(in.Open(dir.File("p"), kNoLimit), ProgramReadStatus::kOk);
  EXPECT_EQ(AllLines(in, 255), (std::vector<std::string>{std::string(255, 'A'), "B"}));
}

TEST(ProgramReader, SkipPastSearchesEveryPiece) {
  TempDir dir;
  dir.Write("p", std::string(kPiece + 5, ' ') + "%12\r\n");
  data::ProgramReader in;
  ASSERT_EQ(in.Open(dir.File("p"), kNoLimit), ProgramReadStatus::kOk);
  ASSERT_TRUE(in.SkipPast('%'));
  EXPECT_EQ(AllLines(in), std::vector<std::string>{"12"});
  EXPECT_TRUE(in.AtEnd());
  EXPECT_FALSE(in.SkipPast('%'));
}

// A NUL byte ends the reading in the piece that holds it: nothing of that
// piece is returned.
TEST(ProgramReader, NulByteEndsTheReading) {
  TempDir dir;
  std::string text(kPiece, 'A');
  text[kPiece - 1] = '\n';
  text += std::string("B\nC\0\n", 5);
  dir.Write("p", text);
  data::ProgramReader in;
  ASSERT_EQ(in.Open(dir.File("p"), kNoLimit), ProgramReadStatus::kOk);
  EXPECT_EQ(AllLines(in).size(), 1u);  // the line of the first piece only
  EXPECT_EQ(in.status(), ProgramReadStatus::kBinary);
  EXPECT_TRUE(in.AtEnd());
}

TEST(ProgramReader, SizeLimitAtTheLimitItself) {
  TempDir dir;
  dir.Write("p", std::string(100, 'A'));
  data::ProgramReader in;
  ASSERT_EQ(in.Open(dir.File("p"), 100), ProgramReadStatus::kOk);
  EXPECT_EQ(AllLines(in), std::vector<std::string>{std::string(100, 'A')});
  EXPECT_EQ(in.Open(dir.File("p"), 99), ProgramReadStatus::kTooLarge);
}

TEST(ProgramReader, OnlyRegularFilesAreOpened) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);  // opening it would wait for a writer
  data::ProgramReader in;
  EXPECT_EQ(in.Open(dir.File("fifo"), kNoLimit), ProgramReadStatus::kCannotOpen);
  EXPECT_EQ(in.Open(dir.path(), kNoLimit), ProgramReadStatus::kCannotOpen);
  EXPECT_EQ(in.Open(dir.File("none"), kNoLimit), ProgramReadStatus::kCannotOpen);
  EXPECT_TRUE(in.AtEnd());
  std::string line;
  EXPECT_FALSE(in.ReadLine(line));
}

}  // namespace
