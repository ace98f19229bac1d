#include "data/program_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

TEST(ProgramFile, LineEndsOfEveryKindAndRoundTrip) {
  TempDir dir;
  dir.Write("%1", "%1\r\nN10 G01\nN20 X\xE4\rN30\r\n");
  std::vector<std::string> lines;
  ASSERT_EQ(data::LoadProgramText(dir.File("%1"), lines), data::ProgramLoad::Ok);
  EXPECT_EQ(lines, (std::vector<std::string>{"%1", "N10 G01", "N20 X\xE4", "N30"}));
  ASSERT_TRUE(data::SaveProgramText(dir.File("%2"), lines));
  EXPECT_EQ(dir.Read("%2"), "%1\r\nN10 G01\r\nN20 X\xE4\r\nN30\r\n");
  std::vector<std::string> again;
  ASSERT_EQ(data::LoadProgramText(dir.File("%2"), again), data::ProgramLoad::Ok);
  EXPECT_EQ(again, lines);
  // An empty editor saves an empty file.
  ASSERT_TRUE(data::SaveProgramText(dir.File("e"), {}));
  EXPECT_EQ(dir.Read("e"), "");
}

TEST(ProgramFile, RefusesBinaryHugeAndMissingFiles) {
  TempDir dir;
  dir.Write("bin", std::string("%1\r\n\0\x01\x02", 7));
  std::vector<std::string> lines;
  EXPECT_EQ(data::LoadProgramText(dir.File("bin"), lines), data::ProgramLoad::Binary);
  dir.Write("huge", std::string(data::kMaxProgramFileBytes + 1, 'X'));
  EXPECT_EQ(data::LoadProgramText(dir.File("huge"), lines), data::ProgramLoad::TooLarge);
  EXPECT_EQ(data::LoadProgramText(dir.File("none"), lines), data::ProgramLoad::Unreadable);
  EXPECT_TRUE(lines.empty());
  EXPECT_NE(data::ProgramLoadError(data::ProgramLoad::Binary, "/p/bin").find("/p/bin"), std::string::npos);
}

// The text is held as the scratch file will hold it: every line followed by
// CR LF, whatever ended it in the file.
TEST(ProgramFile, TextHoldsEveryLineWithCrLf) {
  TempDir dir;
  struct Case {
    std::string file;
    std::string text;
  };
  const Case cases[] = {
      {"", ""},
      {"\r\n", "\r\n"},
      {"\r\r\n\n\r", "\r\n\r\n\r\n\r\n"},
      {"%1\nN10", "%1\r\nN10\r\n"},
      {"%1\rN10\r", "%1\r\nN10\r\n"},
  };
  for (const Case& c : cases) {
    dir.Write("p", c.file);
    data::ProgramText text;
    ASSERT_EQ(data::LoadProgramText(dir.File("p"), text), data::ProgramLoad::Ok);
    EXPECT_EQ(text.Bytes(), c.text) << testing::PrintToString(c.file);
  }
}

TEST(ProgramFile, EditorLinesBecomeTheSameText) {
  const data::ProgramText text(std::vector<std::string>{"%1", "", "N10 X1"});
  EXPECT_EQ(text.Bytes(), "%1\r\n\r\nN10 X1\r\n");
  EXPECT_EQ(text.Lines(), (std::vector<std::string>{"%1", "", "N10 X1"}));
  EXPECT_TRUE(data::ProgramText().Lines().empty());
}

TEST(ProgramFile, SizeLimitAtTheLimitItselfAndPipes) {
  TempDir dir;
  dir.Write("full", std::string(data::kMaxProgramFileBytes, 'X'));
  data::ProgramText text;
  ASSERT_EQ(data::LoadProgramText(dir.File("full"), text), data::ProgramLoad::Ok);
  EXPECT_EQ(text.Bytes().size(), data::kMaxProgramFileBytes + 2);
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(data::LoadProgramText(dir.File("fifo"), text), data::ProgramLoad::Unreadable);
  EXPECT_TRUE(text.Empty());
}

}  // namespace
