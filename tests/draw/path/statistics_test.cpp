// Path length and time of stores filled by the block execution: closed
// forms for a square, circles, a helix and a space diagonal, feeds that
// change, a dwell, and programs without moves; times as h:mm:ss at the
// hour; the range of Z that the moves reach.
#include "draw/path/statistics.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "draw/path/extent.h"

#include "draw/interpreter/execution_fixture.h"

namespace {

using PathStatistics = execution_test::ExecutionTest;

constexpr double kPi = std::numbers::pi;

TEST_F(PathStatistics, LengthsInClosedForm) {
  struct Case {
    std::initializer_list<std::string_view> blocks;
    double feed, rapid;
  } cases[] = {
      {{"G01 X20 Y0 F200", "Y20", "X0", "Y0"}, 80, 0},                     // a square: 4a
      // A full circle, its end turned back by 1e-6 radians.
      {{"G00 X10 Y0", "G02 X10 Y0 I0 J0 F100"}, 10 * (2 * kPi - 1e-6), 10},
      {{"G01 X0 Y0 F100", "G02 X10 Y0 U5"}, 5 * kPi, 0},                  // a half circle exactly
      {{"G01 X0 Y0 F100", "G03 X10 Y0 U5 Z-3"}, std::sqrt(25 * kPi * kPi + 9), 0},  // a helix
      {{"G01 X3 Y4 Z12 F100", "Z0"}, 13 + 12, 0},  // the plunge starts at the Z the block before ended
      {{"G00 X3 Y4 Z12", "G01 Z0 F100"}, 12, 13},
  };
  for (const Case& c : cases) {
    StartRun();
    Run(c.blocks);
    SCOPED_TRACE(*c.blocks.begin());
    const draw::PathStatistics s = draw::ComputePathStatistics(parts.blockStore);
    EXPECT_NEAR(s.feedLength, c.feed, 1e-9);
    EXPECT_NEAR(s.rapidLength, c.rapid, 1e-9);
  }
}

TEST_F(PathStatistics, TimeWithFeedChangesADwellAndRapidMoves) {
  Run({"G01 X60 F600",  // 60 mm at 600 mm/min: 6 s
       "G04 F25",       // 25 tenths of a second
       "X90 F300",      // 30 mm at 300 mm/min: 6 s
       "G00 X0"});      // 90 mm at the rapid rate
  ASSERT_TRUE(dialogs.messages.empty());
  const draw::PathStatistics s = draw::ComputePathStatistics(parts.blockStore);
  EXPECT_DOUBLE_EQ(s.feedLength, 90);
  EXPECT_DOUBLE_EQ(s.feedSeconds, 12);
  EXPECT_EQ(s.dwellUnits, 25);
  EXPECT_DOUBLE_EQ(s.dwellSeconds, 2.5);
  EXPECT_DOUBLE_EQ(s.rapidSeconds, 90.0 / 2000 * 60);
  EXPECT_DOUBLE_EQ(s.totalSeconds, 12 + 2.5 + 2.7);
  EXPECT_EQ(s.blocksWithoutFeed, 0);

  const draw::PathStatistics fast =
      draw::ComputePathStatistics(parts.blockStore, {.rapidRate = 3000, .dwellUnitSeconds = 1});
  EXPECT_DOUBLE_EQ(fast.rapidSeconds, 1.8);
  EXPECT_DOUBLE_EQ(fast.dwellSeconds, 25);
  EXPECT_DOUBLE_EQ(draw::ComputePathStatistics(parts.blockStore, {.rapidRate = 0}).rapidSeconds, 0);
}

TEST_F(PathStatistics, FeedMovesWithoutFeedCountTheirLengthButNoTime) {
  Run({"G01 X10", "M3", "Y10 F100"});  // no F before the first move; M3 moves nothing
  const draw::PathStatistics s = draw::ComputePathStatistics(parts.blockStore);
  EXPECT_DOUBLE_EQ(s.feedLength, 20);
  EXPECT_DOUBLE_EQ(s.feedSeconds, 6);
  EXPECT_EQ(s.blocksWithoutFeed, 1);
}

TEST_F(PathStatistics, ProgramsWithoutMoves) {
  const draw::PathStatistics empty = draw::ComputePathStatistics(parts.blockStore);
  Run({"M3 S1000", "T1 M6", "G00"});
  const draw::PathStatistics still = draw::ComputePathStatistics(parts.blockStore);
  for (const draw::PathStatistics& s : {empty, still}) {
    EXPECT_EQ(s.feedLength + s.rapidLength + s.totalSeconds, 0);
    EXPECT_EQ(s.blocksWithoutFeed + s.dwellUnits, 0);
  }
}

TEST(ClockTime, HoursMinutesAndSecondsRoundedToTheSecond) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const std::pair<double, const char*> cases[] = {
      {0.0, "0:00:00"},          {-0.0, "0:00:00"},        {307.0, "0:05:07"},
      {3599.0, "0:59:59"},       {3599.49, "0:59:59"},     {3599.5, "1:00:00"},
      {3600.0, "1:00:00"},       {360000.0, "100:00:00"},  {-1.0, "?"},
      {kInfinity, "?"},          {std::nan(""), "?"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(draw::ClockTime(seconds), text) << seconds;
  // Beyond what a count of seconds holds (UB unchecked): held there.
  EXPECT_EQ(draw::ClockTime(1e300), draw::ClockTime(9e18));
}

}  // namespace
