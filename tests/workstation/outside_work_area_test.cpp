// A drawing that reaches outside the work area (400 x 300 by default): the
// hint after a clean drawing (edges touched exactly stay inside, an arc
// counts with its bulge, rapid moves do not, the figures' format) and the
// offer of a shifted G54 after an import (the shift per axis at the edges,
// the question, and no offer where a shift of G54 would not move the path).
#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"
#include "workstation/state_access.h"
#include "workstation/work_area_hint.h"
#include "workstation/zero_point_offer.h"

namespace {

TEST(ZeroPointOffer, ShiftAlongOneAxisAtTheEdges) {
  struct Case {
    double min, max;
    long double shift;
  };
  const Case cases[] = {
      {0.0, 400.0, 0.0L},          // touching both edges is inside
      {-0.001, 399.999, 0.001L},   // just outside, and exactly as wide as the area
      {-1.0, 399.0, 1.0L},
      {10.0, 410.0, -10.0L},       // beyond the far edge: its low edge to 0
      {-0.0004, 399.9996, 0.0004L},  // as wide as the area, off the 0.001 grid: exactly
      {-0.0004, 10.0, 0.001L},     // rounded up to 0.001 where it still fits
      {-50.0, 550.0, -50.0L},      // wider than the area: centred
      {-100.0, 500.0, 0.0L},       // wider, and centred already
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(static_cast<double>(rur::ShiftInto(c.min, c.max, 400.0L)), static_cast<double>(c.shift), 1e-12)
        << c.min << ".." << c.max;
  }
}

struct Case {
  const char* name;
  std::vector<std::string> program;  // the header and M30 added
  const char* hint;                  // nullptr: none
  const char* offer = nullptr;       // the question after the hint's line; nullptr: no offer
  long double shiftX = 0.0L, shiftY = 0.0L;
  int controllerType = 17;           // which starts in no zero point
};

class OutsideWorkAreaTest : public ::testing::TestWithParam<Case> {};

TEST_P(OutsideWorkAreaTest, HintAndOffer) {
  const Case& c = GetParam();
  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws(dialogs, pump, {"/nowhere/rur", dir.path()});
  rur::StateOf(ws).settings.controllerType = static_cast<std::uint8_t>(c.controllerType);
  ws.ReplaceProgram(dir.File("%1"));
  std::vector<std::string> lines{"%1"};
  lines.insert(lines.end(), c.program.begin(), c.program.end());
  lines.push_back("N99 M30");
  rur::DrawCommandView view;
  ASSERT_TRUE(rur::DrawProgram(ws, lines, false, view));
  const std::optional<std::string> hint = rur::OutsideWorkAreaHint(ws);
  if (c.hint == nullptr) {
    EXPECT_FALSE(hint) << *hint;
  } else {
    EXPECT_EQ(hint.value_or("none"), c.hint);
  }
  const std::optional<rur::ZeroPointOffer> offer = rur::OfferZeroPointShift(ws, lines);
  if (c.offer == nullptr) {
    EXPECT_FALSE(offer) << offer->question;
    return;
  }
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->question, std::string(c.hint) + ".\n" + c.offer);
  EXPECT_NEAR(static_cast<double>(offer->shiftX), static_cast<double>(c.shiftX), 1e-12);
  EXPECT_NEAR(static_cast<double>(offer->shiftY), static_cast<double>(c.shiftY), 1e-12);
}

const Case kCases[] = {
    {"CornerToCornerTouchesTheEdges", {"N10 G0 X0 Y0", "N20 G1 X400 Y300 F100"}, nullptr},
    // No offer: no zero point selected, where the type starts in none.
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
    {"JustOutsideInG54", {"N5 G54", "N10 G0 X-0.001 Y0", "N20 G1 X399.999 Y300 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -0.001..399.999 Y 0..300 mm",
     "Nullpunkt G54 um X 0.001 Y 0 mm verschieben?", 0.001L, 0.0L},
    {"BeyondTheTopInG54", {"N5 G54", "N10 G0 X10 Y10", "N20 G1 Y310 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X 10..10 Y 10..310 mm",
     "Nullpunkt G54 um X 0 Y -10 mm verschieben?", 0.0L, -10.0L},
    {"TypeStartingInG54", {"N10 G0 X-5 Y-5", "N20 G1 X5 Y5 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -5..5 Y -5..5 mm",
     "Nullpunkt G54 um X 5 Y 5 mm verschieben?", 5.0L, 5.0L, 1},
    {"LargerThanTheArea", {"N5 G54", "N10 G0 X-50 Y10", "N20 G1 X550 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -50..550 Y 10..10 mm",
     "Die Bahn ist gr\xF6\xDF" "er als der Arbeitsbereich und wird mittig gelegt.\n"
     "Nullpunkt G54 um X -50 Y 0 mm verschieben?",
     -50.0L, 0.0L},
    // No offer where G54 does not place the path.
    {"AnotherZeroPoint", {"N5 G55", "N10 G0 X-5 Y0", "N20 G1 X5 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -5..5 Y 0..0 mm"},
    {"MachineCoordinates", {"N5 G53 (G54)", "N10 G0 X-5 Y0", "N20 G1 X5 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -5..5 Y 0..0 mm"},
    {"TypeWithoutZeroPoints", {"N10 G0 X-5 Y0", "N20 G1 X5 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -5..5 Y 0..0 mm", nullptr, 0.0L, 0.0L, 3},
};

INSTANTIATE_TEST_SUITE_P(Drawings, OutsideWorkAreaTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
