// Imported programs drawn end to end: each draws without a message, with
// the feed length and extent a standard control's reading gives in closed
// form, for the controller types that read arc centres either way.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "draw/path/extent.h"
#include "draw/path/statistics.h"
#include "nc/import/gcode_import.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"
#include "workstation/state_access.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct Case {
  const char* name;
  const char* source;
  double feedLength;  // mm
  draw::PathBox box;  // of the drawn figures
  int type = 17;
};

class ImportDrawing : public ::testing::TestWithParam<Case> {};

TEST_P(ImportDrawing, DrawsWhatAStandardControlCuts) {
  nc::ImportOptions options;
  options.controllerType = GetParam().type;
  const nc::ImportResult imported = nc::ImportProgram(GetParam().source, options);
  ASSERT_TRUE(imported.ok);
  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws(dialogs, pump, {"/nowhere/rur", dir.path()});
  ws.ReplaceProgram(dir.File("%1"));
  rur::StateOf(ws).settings.controllerType = static_cast<std::uint8_t>(GetParam().type);
  rur::DrawCommandView view;
  ASSERT_TRUE(rur::DrawProgram(ws, imported.program.lines, false, view))
      << (dialogs.messages.empty() ? "" : dialogs.messages[0].description);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(ws.blockStore().count(), imported.blocks);
  EXPECT_NEAR(draw::ComputePathStatistics(ws.blockStore()).feedLength, GetParam().feedLength, 5e-4);
  const draw::PathBox box = draw::MeasurePathExtent(ws.blockStore(), 400.0, 300.0).box;
  EXPECT_NEAR(box.minX, GetParam().box.minX, 1e-3);
  EXPECT_NEAR(box.maxX, GetParam().box.maxX, 1e-3);
  EXPECT_NEAR(box.minY, GetParam().box.minY, 1e-3);
  EXPECT_NEAR(box.maxY, GetParam().box.maxY, 1e-3);
}

const Case kCases[] = {
    {"CircleOfRadius10ByI", "G0 X20 Y10\nG2 X20 Y10 I-10 J0 F100", 20.0 * kPi, {0, 0, 20, 20}},
    {"CircleOfRadius10ByIRelativeType1", "G0 X20 Y10\nG2 X20 Y10 I-10 J0 F100", 20.0 * kPi, {0, 0, 20, 20}, 1},
    {"CircleOfRadius10ByIRelativeType13", "G0 X20 Y10\nG2 X20 Y10 I-10 F100", 20.0 * kPi, {0, 0, 20, 20}, 13},
    {"InchSquareOfOneInch", "G20\nG0 X0 Y0\nG1 X1 F10\nY1\nX0\nY0", 101.6, {0, 0, 25.4, 25.4}},
    {"HalfCircleOneDegreeShort", "G0 X10 Y0\nG3 X-9.9985 Y0.1745 I-10 F100", 10.0 * kPi * 179.0 / 180.0,
     {-9.9985, 0, 10, 10}},
    {"HalfCircleOneDegreeShortType1", "G0 X10 Y0\nG3 X-9.9985 Y0.1745 I-10 F100", 10.0 * kPi * 179.0 / 180.0,
     {-9.9985, 0, 10, 10}, 1},
    {"HalfCircleByRadius", "G0 X0 Y0\nG2 X20 Y0 R10 F100", 10.0 * kPi, {0, 0, 20, 10}},
    {"ThreeQuartersByNegativeRadius", "G0 X0 Y0\nG2 X10 Y10 R-10 F100", 15.0 * kPi, {-10, 0, 10, 20}},
    {"IncrementalArcsInInch", "G20\nG0 X1 Y0\nG91 G3 X-1 Y1 I-1 F4\nG3 X-1 Y-1 J-1", 25.4 * kPi, {-25.4, 0, 25.4, 25.4}},
    {"Helix", "G0 X10 Y0 Z0\nG3 X0 Y10 Z-1 I-10 F100", std::hypot(5.0 * kPi, 1.0), {0, 0, 10, 10}},
    {"ArcOfG18AsChords", "G0 X1 Y0 Z0\nG18 G2 X0 Z1 I-1 K0 F100", 12.0 * std::sin(kPi / 24.0), {0, 0, 1, 0}},
    // Two passes through a subroutine, with a parameter for the depth.
    {"SubroutineTwice", "#1=-1\no1 sub\nG91 G1 Z#1 F100\nX10\nG90\no1 endsub\nG0 X0 Y0 Z0\no1 call\nG0 X0\no1 call",
     22.0, {0, 0, 10, 0}},
    // Fanuc style: N numbers, G55, radius arcs of a quarter and three
    // quarters, a subroutine after M30 called with M98.
    {"FanucStyle",
     "%\nO1\nN10 G21 G90 G55 G0 X-5. Y-5. Z2.\nN20 G1 Z-2. F150.\nN30 X50.\nN40 G2 X60. Y5. R10.\n"
     "N50 G3 X50. Y15. R-10.\nN60 G1 X-5.\nN70 M98 P2\nN80 M30\nO2\nG0 Z25.\nX20. Y30.\nG1 Z-1.\nX40.\nM99\n%",
     4.0 + 55.0 + 5.0 * kPi + 15.0 * kPi + 55.0 + 26.0 + 20.0, {-5, -5, 70, 30}},
    // Retracts at the end to the highest Z (5): rapid, not in the feed length.
    // A peck drilling hole, Q 2 from R 0 to Z -6: three pecks, each but the
    // first fed again from 0.254 mm above the depth reached.
    {"PeckDrillingHoleOfThreePecks", "G0 X5 Y5 Z10\nG83 X5 Y5 Z-6 R0 Q2 F100\nG80", 2.0 + 2.254 + 2.254,
     {5, 5, 5, 5}},
    {"RetractsToTheSafeHeight", "G0 X0 Y0 Z5\nG1 Z-1 F100\nX10\nG28 G91 Z0\nG90\nG28 X0 Y0\nM30", 16.0, {0, 0, 10, 0}},
};

INSTANTIATE_TEST_SUITE_P(Import, ImportDrawing, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
