#include <numbers>

#include "draw/interpreter/execution_fixture.h"

namespace {

using execution_test::ExpectEnd;

class ExecutionPoints : public execution_test::ExecutionTest {
 protected:
  ExecutionPoints() {
    for (int k = 0; k < data::kZeroPoints; ++k) zeroPoints[k] = {100.0L * (k + 1), 10.0L * (k + 1), k + 1.0L};
  }
};

// The golden case draw_zero_points runs G54 to G59 and G53 over the
// catalogue's zero points; type 1 alone starts in G54.
TEST_F(ExecutionPoints, TypeOneStartsInG54) {
  Type(1);
  Run({"X1"});
  ExpectEnd(Last(), 101, 0, 0);
}

TEST_F(ExecutionPoints, MachineCoordinateBlocks) {
  Run({"G54 G01 X5 Y5 Z5", "G53 X0", "X1 Y1 Z1", "G52 X2 Z2", "G54 G66 X3", "Y3"});
  ExpectEnd(At(2), 0, 5, 5);  // Y and Z leave the zero point too
  ExpectEnd(At(3), 101, 11, 2);
  ExpectEnd(At(4), 102, 11, 2);  // G52: only Z
  ExpectEnd(At(5), 3, 11, 2);    // G66: the given axes, this block only
  ExpectEnd(Last(), 3, 13, 2);
}

// One mirrored axis turns arcs and compensation (golden draw_mirror_rotate);
// two turn them back.
TEST_F(ExecutionPoints, MirroringBothAxesKeepsArcsAndCompensation) {
  ctx.mirror.x = -1;
  ctx.mirror.y = -1;
  Run({"G01 X20 Y5", "G02 G42 X30 Y5 U10"});
  EXPECT_EQ(Last().motion, 2);
  EXPECT_EQ(Last().compensation, 42);
}

TEST_F(ExecutionPoints, MirrorRotateOfPoints) {
  const long double quarter = std::numbers::pi_v<long double> / 2;
  struct Case {
    long double x, y;
    int mx;
    long double angle, ex, ey;
  } cases[] = {
      {3, 4, -1, 0, -3, 4}, {10, 0, 1, quarter, 0, 10},
      {0, -10, 1, quarter, 10, 0},  // below the origin: at 3 pi / 2
      {0.0005L, 0.0005L, 1, quarter, 0, 0},  // this close to the origin it is the origin
  };
  for (const Case& c : cases) {
    long double x = c.x, y = c.y, z = 7;
    draw::MirrorRotate(x, y, z, c.mx, 1, 1, c.angle);
    execution_test::ExpectNear(x, y, c.ex, c.ey);
    EXPECT_EQ(z, 7.0L);
  }
}

// G90/G91 and the relative words alone: golden draw_incremental.
TEST_F(ExecutionPoints, IncrementalMode) {
  Type(17);
  Run({"X5", "G91 X10", "Y1"});
  ExpectEnd(Last(), 15, 1, 0);
  Type(17);
  Run({"X10 Y10", "A90 G91 X1"});  // the increment (1, 0) turned; Y has none
  ExpectEnd(Last(), 10, 11, 0);
  Type(17);
  ctx.mirror.x = -1;
  Run({"X10", "G91 X1 Z-2"});
  ExpectEnd(Last(), -11, 0, -2);
}

TEST_F(ExecutionPoints, MirroredRelativeWordsCountOnceInBothModes) {
  Type(17);
  ctx.mirror.x = -1;
  Run({"X10", "u2", "G91 u2"});
  ExpectEnd(At(2), -12, 0, 0);
  ExpectEnd(Last(), -14, 0, 0);
}

}  // namespace
