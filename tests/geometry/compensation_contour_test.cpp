// The radius compensation pass where contours begin, end and break off:
// switching on, G40 in between, the following element, the corner blocks,
// the stop after a message, and the largest drawable program.
#include "geometry/compensation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "compensation_fixture.h"

namespace compensation_test {
namespace {

constexpr std::uint8_t kCcw = data::kCounterClockwise;

// Compensation is switched on, or over to the other side, only on a
// straight move; the side in force is that of the last block that moved or
// was programmed with G40. Steps: "L" a line, "A" a quarter arc leaving in
// the X direction, "S" a block that does not move; then G40, G41 or G42.
struct SwitchCase {
  const char* name;
  friend void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.name; }
  std::vector<std::string> steps;
  std::int32_t refused;  // position of the refused arc, 0: accepted
};

class SwitchOnTest : public CompensationTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchOnTest, ArcCannotSwitchCompensationOn) {
  SetToolRadius(1);
  long double x = 0, y = 0;
  Program p = Start(x, y);
  for (const std::string& step : GetParam().steps) {
    const auto compensation = static_cast<std::uint8_t>(std::stoi(step.substr(1)));
    if (step[0] == 'L') p.Line(x += 10, y, compensation);
    if (step[0] == 'S') p.Still(compensation);
    if (step[0] != 'A') continue;
    p.Arc(x + 10, y + 10, x, y + 10, kCcw, compensation);
    x += 10;
    y += 10;
  }
  const std::int32_t refused = GetParam().refused;
  EXPECT_EQ(Run(), refused == 0);
  if (refused == 0) {
    EXPECT_TRUE(Shown().empty());
  } else {
    EXPECT_EQ(Shown(), std::vector<std::string>{geometry::kCompensationOnArc});
    EXPECT_EQ(setup.messages.context.messageListingLine, refused);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SwitchOnTest,
                         ::testing::Values(SwitchCase{"FirstMove", {"A41", "L41"}, 1},
                                           SwitchCase{"AfterG41ThatDoesNotMove", {"S41", "A41", "L41"}, 2},
                                           SwitchCase{"AfterG40Move", {"L41", "L40", "A41"}, 3},
                                           SwitchCase{"AfterG40Alone", {"L41", "S40", "A41"}, 3},
                                           SwitchCase{"ToOtherSide", {"L41", "A42"}, 2},
                                           SwitchCase{"ContinuingContour", {"L41", "A41", "L41"}, 0},
                                           SwitchCase{"AfterStillBlockInContour", {"L41", "S41", "A41"}, 0}),
                         [](const auto& test) { return std::string(test.param.name); });

// After a message the pass stops: nothing behind the refused block is made,
// the beep sounds (besides the message's own), and the result is false.
TEST_F(CompensationTest, MessageStopsThePass) {
  SetToolRadius(1);
  Program p = Start(0, 0);
  p.Line(10, 0, kG41);
  p.Line(20, 0, kG41);
  p.Arc(30, 10, 20, 10, kCcw, kG42);
  p.Line(40, 10, kG40);
  EXPECT_FALSE(Run());
  EXPECT_TRUE(setup.messages.errorFlag());
  EXPECT_EQ(setup.dialogs.beeps, 2);
  ExpectBlocks({Move(0, 0, 10, 1), Move(10, 1, 20, 1)});
}

// A G40 block ends the contour: the corner pending at its end is dropped,
// and the next contour starts from where the G40 move ended.
TEST_F(CompensationTest, G40DropsPendingCornerAndCarriesThePoint) {
  SetToolRadius(5);
  Program p = Start(0, 10);
  p.Line(0, 0, kG42);
  p.Line(20, 0, kG42);
  p.Line(20, 10, kG40);  // turns left: outside, a corner would be pending
  p.Line(40, 10, kG42);
  p.Line(40, 30, kG42);
  ASSERT_TRUE(Run());
  ExpectBlocks({Move(0, 10, -5, 0), ArcBlock(kCcw, 0, 0, 5, -5, 0, 0, -5), Move(0, -5, 20, -5),
                Move(20, 0, 20, 10), Move(20, 10, 40, 5), ArcBlock(kCcw, 40, 10, 5, 40, 5, 45, 10),
                Move(45, 10, 45, 30)});
}

// An arc of 270 degrees meets the following line before its moved end
// although that meeting point is farther from its start than the moved end:
// the position along the arc decides, so it is trimmed, without corner.
TEST_F(CompensationTest, ArcOverHalfCircleIsTrimmedByItsSweep) {
  SetToolRadius(2);
  Program p = Start(10, -10);
  p.Line(10, 0, kG42);
  p.Arc(0, -10, 0, 0, kCcw, kG42);
  p.Line(0, -30, kG42);
  ASSERT_TRUE(Run());
  const long double y = -std::sqrt(140.0L);  // x = -2 on the circle of radius 12
  ExpectBlocks({Move(10, -10, 12, 0), ArcBlock(kCcw, 0, 0, 12, 12, 0, -2, y), Move(-2, y, -2, -30)});
  EXPECT_EQ(out.At(2).arcSpan, 1);
}

// A block inside the contour that does not move keeps the corner pending:
// it comes first, uncompensated, the corner after it. The last block of the
// store is a following element like any other: the last moving block ends
// at its own moved end point, without corner, also before a still block.
TEST_F(CompensationTest, StillBlockComesBeforeThePendingCornerAndAfterTheLastMove) {
  SetToolRadius(5);
  Program p = Start(0, 10);
  p.Line(0, 0, kG42);
  p.Still(kG42);
  p.Line(20, 0, kG42);
  p.Line(20, 20, kG42);
  p.Still(kG42);
  ASSERT_TRUE(Run());
  ExpectBlocks({Move(0, 10, -5, 0), Move(0, 0, 0, 0), ArcBlock(kCcw, 0, 0, 5, -5, 0, 0, -5), Move(0, -5, 20, -5),
                ArcBlock(kCcw, 20, 0, 5, 20, -5, 25, 0), Move(25, 0, 25, 20), Move(20, 20, 20, 20)});
  EXPECT_EQ(out.At(2).compensation, kG40);
  EXPECT_EQ(out.At(2).mFlags[8], 1);
  EXPECT_EQ(out.At(3).mFlags[8], 0);
}

// The corner block moves in X and Y only, at the height where the element
// before it ends, and carries that element's tool, line and feed; Z moves,
// M functions and dwell stay with the elements.
TEST_F(CompensationTest, CornerIsPureMoveOfTheElementBefore) {
  SetToolRadius(5, 1);
  SetToolRadius(5, 2);
  Program p = Start(0, 10);
  data::BlockRecord& before = p.Line(0, 0, kG42);
  before.hasZ = 1;
  before.endZ = 5;
  before.mFlags[9] = 1;
  before.dwell = 4;
  before.listingLine = 11;
  data::BlockRecord& after = p.Line(20, 0, kG41);
  after.hasZ = 1;
  after.endZ = -3;
  after.mFlags[8] = 1;
  after.dwell = 7;
  after.toolSlot = 2;
  after.tool = 3;
  after.feed = 250;
  after.listingLine = 12;
  after.programIndex = 2;
  ASSERT_TRUE(Run());
  ASSERT_EQ(out.count(), 3);
  const data::BlockRecord& c = out.At(2);
  EXPECT_EQ(std::tie(c.motion, c.hasX, c.hasY, c.hasZ, c.endZ, c.dwell, c.toolSlot, c.tool, c.feed, c.listingLine,
                     c.programIndex, c.compensation),
            std::make_tuple(kCcw, 1, 1, 0, 5.0L, 0, 1, 1, 100.0L, 11, 0, kG42));
  EXPECT_TRUE(c.mFlags.none());
  const data::BlockRecord& next = out.At(3);
  EXPECT_EQ(std::tie(next.hasZ, next.endZ, next.dwell, next.tool), std::make_tuple(1, -3.0L, 7, 3));
  EXPECT_EQ(next.mFlags[8], 1);
}

// Without a tool radius the path is the programmed one and no corner block
// is made, also for a correction number outside the tool table.
struct NoRadiusCase {
  const char* name;
  friend void PrintTo(const NoRadiusCase& c, std::ostream* os) { *os << c.name; }
  std::int8_t slot;
  long double tool;  // radius correction of entry 1
};

class NoRadiusTest : public CompensationTest, public ::testing::WithParamInterface<NoRadiusCase> {};

TEST_P(NoRadiusTest, ProgrammedPathWithoutCorners) {
  SetToolRadius(GetParam().tool);
  Program p = Start(0, 10);
  p.Line(0, 0, kG42);
  p.Line(20, 0, kG42);
  p.Line(20, 20, kG42);
  p.Line(0, 20, kG42);
  for (std::int32_t i = 1; i <= programmed.count(); ++i) programmed.At(i).toolSlot = GetParam().slot;
  ASSERT_TRUE(Run());
  ExpectBlocks({Move(0, 10, 0, 0), Move(0, 0, 20, 0), Move(20, 0, 20, 20), Move(20, 20, 0, 20)}, 1e-6L);
}

INSTANTIATE_TEST_SUITE_P(Cases, NoRadiusTest,
                         ::testing::Values(NoRadiusCase{"RadiusZero", 1, 0}, NoRadiusCase{"SlotBelowTable", -1, 5},
                                           NoRadiusCase{"SlotAboveTable", 100, 5}),
                         [](const auto& test) { return std::string(test.param.name); });

// Two short lines meeting at a slight outside bend: the corner arc of the
// tool radius 5 spans a chord of 10 sin(bend / 2); below 0.01 no corner is
// made and the next element starts where this one ended.
class CornerChordTest : public CompensationTest, public ::testing::WithParamInterface<long double> {};

TEST_P(CornerChordTest, CornerOnlyFromHundredthOfMillimetre) {
  const long double chord = GetParam();
  const long double bend = 2.0L * std::asin(chord / 10.0L);
  SetToolRadius(5);
  Program p = Start(0, 0);
  p.Line(2, 0, kG42);
  p.Line(2 + 2 * std::cos(bend), 2 * std::sin(bend), kG42);
  ASSERT_TRUE(Run());
  const bool corner = chord >= geometry::kMinCornerChord;
  ASSERT_EQ(out.count(), corner ? 3 : 2);
  const data::BlockRecord& last = out.At(out.count());
  EXPECT_EQ(last.startX, out.At(out.count() - 1).endX);
  EXPECT_EQ(last.startY, out.At(out.count() - 1).endY);
  if (corner) {
    const data::BlockRecord& c = out.At(2);
    EXPECT_NEAR(static_cast<double>(std::hypot(c.endX - c.startX, c.endY - c.startY)), static_cast<double>(chord),
                1e-5);
  }
}

INSTANTIATE_TEST_SUITE_P(AroundTheLimit, CornerChordTest, ::testing::Values(0.0099L, 0.0101L, 1.0L));

// A record with Motion 4 that moves (the drawing never stores one) passes
// uncompensated to its end point, which the next element starts from.
TEST_F(CompensationTest, MovingDwellPassesToItsEndPoint) {
  SetToolRadius(5);
  Program p = Start(0, 10);
  p.Line(0, 0, kG42);
  p.Line(-4, 0, kG42).motion = data::kDwell;
  p.Line(-4, -20, kG42);
  ASSERT_TRUE(Run());
  ExpectBlocks({Move(0, 10, -5, 5), {data::kDwell, 0, 0, -4, 0}, Move(-4, 0, -9, -20)});
  EXPECT_EQ(out.At(2).hasY, 1);
}

// The largest drawable program, a closed contour every block of which gains
// a corner, is compensated whole: twice its blocks less one.
TEST_F(CompensationTest, LargestProgramIsCompensatedWhole) {
  SetToolRadius(2);
  const std::array<std::array<long double, 2>, 4> corners = {{{0, 20}, {20, 20}, {20, 0}, {0, 0}}};
  Program p = Start(10, 0);
  p.Line(0, 0, kG41);
  for (std::int32_t i = 0; programmed.count() < data::kMaxStoredBlocks; ++i) {
    const auto& c = corners[static_cast<std::size_t>(i % 4)];
    p.Line(c[0], c[1], kG41);
  }
  ASSERT_TRUE(Run());
  ASSERT_EQ(out.count(), 2 * data::kMaxStoredBlocks - 1);
  for (std::int32_t i = 1; i <= out.count(); ++i) {
    const data::BlockRecord& b = out.At(i);
    if (i % 2 == 0) {
      ASSERT_EQ(b.motion, data::kClockwise) << i;
      ASSERT_EQ(b.radius, 2) << i;
    } else {
      ASSERT_EQ(b.motion, data::kFeed) << i;
      ASSERT_EQ(b.listingLine, (i + 1) / 2) << i;
    }
  }
  // The last side, (20,0) to (0,0) or its like, ends 2 to its left.
  const data::BlockRecord& last = programmed.At(programmed.count());
  const long double dx = (last.endX - last.startX) / 20, dy = (last.endY - last.startY) / 20;
  EXPECT_NEAR(static_cast<double>(out.At(out.count()).endX), static_cast<double>(last.endX - 2 * dy), 1e-3);
  EXPECT_NEAR(static_cast<double>(out.At(out.count()).endY), static_cast<double>(last.endY + 2 * dx), 1e-3);
}

}  // namespace
}  // namespace compensation_test
