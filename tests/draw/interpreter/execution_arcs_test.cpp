#include <cmath>

#include "draw/interpreter/execution_fixture.h"

namespace {

using execution_test::ExpectEnd;
using execution_test::ExpectNear;
using ExecutionArcs = execution_test::ExecutionTest;

TEST_F(ExecutionArcs, CentreWordsByModeAndControllerType) {
  struct Case {
    int type;
    std::initializer_list<std::string_view> blocks;
    long double cx, cy, cz;
  } cases[] = {
      {17, {"X2 Y0", "G02 X12 I7"}, 7, 0, 0},         // absolute; J missing is 0
      {17, {"X2 Y3 Z1", "G91 G02 X10 I5"}, 7, 3, 1},  // incremental; missing is the start
      {1, {"X2 Y3", "G02 X12 Y3 I5"}, 7, 3, 0},       // always relative
      {2, {"X2 Y3", "G02 X12 Y3 I5 K2"}, 7, 3, 2},
      {13, {"X2 Y3 Z1", "G03 X12 Y3 I5 J0"}, 7, 3, 1},
  };
  for (const Case& c : cases) {
    Type(c.type);
    Run(c.blocks);
    SCOPED_TRACE(*(c.blocks.end() - 1));
    EXPECT_TRUE(dialogs.messages.empty());
    ExpectNear(Last().centreX, Last().centreY, c.cx, c.cy);
    EXPECT_EQ(Last().centreZ, c.cz);
    EXPECT_NEAR(static_cast<double>(Last().radius), 5.0, 1e-12);
  }
}

TEST_F(ExecutionArcs, CentreInZeroPointAndMirror) {
  zeroPoints[0] = {100, 50, 30};
  Run({"G54 X2 Y0", "G02 X12 I7", "G01 G53 X2 Y0", "G53 G02 X12 Y0 I7"});
  ExpectNear(At(2).centreX, At(2).centreY, 107, 50);
  EXPECT_EQ(At(2).centreZ, 30.0L);  // the offset on every centre coordinate
  ExpectNear(Last().centreX, Last().centreY, 7, 0);
  EXPECT_EQ(Last().centreZ, 0.0L);
  zeroPoints[0] = {};
  Type(1);
  ctx.mirror.x = -1;
  Run({"X2 Y3", "G02 X12 Y3 I5"});  // the vector is mirrored, not the start again
  ExpectEnd(Last(), -12, 3, 0);
  ExpectNear(Last().centreX, Last().centreY, -7, 3);
}

TEST_F(ExecutionArcs, FullCircleRunsAllTheWayRound) {
  for (int motion : {2, 3}) {
    StartRun();
    Run({"X10 Y0", "G0" + std::to_string(motion) + " X10 Y0 I0 J0"});
    const long double a = motion == 2 ? 1e-6L : -1e-6L;
    EXPECT_EQ(Last().endX, 10 * std::cos(a));
    EXPECT_EQ(Last().endY, 10 * std::sin(a));
    EXPECT_EQ(Last().arcSpan, 1);
    EXPECT_EQ(Last().hasX + Last().hasY, 2);
    EXPECT_TRUE(dialogs.messages.empty());
  }
}

TEST_F(ExecutionArcs, BlocksWithoutArcUnderArcModeAreStraight) {
  Run({"G02 X10 Y0 U5", "F100", "Z5", "@100K20", "X20 Y0 U5", "G0 X0"});
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(parts.blockStore.count(), 6);
  // What the picture is told: a block that moves no axis shows nothing, a
  // Z move alone is a line (its end pixel is drawn).
  using T = draw::Trace;
  EXPECT_EQ(parts.traces.kinds, (std::vector<T>{T::kArc, T::kNone, T::kLine, T::kNone, T::kArc, T::kPenMove}));
  for (int n : {2, 3, 4}) {
    EXPECT_EQ(At(n).motion, 1) << n;
    ExpectEnd(At(n), 10, 0, n >= 3 ? 5 : 0);
  }
  EXPECT_EQ(At(4).centreZ, 0.0L);  // the jump target is no centre word
  EXPECT_EQ(At(5).motion, 2);
  ExpectNear(At(5).centreX, At(5).centreY, 15, 0);
}

TEST_F(ExecutionArcs, FailedArcIsStoredAndEndsTheRun) {
  Run({"G02 X10 Y0 U1", "X20"});
  ASSERT_EQ(dialogs.messages.size(), 1u);  // one box for one arc
  EXPECT_EQ(dialogs.messages[0].description, "Radius zu klein!");
  EXPECT_EQ(parts.blockStore.count(), 1);
  EXPECT_EQ(parts.traces.kinds, std::vector<draw::Trace>{draw::Trace::kNone});  // stored, not drawn
}

}  // namespace
