// The hint after a clean drawing that reaches outside the work area
// (400 x 300 by default): edges touched exactly stay inside, an arc counts
// with its bulge, rapid moves (not drawn) do not count, and the figures'
// format.
#include "workstation/work_area_hint.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"

namespace {

struct Case {
  const char* name;
  std::vector<std::string> program;  // the header and M30 added
  const char* hint;                  // nullptr: none
};

class WorkAreaHintTest : public ::testing::TestWithParam<Case> {};

TEST_P(WorkAreaHintTest, SaysHowManyBlocksReachOutsideAndTheExtent) {
  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws(dialogs, pump, {"/nowhere/rur", dir.path()});
  ws.ReplaceProgram(dir.File("%1"));
  std::vector<std::string> lines{"%1"};
  lines.insert(lines.end(), GetParam().program.begin(), GetParam().program.end());
  lines.push_back("N99 M30");
  rur::DrawCommandView view;
  ASSERT_TRUE(rur::DrawProgram(ws, lines, false, view));
  const std::optional<std::string> hint = rur::OutsideWorkAreaHint(ws);
  if (GetParam().hint == nullptr) {
    EXPECT_FALSE(hint) << *hint;
  } else {
    EXPECT_EQ(hint.value_or("none"), GetParam().hint);
  }
}

const Case kCases[] = {
    {"CornerToCornerTouchesTheEdges", {"N10 G0 X0 Y0", "N20 G1 X400 Y300 F100"}, nullptr},
    {"JustBeyondTheRightEdge",
     {"N10 G0 X0 Y0", "N20 G1 X400.001 Y300 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X 0..400.001 Y 0..300 mm"},
    // Clockwise from (40,5) to (60,5) about (50,5) runs above the centre
    // and stays inside (an arc bulging out: golden draw_outside_work_area).
    {"ArcBulgingUpwardsStaysInside", {"N10 G0 X40 Y5", "N20 G2 X60 Y5 I50 J5 F100"}, nullptr},
    {"OnlyARapidMoveOutside", {"N10 G0 X-100 Y-100", "N20 G0 X10 Y10", "N30 G1 X20 F100"}, nullptr},
    {"NothingDrawn", {"N10 G0 X-100"}, nullptr},
    // A path away from the origin, whose edge -0.0004 rounds to "0", not "-0".
    {"AwayFromTheOriginAndMinusZero",
     {"N10 G0 X-0.0004 Y10", "N20 G1 X-50 Y20 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -50..0 Y 10..20 mm"},
    // From 1e9 mm on the figures go over to exponents.
    {"FarAway",
     {"N10 G0 X0 Y0", "N20 G1 X999999999.5 F100", "N30 X1000000000"},
     "2 S\xE4tze au\xDF" "erhalb des Arbeitsbereichs, Bahn X 0..1e+09 Y 0..0 mm"},
};

INSTANTIATE_TEST_SUITE_P(Drawings, WorkAreaHintTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
