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

// A line, a quarter arc tangent to it and a line tangent to the arc: every
// joint is tangent, so no corner is made; the arc's radius changes by the
// tool radius. On its inner side the tool must be smaller than the arc: a
// tool of exactly the arc's radius would leave an arc of radius 0.
struct LineArcCase {
  const char* name;
  friend void PrintTo(const LineArcCase& c, std::ostream* os) { *os << c.name; }
  std::uint8_t motion;  // of the arc; clockwise: mirrored in the X axis
  std::uint8_t compensation;
  long double arcRadius, tool;
  std::vector<Expected> expected;  // empty: refused
};

class LineArcTest : public CompensationTest, public ::testing::WithParamInterface<LineArcCase> {};

TEST_P(LineArcTest, ArcRadiusChangesByToolRadiusWithoutCorners) {
  const LineArcCase& c = GetParam();
  const long double s = c.motion == kCcw ? 1.0L : -1.0L, r = c.arcRadius;
  SetToolRadius(c.tool);
  Program p = Start(0, 0);
  p.Line(10, 0, c.compensation);
  p.Arc(10 + r, r * s, 10, r * s, c.motion, c.compensation);
  p.Line(10 + r, 20 * s, c.compensation);
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
    InnerAndOuterSide, LineArcTest,
    ::testing::Values(
        LineArcCase{"CcwInner", kCcw, kG41, 5, 2,
                    {Move(0, 0, 10, 2), ArcBlock(kCcw, 10, 5, 3, 10, 2, 13, 5), Move(13, 5, 13, 20)}},
        LineArcCase{"CcwOuter", kCcw, kG42, 5, 2,
                    {Move(0, 0, 10, -2), ArcBlock(kCcw, 10, 5, 7, 10, -2, 17, 5), Move(17, 5, 17, 20)}},
        LineArcCase{"CwInner", kCw, kG42, 5, 2,
                    {Move(0, 0, 10, -2), ArcBlock(kCw, 10, -5, 3, 10, -2, 13, -5), Move(13, -5, 13, -20)}},
        LineArcCase{"CwOuter", kCw, kG41, 5, 2,
                    {Move(0, 0, 10, 2), ArcBlock(kCw, 10, -5, 7, 10, 2, 17, -5), Move(17, -5, 17, -20)}},
        LineArcCase{"InnerToolLargerThanArc", kCcw, kG41, 3, 4, {}},
        LineArcCase{"InnerToolEqualToRadius", kCcw, kG41, 3, 3, {}},
        LineArcCase{"InnerToolSmallerThanArc", kCcw, kG41, 3, 2,
                    {Move(0, 0, 10, 2), ArcBlock(kCcw, 10, 3, 1, 10, 2, 11, 3), Move(11, 3, 11, 20)}},
        LineArcCase{"OuterToolLargerThanArc", kCcw, kG42, 3, 4,
                    {Move(0, 0, 10, -4), ArcBlock(kCcw, 10, 3, 7, 10, -4, 17, 3), Move(17, 3, 17, 20)}}),
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

// A message names the program line of the refused block: an arc that
// switches compensation over, and an arc the tool does not fit, also when
// it is refused as the element that follows a line.
struct RefusedCase {
  const char* name;
  friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
  long double tool;
  std::uint8_t arcCompensation;
  const char* description;
};

class RefusedLineTest : public CompensationTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLineTest, MessageNamesTheLineOfTheRefusedBlock) {
  SetToolRadius(GetParam().tool);
  testing_support::SetLines(setup.listing, {"%1", "N10 G41 G1 X10", "N20 G3 X10 Y6 I10 J3"});
  setup.table.entries[3].name = "%201";
  Program p = Start(0, 0);
  p.Line(10, 0, kG41).listingLine = 2;
  data::BlockRecord& arc = p.Arc(10, 6, 10, 3, kCcw, GetParam().arcCompensation);
  arc.listingLine = 3;
  arc.programIndex = 3;
  EXPECT_FALSE(Run());
  ASSERT_EQ(setup.dialogs.messages.size(), 1u);
  EXPECT_EQ(setup.dialogs.messages[0].description, GetParam().description);
  EXPECT_EQ(setup.dialogs.messages[0].block, "N20 G3 X10 Y6 I10 J3");
  EXPECT_EQ(setup.dialogs.messages[0].program, "%201");
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedLineTest,
                         ::testing::Values(RefusedCase{"SwitchOverOnArc", 1, kG42, geometry::kCompensationOnArc},
                                           RefusedCase{"ToolTooLarge", 3, kG41, geometry::kToolRadiusTooLarge}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace compensation_test
