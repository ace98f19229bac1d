#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "draw/interpreter/execution_fixture.h"
#include "draw/interpreter/execution_messages.h"
#include "support/listing_lines.h"

namespace {

using ExecutionWords = execution_test::ExecutionTest;
constexpr auto kIntMax = std::numeric_limits<std::int32_t>::max();

TEST_F(ExecutionWords, FeedAndSpindleLimitsAndParameters) {
  struct Case {
    std::string_view block;
    int message;  // 0: accepted
    long double feed;
    std::int32_t spindle;
  } cases[] = {
      {"F500", 0, 500, 0},  {"F30000", 0, 30000, 0}, {"F2.6", 0, 3, 0}, {"F2.5", 0, 2, 0},  // halves to even
      {"FR005 SR005", 0, 250, 250}, {"F1E30 S1E30", 0, 1, 1},  // "E30" is a word of its own
      {"S99999999999999999999", 0, 0, kIntMax}, {"SR007", 0, 0, 0},
      {"F0", 38, 0, 0}, {"F", 38, 0, 0}, {"F-5", 38, 0, 0}, {"FR007", 38, 0, 0},
      {"F30001", 39, 0, 0}, {"F999999999999", 39, 0, 0}, {"FR006", 39, 0, 0},
      {"FR256", 7, 0, 0}, {"FR99999999999", 7, 0, 0}, {"SR256", 7, 0, 0},
      {"SR006 X1", 0, 0, kIntMax},  // last: the check after the loop
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.block));
    StartRun();
    ctx.params.Set(5, 250.4L);
    ctx.params.Set(6, 1e30L);
    ctx.params.Set(7, std::nanl(""));
    dialogs.messages.clear();
    Run({c.block});
    EXPECT_EQ(Shown(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
    EXPECT_EQ(ctx.machine.feedValue, c.feed);
    EXPECT_EQ(ctx.machine.spindleSpeed, c.spindle);
    EXPECT_EQ(parts.blockStore.count(), c.message ? 0 : 1);
  }
  EXPECT_EQ(ctx.machine.machineEnd.x, 1.0L);  // after "SR006" the rest of its block ran
}

// A dwell of its block only, and its scale by type: golden draw_words and
// draw_words_type4. A long one is kept whole, its low 16 bits recorded.
TEST_F(ExecutionWords, LongDwellIsKeptWhole) {
  Type(4);
  Run({"G4 F30000"});
  EXPECT_EQ(ctx.machine.dwellTime, 300000);
  EXPECT_EQ(Last().dwell, 300000 % 65536);
}

TEST_F(ExecutionWords, RotationAngle) {
  struct Case {
    std::initializer_list<std::string_view> blocks;
    int message;
    long double degrees;
  } cases[] = {
      {{"A90"}, 0, 90}, {{"A400"}, 0, 40},  {{"A360"}, 0, 0},  // a full turn is no rotation
      {{"A90", "G91 A30"}, 0, 120}, {{"A=SIN[30]*180"}, 0, 90},
      {{"A-10"}, 88, -10}, {{"A800"}, 88, 440},  // out of range after one wrap: kept in degrees
  };
  for (const Case& c : cases) {
    StartRun();
    dialogs.messages.clear();
    Run(c.blocks);
    EXPECT_EQ(Shown(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
    const long double scale = c.message ? 1 : 180 / std::numbers::pi_v<long double>;
    EXPECT_NEAR(static_cast<double>(ctx.machine.rotationAngle * scale), static_cast<double>(c.degrees), 1e-12);
  }
}

// T0, a bare D and the M words in range: golden draw_words.
TEST_F(ExecutionWords, ToolCorrectionAndMiscellaneousFlags) {
  Run({"X1 M", "T200 D99", "T99999999999"});
  EXPECT_EQ(At(1).mFlags.count(), 1u);  // M0 only
  EXPECT_EQ(Last().tool, 200);
  EXPECT_EQ(Last().toolSlot, 99);
  Run({"D100 X5"});
  EXPECT_EQ(Shown(), std::vector<int>{0});
  EXPECT_EQ(dialogs.messages.back().description, draw::kCorrectionBeyondTable);
  EXPECT_EQ(parts.blockStore.count(), 3);
}

TEST_F(ExecutionWords, PreparatoryNumbersAndFunctionWords) {
  ctx.params.Set(5, 3.0L);
  Run({"G01 G17", "G256", "G99999999999999999999", "G1e20 G19 G42 G91", "G G90 X=SIN[30] Y=SQRT[R005+COS[60]*2]"});
  EXPECT_EQ(At(2).motion, 1);  // not G0 by wrapping to a byte
  EXPECT_EQ(At(3).motion, 1);
  EXPECT_EQ(ctx.machine.planeMode, 19);
  EXPECT_EQ(At(4).compensation, 42);
  EXPECT_EQ(Last().motion, 0);
  EXPECT_TRUE(dialogs.messages.empty());
  execution_test::ExpectEnd(Last(), 0.5, 2, 0);
  EXPECT_FALSE(ctx.machine.block.centreGiven.any());  // no "I" taken from "SIN"
}

TEST_F(ExecutionWords, HugeValuesStayDefined) {
  Run({"G01 X999999999999 Y-999999999999 Z1e30 M1e20 T99999999999",
       "G2 X0 Y0 U999999999999", "G1 X[9^9^9]", "M99999999999999999999"});
  EXPECT_TRUE(Shown().empty());
  ASSERT_EQ(parts.blockStore.count(), 4);
  execution_test::ExpectEnd(At(1), 999999999999.0L, -999999999999.0L, 1);
  EXPECT_EQ(At(1).mFlags[1], 1);
  EXPECT_EQ(At(1).tool, 0);
  EXPECT_TRUE(std::isinf(At(3).endX));
}

TEST_F(ExecutionWords, BlanksBetweenLetterAndValue) {
  Run({"G 01 X 10 Y  -2.5 F 200 M 3"});
  EXPECT_EQ(Last().motion, 1);
  EXPECT_EQ(Last().endX, 10.0L);
  EXPECT_EQ(Last().endY, -2.5L);
  EXPECT_EQ(Last().feed, 200.0L);
  EXPECT_EQ(Last().mFlags[3], 1);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ExecutionWords, ArcMessagesNameTheirBlock) {
  testing_support::SetLines(parts.listing, {"", "%1", "N10 G02 X10 Y0 R1"});
  parts.listing.lineCount = 3;
  ctx.run.listingText = parts.listing.Line(3);
  ctx.run.levelLines[0] = 3;
  Run({"G02 X10 Y0 U1"});  // radius far too small for the chord
  ASSERT_EQ(Shown(), (std::vector<int>{0}));  // one box for one arc
  EXPECT_EQ(dialogs.messages[0].block, "N10 G02 X10 Y0 R1");
}

}  // namespace
