#include "nc/preparation.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "nc/preparation_limits.h"
#include "nc/preparation_lines.h"
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

TEST(PreparationSplit, ParameterWordBehindANumberStartsABlock) {
  EXPECT_EQ(nc::SplitBeforeParameterWords("N10 G01 X10 L5=3"), (Pieces{"N10 G01 X10", "L5=3"}));
  EXPECT_EQ(nc::SplitBeforeParameterWords("N20 X1 L1=2 L2=3"), (Pieces{"N20 X1", "L1=2", "L2=3"}));
  EXPECT_EQ(nc::SplitBeforeParameterWords("X1L2"), (Pieces{"X1", "L2"}));
  EXPECT_EQ(nc::SplitBeforeParameterWords("X1   L2"), (Pieces{"X1", "L2"}));
}

TEST(PreparationSplit, LettersThatStayInTheirBlock) {
  for (const char* line : {"L5=3 X1",            // first position
                           "N10 XL5",            // behind a letter
                           "N10 X1. L5",         // behind a point, also after blanks
                           "N10 X1.L5",          //
                           "G79 L1>5 N30",       // jumps and calls are never split
                           "N10 G77 H7 X1 L2",   //
                           "N10 (L5) X1 L6=1",   // the first L lies in the comment: nothing is split
                           "N10 (X1 L5",         // an unclosed comment runs to the end
                           "   L5"}) {               // only blanks before it
    EXPECT_EQ(nc::SplitBeforeParameterWords(line), Pieces{line}) << line;
  }
}

TEST(PreparationSplit, CommentBoundsAreTheFirstParentheses) {
  EXPECT_EQ(nc::SplitBeforeParameterWords("N10 X1 L6=1 (L7)"), (Pieces{"N10 X1", "L6=1 (L7)"}));
  // ")" before "(": nothing lies between them.
  EXPECT_EQ(nc::SplitBeforeParameterWords("N10 ) X1 L5 ("), (Pieces{"N10 ) X1", "L5 ("}));
  // A missing ")" stands at position 255: an "L" there is outside the comment.
  const std::string line = "N10 X1 (" + std::string(245, 'A') + "1L";
  ASSERT_EQ(line.size(), 255u);
  EXPECT_EQ(nc::SplitBeforeParameterWords(line).size(), 2u);
  EXPECT_EQ(nc::SplitBeforeParameterWords(line.substr(0, 252) + "1L ").size(), 1u);  // position 254
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
  EXPECT_TRUE(nc::ReadRepeatCount(count, "N10 L7", messages));
  EXPECT_EQ(count, 42);
  EXPECT_TRUE(nc::ReadRepeatCount(count, "L7 P007 X1", messages));
  EXPECT_EQ(count, 7);
  EXPECT_TRUE(nc::ReadRepeatCount(count, "L7 P99", messages));
  EXPECT_EQ(count, 99);
  EXPECT_TRUE(dialogs.messages.empty());
  for (const char* block : {"L7 P", "L7 P X1", "L7 PP5", "L7 P5P"}) {
    EXPECT_FALSE(nc::ReadRepeatCount(count, block, messages)) << block;
  }
  for (const char* block : {"L7 P100", "L7 P99999999999999999999999"}) {
    EXPECT_FALSE(nc::ReadRepeatCount(count, block, messages)) << block;
  }
  EXPECT_EQ(Shown(), (std::vector<std::string>{" 17", " 17", " 17", " 17", " 18", " 18"}));
  EXPECT_EQ(count, 99);
}

TEST_F(PreparationTest, LongLinesAreCutAndTheirRestSkipped) {
  const std::string line = "N10 X" + std::string(300, '1');
  ASSERT_TRUE(Prepare("%1\r\n" + line + "\r\nN20\r\n"));
  EXPECT_EQ(listing.lines[2], line.substr(0, 255));
  EXPECT_EQ(listing.lines[3], "N20");
  EXPECT_EQ(listing.lineCount, 4);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PreparationTest, ProgramStartAtTheVeryEnd) {
  EXPECT_FALSE(Prepare("N10 X1\n%"));
  EXPECT_EQ(Shown(), std::vector<std::string>{" 44"});
  EXPECT_EQ(LastMessage().block, "%");
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
  dir.Write("%1", "%1\nN1\n");
  std::filesystem::resize_file(dir.File("%1"), nc::kMaxProgramBytes + 1);
  EXPECT_FALSE(Prepare("%1\nG77 H1\n"));
  EXPECT_EQ(LastMessage().description, nc::kProgramTooLarge);
  EXPECT_EQ(LastMessage().program, "1");

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
