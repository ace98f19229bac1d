// The offer of a shifted G54 after an import whose path leaves the work
// area (400 x 300): the shift per axis at the edges, the question, and when
// no offer is made because a shift of G54 would not move the path.
#include "workstation/zero_point_offer.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"
#include "workstation/state_access.h"

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
  int controllerType;
  std::vector<std::string> program;  // after the header, M30 added
  const char* question;              // nullptr: no offer
  long double shiftX = 0.0L, shiftY = 0.0L;
};

class ZeroPointOfferTest : public ::testing::TestWithParam<Case> {};

TEST_P(ZeroPointOfferTest, OffersTheShiftThatBringsThePathInside) {
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
  const std::optional<rur::ZeroPointOffer> offer = rur::OfferZeroPointShift(ws, lines);
  if (c.question == nullptr) {
    EXPECT_FALSE(offer) << offer->question;
    return;
  }
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->question, c.question);
  EXPECT_NEAR(static_cast<double>(offer->shiftX), static_cast<double>(c.shiftX), 1e-12);
  EXPECT_NEAR(static_cast<double>(offer->shiftY), static_cast<double>(c.shiftY), 1e-12);
}

const Case kCases[] = {
    {"InsideExactly", 17, {"N10 G0 X0 Y0", "N20 G1 X400 Y300 F100"}, nullptr},
    {"JustOutside", 17, {"N5 G54", "N10 G0 X-0.001 Y0", "N20 G1 X399.999 Y300 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -0.001..399.999 Y 0..300 mm.\n"
     "Nullpunkt G54 um X 0.001 Y 0 mm verschieben?",
     0.001L, 0.0L},
    {"SelectsG54", 17, {"N5 G54", "N10 G0 X10 Y10", "N20 G1 Y310 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X 10..10 Y 10..310 mm.\n"
     "Nullpunkt G54 um X 0 Y -10 mm verschieben?",
     0.0L, -10.0L},
    {"TypeStartingInG54", 1, {"N10 G0 X-5 Y-5", "N20 G1 X5 Y5 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -5..5 Y -5..5 mm.\n"
     "Nullpunkt G54 um X 5 Y 5 mm verschieben?",
     5.0L, 5.0L},
    {"LargerThanTheArea", 17, {"N5 G54", "N10 G0 X-50 Y10", "N20 G1 X550 F100"},
     "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -50..550 Y 10..10 mm.\n"
     "Die Bahn ist gr\xF6\xDF" "er als der Arbeitsbereich und wird mittig gelegt.\n"
     "Nullpunkt G54 um X -50 Y 0 mm verschieben?",
     -50.0L, 0.0L},
    {"AnotherZeroPoint", 17, {"N5 G55", "N10 G0 X-5 Y0", "N20 G1 X5 F100"}, nullptr},
    {"MachineCoordinates", 17, {"N5 G53 (G54)", "N10 G0 X-5 Y0", "N20 G1 X5 F100"}, nullptr},
    {"NoZeroPointSelected", 17, {"N10 G0 X-5 Y0", "N20 G1 X5 F100"}, nullptr},
    {"TypeWithoutZeroPoints", 3, {"N10 G0 X-5 Y0", "N20 G1 X5 F100"}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Drawings, ZeroPointOfferTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
