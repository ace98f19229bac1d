#include "nc/preparation/preparation.h"

#include <filesystem>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/program_file.h"
#include "nc/preparation/listing.h"
#include "nc/preparation/limits.h"
#include "nc/preparation/lines.h"
#include "preparation_fixture.h"

namespace {

using Pieces = std::vector<std::string>;

class PreparationTest : public ::testing::Test, protected testing_support::PreparationBench {
 protected:
  const data::MessageLabels& LastMessage() const { return dialogs.messages.back(); }
};

TEST(PreparationText, StripBlanksRemovesOnlyCode32) {
  EXPECT_EQ(nc::StripBlanks(" N10  G01\tX 5 "), "N10G01\tX5");
  EXPECT_EQ(nc::StripBlanks("   "), "");
}

// The golden case prep_split shows lines split behind a number and after
// blanks, and kept behind a letter or a point, in jumps and calls and when
// the first L lies in a comment; here the rest.
TEST(PreparationSplit, WhereAParameterWordStartsABlock) {
  EXPECT_EQ(nc::SplitBeforeParameterWords("X1L2"), (Pieces{"X1", "L2"}));
  // ")" before "(": nothing lies between them.
  EXPECT_EQ(nc::SplitBeforeParameterWords("N10 ) X1 L5 ("), (Pieces{"N10 ) X1", "L5 ("}));
  for (const char* line : {"L5=3 X1",      // first position
                           "N10 X1. L5",   // behind a point, also after blanks
                           "N10 (X1 L5",   // an unclosed comment runs to the end (where: comments_test)
                           "   L5"}) {     // only blanks before it
    EXPECT_EQ(nc::SplitBeforeParameterWords(line), Pieces{line}) << line;
  }
}

TEST(PreparationLookup, FindSubprogramComparesDigitsAsText) {
  data::SubprogramTable table;
  table.count = 3;
  table.entries[0].name = "7";  // the main program is never a call target
  table.entries[1].name = "07";
  table.entries[2].name = "7";
  table.entries[3].name = "7";
  nc::SubprogramSlots slots{};
  EXPECT_TRUE(nc::FindSubprogram("N10 L7 P2", 2, 'L', table, slots));
  EXPECT_EQ(slots[2], 2);
  EXPECT_TRUE(nc::FindSubprogram("L07", 1, 'L', table, slots));
  EXPECT_EQ(slots[1], 1);
  EXPECT_FALSE(nc::FindSubprogram("L8", 3, 'L', table, slots));
  EXPECT_FALSE(nc::FindSubprogram("N7", 3, 'L', table, slots));
  EXPECT_FALSE(nc::FindSubprogram("L7", 4, 'L', table, slots));  // no such level
  EXPECT_EQ(slots[3], 0);
}

TEST_F(PreparationTest, RepeatCount) {
  std::int32_t count = 42;
  for (const auto& [block, read] : {std::pair{"N10 L7", 42}, std::pair{"L7 P007 X1", 7}, std::pair{"L7 P99", 99}}) {
    EXPECT_TRUE(nc::ReadRepeatCount(count, block, messages)) << block;
    EXPECT_EQ(count, read) << block;  // without a P the count stays
  }
  EXPECT_TRUE(dialogs.messages.empty());
  for (const char* block : {"L7 P", "L7 P X1", "L7 PP5", "L7 P5P", "L7 P100", "L7 P99999999999999999999999"}) {
    EXPECT_FALSE(nc::ReadRepeatCount(count, block, messages)) << block;
  }
  EXPECT_EQ(Shown(), (std::vector<std::string>{" 17", " 17", " 17", " 17", " 18", " 18"}));
  EXPECT_EQ(count, 99);
}

TEST_F(PreparationTest, LongLinesAreCutAndTheirRestSkipped) {
  const std::string line = "N10 X" + std::string(300, '1');
  ASSERT_TRUE(Prepare("%1\r\n" + line + "\r\nN20\r\n"));
  EXPECT_EQ(listing.Line(3), line.substr(0, 255));
  EXPECT_EQ(listing.Line(4), "N20");
  EXPECT_EQ(listing.lineCount, 4);
  EXPECT_TRUE(dialogs.messages.empty());
}

// Every listing line records its program and the line of its file: lines
// before the "%", blank lines and a lone CR counted, a split line's pieces
// from the same line, the end markers from none.
TEST_F(PreparationTest, EachLineRecordsItsProgramAndFileLine) {
  dir.Write("%5", "(SUB)\r\n%5\r\nN10 X1\r\rN20 X2\r\n");
  ASSERT_TRUE(Prepare("(X)\r\n%1\r\nN10 G77 H5\r\n\r\nN20 X1 L5=3\r\n"));
  const std::vector<data::ListingOrigin> origins{{0, 0}, {0, 2}, {0, 3}, {0, 5}, {0, 5},
                                                 {0, 0}, {1, 2}, {1, 3}, {1, 5}, {1, 0}};
  ASSERT_EQ(listing.Size(), static_cast<std::int64_t>(origins.size()));
  for (std::int64_t n = 1; n <= listing.Size(); ++n) {
    EXPECT_EQ(listing.Origin(n), origins[static_cast<std::size_t>(n - 1)]) << n << ": " << listing.Line(n);
  }
  EXPECT_EQ(listing.Origin(0), data::ListingOrigin{});
  EXPECT_EQ(listing.Origin(listing.Size() + 1), data::ListingOrigin{});
}

// A file that ends directly after its "%" holds no program, also when one
// line end is all that follows (the scratch file ends every line).
TEST_F(PreparationTest, ProgramStartAtTheVeryEnd) {
  for (const char* text : {"N10 X1\n%", "%", "%\r\n", "%\n", "%\r", "N10\r\n%\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(text));
    dialogs.messages.clear();
    EXPECT_FALSE(Prepare(text));
    EXPECT_EQ(Shown(), std::vector<std::string>{" 44"});
    EXPECT_EQ(LastMessage().block, "%");
  }
  // Anything more after the "%" is its header line, an empty one included.
  for (const char* text : {"%\r\n\r\n", "%\n\n", "%\r\r", "% \r\n", "%\r\nN10\r\n"}) {
    SCOPED_TRACE(testing::PrintToString(text));
    dialogs.messages.clear();
    EXPECT_TRUE(Prepare(text));
    EXPECT_EQ(nc::ReadListingLine(listing, 2).substr(0, 1), "%");
    EXPECT_TRUE(dialogs.messages.empty());
  }
}

// Every program file gets the checks the main program gets when it is
// loaded, with the same text naming the file (without its directory, which
// is the main program's); the block shown is the call.
TEST_F(PreparationTest, SubprogramFilesAreCheckedLikeMainPrograms) {
  const std::string path = "%2";  // the name, as the message shows it
  std::string large = "%2\nN1 X1\n";
  large.resize(data::kMaxProgramFileBytes + 1, ' ');
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {std::string("%2\nN1 X1\0Y2\nN2\n", 15), data::ProgramLoadError(data::ProgramLoad::Binary, path)},
      {std::string("\0%2\nN1\n", 7), data::ProgramLoadError(data::ProgramLoad::Binary, path)},
      {large, data::ProgramLoadError(data::ProgramLoad::TooLarge, path)},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    dir.Write("%2", c.text);
    EXPECT_FALSE(Prepare("%1\nN10 G77 H2\n"));
    ASSERT_EQ(Shown(), std::vector<std::string>{"Direkt"});
    EXPECT_EQ(LastMessage().description, c.message);
    EXPECT_EQ(LastMessage().program, "main.nc");
    EXPECT_EQ(LastMessage().block, "N10 G77 H2");
    for (std::int32_t n = 1; n <= listing.lineCount + 1; ++n) {
      EXPECT_EQ(nc::ReadListingLine(listing, n).find('\0'), std::string::npos) << n;
    }
  }
  // Exactly at the size limit the file is read.
  large.pop_back();
  dir.Write("%2", large);
  dialogs.messages.clear();
  EXPECT_TRUE(Prepare("%1\nN10 G77 H2\n"));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(table.count, 1);
}

TEST_F(PreparationTest, OnlyRegularFilesAreRead) {
  std::filesystem::create_directory(dir.File("%2"));
  ASSERT_EQ(::mkfifo(dir.File("%3").c_str(), 0600), 0);  // opening it would wait for a writer
  for (const char* call : {"N10 G77 H2", "N10 G77 H3"}) {
    dialogs.messages.clear();
    EXPECT_FALSE(Prepare(std::string("%1\n") + call + "\n"));
    EXPECT_EQ(Shown(), std::vector<std::string>{" 20"});
    EXPECT_EQ(LastMessage().block, call);
  }
}

TEST_F(PreparationTest, MainProgramWithANulByteIsRefused) {
  EXPECT_FALSE(Prepare(std::string("%1\nN10 X1\0\n", 11)));
  ASSERT_EQ(Shown(), std::vector<std::string>{"Direkt"});
  EXPECT_EQ(LastMessage().description, data::ProgramLoadError(data::ProgramLoad::Binary, "main.nc"));
}

TEST_F(PreparationTest, SubprogramNumbersCompareAsIntegers) {
  dir.Write("%12", "%012\nN1\n");
  dir.Write("%0013", "%13\nN1\n");
  dir.Write("%14", "%\nN1\n");  // no number matches no file
  EXPECT_TRUE(Prepare("%1\nG77 H12\nG77 H0013\n"));
  EXPECT_EQ(table.count, 2);
  EXPECT_FALSE(Prepare("%1\nG77 H14\n"));
  EXPECT_EQ(Shown(), std::vector<std::string>{" 15"});
  EXPECT_EQ(LastMessage().block, "%");
}

TEST_F(PreparationTest, HugeSubprogramNumbersNeverMatch) {
  dir.Write("%999999999999", "%999999\nN1\n");
  EXPECT_FALSE(Prepare("%1\nG77 H999999999999\n"));
  EXPECT_EQ(Shown(), std::vector<std::string>{" 15"});
  EXPECT_FALSE(Prepare("%1\nG77 H9999999999999\n"));
  EXPECT_EQ(LastMessage().description, nc::kSubprogramNameTooLong);
  EXPECT_EQ(LastMessage().block, "G77 H9999999999999");
}

TEST_F(PreparationTest, AtMost255Subprograms) {
  std::string main = "%1\n";
  for (int k = 1; k <= 256; ++k) {
    main += "G77 H" + std::to_string(k) + "\n";
    dir.Write("%" + std::to_string(k), "%" + std::to_string(k) + "\nN1\n");
  }
  EXPECT_FALSE(Prepare(main));
  EXPECT_EQ(table.count, 255);
  EXPECT_EQ(table.entries[255].name, "255");
  EXPECT_EQ(table.entries[255].end, listing.lineCount);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Direkt"});
  EXPECT_EQ(LastMessage().description, nc::kTooManySubprograms);
  EXPECT_EQ(LastMessage().program, "main.nc");
  EXPECT_EQ(LastMessage().block, "G77 H256");
}

TEST_F(PreparationTest, HugeFilesStopThePreparation) {
  // The scratch file has no limit of its own (its line ends may have
  // doubled the program), only the byte budget of the whole preparation.
  dir.Write("main.nc", "%1\nN1\n");
  std::filesystem::resize_file(dir.File("main.nc"), nc::kMaxProgramBytes + 1);
  mainProgramFile = dir.File("main.nc");
  listing.Clear();
  EXPECT_FALSE(nc::PrepareProgram(preparation, mainProgramFile));
  EXPECT_EQ(LastMessage().description, nc::kProgramTooLarge);
  EXPECT_EQ(LastMessage().program, "main.nc");

  // The byte limit holds for all files together.
  dir.Write("%2", "%2\nN1\n");
  dir.Write("main.nc", "%1\nG77 H2\n");
  listing.Clear();
  ASSERT_TRUE(nc::PrepareProgram(preparation, mainProgramFile));
  preparation.bytesRead = nc::kMaxProgramBytes - 5;
  EXPECT_FALSE(nc::ExpandSubprograms(preparation));
  EXPECT_EQ(LastMessage().description, nc::kProgramTooLarge);
  EXPECT_EQ(LastMessage().program, "2");
}

TEST_F(PreparationTest, ListingLinesAreBounded) {
  // Every "L" behind a digit starts a line: 128 lines from each line read.
  std::string line = "1";
  for (int k = 0; k < 127; ++k) line += "L1";
  std::string main = "%1\n";
  for (int k = 0; k < nc::kMaxListingLines / 128 + 1; ++k) main += line + "\n";
  EXPECT_FALSE(Prepare(main));
  EXPECT_EQ(listing.lineCount, nc::kMaxListingLines);
  EXPECT_EQ(LastMessage().description, nc::kListingFull);
}

TEST_F(PreparationTest, ReadErrorFailsTheLoad) {
  const std::string failing = "/proc/self/mem";  // reading at offset 0 fails
  if (!std::filesystem::exists(failing)) GTEST_SKIP() << "needs " << failing;
  listing.Clear();
  EXPECT_FALSE(nc::LoadProgramFile(preparation, failing));
  EXPECT_EQ(Shown(), std::vector<std::string>{" 23"});
  EXPECT_EQ(LastMessage().program, "mem");
}

}  // namespace
