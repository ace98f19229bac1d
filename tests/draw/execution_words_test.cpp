#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "draw/execution_fixture.h"
#include "draw/execution_messages.h"

namespace {

using execution_test::ExecutionTest;
constexpr long double kPi = std::numbers::pi_v<long double>;

using ExecutionWords = ExecutionTest;

TEST_F(ExecutionWords, FeedLimitsAndParameters) {
  struct Case {
    std::string_view block;
    int message;  // 0: accepted
    long double feed;
  } cases[] = {
      {"F500", 0, 500},   {"F30000", 0, 30000}, {"F2.6", 0, 3},        {"F2.5", 0, 2},  // halves to even
      {"FR005", 0, 250},  {"F0", 38, 0},        {"F", 38, 0},          {"F-5", 38, 0},
      {"F30001", 39, 0},  {"F999999999999", 39, 0}, {"FR006", 39, 0}, {"FR007", 38, 0},
      {"FR256", 7, 0},    {"FR99999999999", 7, 0}, {"F1E30", 0, 1},  // "E30" is a word of its own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.block));
    StartRun();
    ws.params.Set(5, 250.0L);
    ws.params.Set(6, 1e30L);
    ws.params.Set(7, std::nanl(""));
    dialogs.messages.clear();
    Run({c.block});
    EXPECT_EQ(Shown(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
    EXPECT_EQ(ws.machine.feedValue, c.feed);
    EXPECT_EQ(ws.blockStore.count(), c.message ? 0 : 1);
  }
}

TEST_F(ExecutionWords, DwellAfterG4InTheSameBlockOnly) {
  Run({"G01 X1 F100", "G4 F2", "X2", "F2 G4"});
  EXPECT_EQ(ws.blockStore.At(2).dwell, 2);
  EXPECT_EQ(ws.blockStore.At(2).feed, 100.0L);
  EXPECT_EQ(ws.blockStore.At(3).dwell, 0);  // a dwell belongs to its block
  EXPECT_EQ(Last().feed, 2.0L);
  EXPECT_EQ(Last().dwell, 0);
  Type(4);
  Run({"G04 F2.5"});
  EXPECT_EQ(Last().dwell, 25);
  Run({"G4 F30000"});  // 300000 kept whole, its low 16 bits recorded
  EXPECT_EQ(ws.machine.dwellTime, 300000);
  EXPECT_EQ(Last().dwell, 300000 % 65536);
}

TEST_F(ExecutionWords, RotationAngle) {
  struct Case {
    std::initializer_list<std::string_view> blocks;
    int message;
    long double degrees;
  } cases[] = {
      {{"A90"}, 0, 90},
      {{"A400"}, 0, 40},  // one wrap
      {{"A360"}, 0, 0},   // a full turn is no rotation
      {{"A90", "G91 A30"}, 0, 120},
      {{"A=SIN[30]*180"}, 0, 90},
      {{"A-10"}, 88, -10},
      {{"A800"}, 88, 440},  // out of range after the wrap: kept in degrees
  };
  for (const Case& c : cases) {
    StartRun();
    dialogs.messages.clear();
    Run(c.blocks);
    EXPECT_EQ(Shown(), c.message ? std::vector<int>{c.message} : std::vector<int>{});
    const long double degrees = c.message ? ws.machine.rotationAngle : ws.machine.rotationAngle * 180 / kPi;
    EXPECT_NEAR(static_cast<double>(degrees), static_cast<double>(c.degrees), 1e-12);
  }
}

TEST_F(ExecutionWords, ToolAndCorrection) {
  Run({"T05 D03", "T0 X1", "D", "T200"});
  EXPECT_EQ(ws.blockStore.At(1).tool, 5);
  EXPECT_EQ(ws.blockStore.At(1).toolSlot, 3);
  EXPECT_EQ(ws.blockStore.At(2).tool, 5);  // T0 leaves the tool
  EXPECT_EQ(ws.blockStore.At(3).toolSlot, 0);
  EXPECT_EQ(Last().tool, 200);
  Run({"T99999999999 D99"});
  EXPECT_EQ(Last().tool, 200);
  EXPECT_EQ(Last().toolSlot, 99);
  const int stored = ws.blockStore.count();
  Run({"D100 X5"});
  EXPECT_EQ(Shown(), std::vector<int>{0});
  EXPECT_EQ(dialogs.messages.back().description, draw::kCorrectionBeyondTable);
  EXPECT_EQ(ws.blockStore.count(), stored);
  EXPECT_EQ(ws.machine.correctionNumber, 99);
}

TEST_F(ExecutionWords, MiscellaneousFlagsOnTheirBlockOnly) {
  Run({"M3 M8 M100", "M"});
  EXPECT_EQ(ws.blockStore.At(1).mFlags[3], 1);
  EXPECT_EQ(ws.blockStore.At(1).mFlags[8], 1);
  EXPECT_EQ(std::count(Last().mFlags.begin(), Last().mFlags.end(), 1), 1);
  EXPECT_EQ(Last().mFlags[0], 1);  // "M" alone is M0
}

TEST_F(ExecutionWords, SpindleSpeed) {
  ws.params.Set(5, 1234.9L);
  ws.params.Set(6, -1e30L);
  ws.params.Set(7, std::nanl(""));
  Run({"S1200"});
  EXPECT_EQ(Last().spindle, 1200);
  Run({"SR005 X5"});  // the parameter and the rest of the block
  EXPECT_EQ(Last().spindle, 1234);
  EXPECT_EQ(Last().endX, 5.0L);
  Run({"S99999999999999999999"});
  EXPECT_EQ(Last().spindle, std::numeric_limits<std::int32_t>::max());
  Run({"SR006"});
  EXPECT_EQ(Last().spindle, std::numeric_limits<std::int32_t>::min());
  Run({"SR007"});
  EXPECT_EQ(Last().spindle, 0);
  Run({"S"});
  EXPECT_EQ(Last().spindle, 0);
  Run({"SR256"});
  EXPECT_EQ(Shown(), std::vector<int>{7});
}

TEST_F(ExecutionWords, ValueWordsWithFunctionsAndParameters) {
  ws.params.Set(5, 3.0L);
  Run({"G01 X=SIN[30] Y=SQRT[R005+COS[60]*2] Z=-R005*2"});
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_NEAR(static_cast<double>(Last().endX), 0.5, 1e-15);
  EXPECT_NEAR(static_cast<double>(Last().endY), 2.0, 1e-15);
  EXPECT_EQ(Last().endZ, -6.0L);
  EXPECT_FALSE(ws.machine.block.centreGiven.any());  // no "I" taken from "SIN"
}

TEST_F(ExecutionWords, PreparatoryNumbers) {
  Run({"G01 G17", "G256", "G99999999999999999999", "G1e20 G19 G42 G91"});
  EXPECT_EQ(ws.blockStore.At(2).motion, 1);  // not G0 by wrapping to a byte
  EXPECT_EQ(ws.blockStore.At(3).motion, 1);
  EXPECT_EQ(ws.machine.planeMode, 19);
  EXPECT_EQ(Last().compensation, 42);
  EXPECT_EQ(ws.machine.distanceMode, 91);
  Run({"G"});
  EXPECT_EQ(Last().motion, 0);
}

TEST_F(ExecutionWords, HugeValuesStayDefined) {
  Run({"G01 X999999999999 Y-999999999999 Z1e30 M1e20 S1e30 T99999999999 F1e30",
       "G2 X0 Y0 U999999999999", "G1 X[9^9^9]", "M99999999999999999999"});
  EXPECT_TRUE(Shown().empty());
  ASSERT_EQ(ws.blockStore.count(), 4);
  const data::BlockRecord& first = ws.blockStore.At(1);
  EXPECT_EQ(first.endX, 999999999999.0L);
  EXPECT_EQ(first.endY, -999999999999.0L);
  EXPECT_EQ(first.endZ, 1.0L);  // "e30" is no part of a number
  EXPECT_EQ(first.mFlags[1], 1);
  EXPECT_EQ(first.spindle, 1);
  EXPECT_EQ(first.tool, 0);
  EXPECT_EQ(first.feed, 1.0L);
  EXPECT_TRUE(std::isinf(ws.blockStore.At(3).endX));
}

}  // namespace
