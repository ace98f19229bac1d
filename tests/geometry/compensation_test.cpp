// The radius compensation pass on contours whose compensated path is known
// in closed form: squares both ways on either side, lines into tangent
// arcs, arcs on their inner and outer side, and what passes unchanged.
#include "geometry/compensation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "compensation_fixture.h"
#include "support/listing_lines.h"

namespace compensation_test {
namespace {

constexpr std::uint8_t kCw = data::kClockwise, kCcw = data::kCounterClockwise;

// The square (0,0) (20,0) (20,20) (0,20) counter-clockwise, approached from
// (0,10) and left under G40 towards (10,0); tool radius 5. The cutter on
// the right is outside: corner arcs about the programmed corners.
const std::vector<Expected> kOutside = {
    Move(0, 10, -5, 0),     ArcBlock(kCcw, 0, 0, 5, -5, 0, 0, -5),  Move(0, -5, 20, -5),
    ArcBlock(kCcw, 20, 0, 5, 20, -5, 25, 0),   Move(25, 0, 25, 20), ArcBlock(kCcw, 20, 20, 5, 25, 20, 20, 25),
    Move(20, 25, 0, 25),    ArcBlock(kCcw, 0, 20, 5, 0, 25, -5, 20), Move(-5, 20, -5, 0),
    Move(0, 0, 10, 0),  // the G40 block as drawn; the corner before it is dropped
};
// On the left the cutter is inside: the sides are trimmed where they meet.
const std::vector<Expected> kInside = {
    Move(0, 10, 5, 5), Move(5, 5, 15, 5), Move(15, 5, 15, 15), Move(15, 15, 5, 15), Move(5, 15, 5, 5),
    Move(0, 0, 10, 0),
};

struct SquareCase {
  const char* name;
  friend void PrintTo(const SquareCase& c, std::ostream* os) { *os << c.name; }
  bool clockwise;  // the counter-clockwise square mirrored in the X axis
  std::uint8_t compensation;
  long double tool;
  bool outside;
};

class SquareTest : public CompensationTest, public ::testing::WithParamInterface<SquareCase> {};

TEST_P(SquareTest, OffsetsSidesAndRoundsOnlyOutsideCorners) {
  const SquareCase& c = GetParam();
  const long double s = c.clockwise ? -1.0L : 1.0L;
  SetToolRadius(c.tool);
  Program p = Start(0, 10 * s);
  p.Line(0, 0, c.compensation);
  p.Line(20, 0, c.compensation);
  p.Line(20, 20 * s, c.compensation);
  p.Line(0, 20 * s, c.compensation);
  p.Line(0, 0, c.compensation);
  p.Line(10, 0, kG40);
  ASSERT_TRUE(Run());

  std::vector<Expected> expected = c.outside ? kOutside : kInside;
  for (Expected& e : expected) {
    e.sy *= s;
    e.ey *= s;
    e.cy *= s;
    if (c.clockwise && e.motion == kCcw) e.motion = kCw;
  }
  ExpectBlocks(expected);
  EXPECT_EQ(out.At(out.count()).compensation, kG40);
  EXPECT_EQ(out.At(1).compensation, c.compensation);
  EXPECT_TRUE(Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    BothWaysBothSides, SquareTest,
    ::testing::Values(SquareCase{"CcwG42", false, kG42, 5, true}, SquareCase{"CcwG41", false, kG41, 5, false},
                      SquareCase{"CcwG41NegativeTool", false, kG41, -5, true},
                      SquareCase{"CcwG42NegativeTool", false, kG42, -5, false},
                      SquareCase{"CwG41", true, kG41, 5, true}, SquareCase{"CwG42", true, kG42, 5, false},
                      SquareCase{"CwG42NegativeTool", true, kG42, -5, true},
                      SquareCase{"CwG41NegativeTool", true, kG41, -5, false}),
    [](const auto& test) { return std::string(test.param.name); });

// A line, a quarter arc of radius 5 tangent to it and a line tangent to the
// arc: every joint is tangent, so no corner is made on either side.
struct TangentCase {
  const char* name;
  friend void PrintTo(const TangentCase& c, std::ostream* os) { *os << c.name; }
  std::uint8_t motion;  // of the arc
  std::uint8_t compensation;
  std::vector<Expected> expected;
};

class TangentTest : public CompensationTest, public ::testing::WithParamInterface<TangentCase> {};

TEST_P(TangentTest, ArcRadiusChangesByToolRadiusWithoutCorners) {
  const TangentCase& c = GetParam();
  const long double s = c.motion == kCcw ? 1.0L : -1.0L;  // clockwise: mirrored in the X axis
  SetToolRadius(2);
  Program p = Start(0, 0);
  p.Line(10, 0, c.compensation);
  p.Arc(15, 5 * s, 10, 5 * s, c.motion, c.compensation);
  p.Line(15, 20 * s, c.compensation);
  ASSERT_TRUE(Run());
  ExpectBlocks(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    InnerAndOuterSide, TangentTest,
    ::testing::Values(
        TangentCase{"CcwInner", kCcw, kG41,
                    {Move(0, 0, 10, 2), ArcBlock(kCcw, 10, 5, 3, 10, 2, 13, 5), Move(13, 5, 13, 20)}},
        TangentCase{"CcwOuter", kCcw, kG42,
                    {Move(0, 0, 10, -2), ArcBlock(kCcw, 10, 5, 7, 10, -2, 17, 5), Move(17, 5, 17, 20)}},
        TangentCase{"CwInner", kCw, kG42,
                    {Move(0, 0, 10, -2), ArcBlock(kCw, 10, -5, 3, 10, -2, 13, -5), Move(13, -5, 13, -20)}},
        TangentCase{"CwOuter", kCw, kG41,
                    {Move(0, 0, 10, 2), ArcBlock(kCw, 10, -5, 7, 10, 2, 17, -5), Move(17, -5, 17, -20)}}),
    [](const auto& test) { return std::string(test.param.name); });

// An arc of radius 3 after a line: on its inner side the tool must be
// smaller than 3; a tool of exactly 3 would leave an arc of radius 0.
struct ArcRadiusCase {
  const char* name;
  friend void PrintTo(const ArcRadiusCase& c, std::ostream* os) { *os << c.name; }
  std::uint8_t compensation;
  long double tool;
  std::vector<Expected> expected;  // empty: refused
};

class ArcRadiusTest : public CompensationTest, public ::testing::WithParamInterface<ArcRadiusCase> {};

TEST_P(ArcRadiusTest, InnerSideNeedsToolSmallerThanArc) {
  const ArcRadiusCase& c = GetParam();
  SetToolRadius(c.tool);
  Program p = Start(0, 0);
  p.Line(10, 0, c.compensation);
  p.Arc(13, 3, 10, 3, kCcw, c.compensation);
  p.Line(13, 20, c.compensation);
  const bool ok = Run();
  if (c.expected.empty()) {
    EXPECT_FALSE(ok);
    EXPECT_EQ(Shown(), std::vector<std::string>{geometry::kToolRadiusTooLarge});
    EXPECT_EQ(out.count(), 0);
  } else {
    ASSERT_TRUE(ok);
    ExpectBlocks(c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ToolAgainstArc, ArcRadiusTest,
    ::testing::Values(ArcRadiusCase{"InnerTool4", kG41, 4, {}}, ArcRadiusCase{"InnerToolEqualToRadius", kG41, 3, {}},
                      ArcRadiusCase{"InnerTool2",
                                    kG41,
                                    2,
                                    {Move(0, 0, 10, 2), ArcBlock(kCcw, 10, 3, 1, 10, 2, 11, 3), Move(11, 3, 11, 20)}},
                      ArcRadiusCase{"OuterTool4",
                                    kG42,
                                    4,
                                    {Move(0, 0, 10, -4), ArcBlock(kCcw, 10, 3, 7, 10, -4, 17, 3),
                                     Move(17, 3, 17, 20)}}),
    [](const auto& test) { return std::string(test.param.name); });

// Every field a copy must keep (gtest prints them all when one differs).
auto Fields(const data::BlockRecord& r) {
  return std::tie(r.marker, r.startX, r.startY, r.startZ, r.endX, r.endY, r.endZ, r.centreX, r.centreY, r.radius,
                  r.hasX, r.hasY, r.hasZ, r.motion, r.arcSpan, r.compensation, r.toolSlot, r.tool, r.feed, r.dwell,
                  r.mFlags, r.listingLine, r.programIndex);
}

void ExpectSameRecord(const data::BlockRecord& a, const data::BlockRecord& b) { EXPECT_EQ(Fields(a), Fields(b)); }

TEST_F(CompensationTest, ProgramWithoutCompensationIsCopiedUnchanged) {
  SetToolRadius(5);
  Program p = Start(0, 0);
  p.Line(10, 0, kG40).endZ = -2;
  p.Arc(20, 10, 10, 10, kCcw, kG40);
  p.Still(kG40);
  p.Line(0, 0, kG40).motion = data::kRapid;
  ASSERT_TRUE(Run());
  ASSERT_EQ(out.count(), programmed.count());
  for (std::int32_t i = 1; i <= out.count(); ++i) {
    SCOPED_TRACE(i);
    ExpectSameRecord(out.At(i), programmed.At(i));
  }
}

// Fewer than two blocks are copied as they are, even a compensated arc
// that the pass would refuse; what the output held before is gone.
TEST_F(CompensationTest, FewerThanTwoBlocksAreCopiedAsTheyAre) {
  SetToolRadius(5);
  out.Append(data::BlockRecord{});
  out.Append(data::BlockRecord{});
  EXPECT_TRUE(Run());
  EXPECT_EQ(out.count(), 0);

  data::BlockRecord& arc = Start(0, 0).Arc(10, 10, 0, 10, kCcw, kG41);
  arc.marker = 5;
  EXPECT_TRUE(Run());
  ASSERT_EQ(out.count(), 1);
  ExpectSameRecord(out.At(1), programmed.At(1));
  EXPECT_TRUE(Shown().empty());
}

// An error flag still set from earlier work stops the pass before it starts.
TEST_F(CompensationTest, ErrorFlagAlreadySetMakesNothing) {
  Program p = Start(0, 0);
  p.Line(10, 0, kG40);
  p.Line(20, 0, kG40);
  setup.messages.ShowWarning("earlier");
  EXPECT_FALSE(Run());
  EXPECT_EQ(out.count(), 0);
  EXPECT_EQ(setup.dialogs.beeps, 0);
}

// A message names the program line of the block being compensated.
TEST_F(CompensationTest, MessageNamesTheLineOfTheRefusedBlock) {
  SetToolRadius(1);
  testing_support::SetLines(setup.listing, {"%1", "N10 G41 G1 X10", "N20 G42 G3 X20 Y10 I0 J10"});
  setup.table.entries[3].name = "%201";
  Program p = Start(0, 0);
  p.Line(10, 0, kG41);
  data::BlockRecord& arc = p.Arc(20, 10, 10, 10, kCcw, kG42);
  arc.listingLine = 3;
  arc.programIndex = 3;
  EXPECT_FALSE(Run());
  ASSERT_EQ(setup.dialogs.messages.size(), 1u);
  EXPECT_EQ(setup.dialogs.messages[0].description, geometry::kCompensationOnArc);
  EXPECT_EQ(setup.dialogs.messages[0].block, "N20 G42 G3 X20 Y10 I0 J10");
  EXPECT_EQ(setup.dialogs.messages[0].program, "%201");
}

// An arc that the tool does not fit is named by its own line, also when it
// is refused as the element that follows a line.
TEST_F(CompensationTest, ToolTooLargeNamesTheArcsLine) {
  SetToolRadius(3);
  testing_support::SetLines(setup.listing, {"%1", "N10 G41 G1 X10", "N20 G3 X10 Y6 I10 J3"});
  Program p = Start(0, 0);
  p.Line(10, 0, kG41).listingLine = 2;
  p.Arc(10, 6, 10, 3, kCcw, kG41).listingLine = 3;
  EXPECT_FALSE(Run());
  ASSERT_EQ(setup.dialogs.messages.size(), 1u);
  EXPECT_EQ(setup.dialogs.messages[0].description, geometry::kToolRadiusTooLarge);
  EXPECT_EQ(setup.dialogs.messages[0].block, "N20 G3 X10 Y6 I10 J3");
}

}  // namespace
}  // namespace compensation_test
