// The default data files shipped in resources/ read back as the settings
// defaults (with no program directory and the QVM's reply characters), the
// typical cutters and zero points of 0.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "data/settings.h"
#include "data/tool_table.h"
#include "data/zero_points.h"
#include "support/fake_dialogs.h"

namespace {

// resources/ of the source tree.
std::string Resources() { return std::string(RUR_SOURCE_DIR) + "/resources/"; }

TEST(ShippedDataFiles, SettingsAreTheDefaultsWithoutProgramDirectory) {
  data::Settings s;
  s.programDirectory = "stale";
  s.controllerType = 12;  // the other type of prefix "QVM": the file's type replaces it
  s.radiusTolerance = s.zZeroOffset = s.workAreaX = s.workAreaY = 9.0L;
  s.port = {.comNumber = 9, .baud = 1, .parity = 9, .dataBits = 9, .stopBits = 9, .xOnChar = 9, .xOffChar = 9};
  ASSERT_TRUE(data::ReadSettings(s, Resources(), {"/current/", {}}));
  EXPECT_EQ(s.programDirectory, "");
  EXPECT_EQ(s.controllerType, 17);
  EXPECT_EQ(s.radiusTolerance, 3.0L);
  EXPECT_EQ(s.zZeroOffset, 0.0L);
  EXPECT_EQ(s.workAreaX, 400.0L);
  EXPECT_EQ(s.workAreaY, 300.0L);
  EXPECT_EQ(s.port, (data::PortParameters{.comNumber = 1, .baud = 9600, .parity = 0, .dataBits = 8, .stopBits = 1,
                                           .hwFlowOptions = 0, .swFlowOptions = 0, .xOnChar = 17, .xOffChar = 19}));
  EXPECT_EQ(std::filesystem::file_size(Resources() + "QVM_ini.Dat"), data::kSettingsRecordSize);
}

TEST(ShippedDataFiles, ToolTableHoldsFourTypicalCutters) {
  data::ToolTable tools;
  tools.fill({9.0L, 9.0L});
  testing_support::FakeDialogs dialogs;
  ASSERT_TRUE(data::ReadToolTable(tools, Resources(), 17, dialogs));
  // D1: 6 mm end mill, D2: 10 mm, D3: 3 mm, D4: engraving cutter.
  const data::ToolRecord expected[] = {{0.0L, 0.0L}, {60.0L, 3.0L}, {75.0L, 5.0L}, {50.0L, 1.5L}, {40.0L, 0.5L}};
  for (int d = 0; d < data::kToolRecords; ++d) {
    const data::ToolRecord want = d < 5 ? expected[d] : data::ToolRecord{};
    EXPECT_EQ(tools[d].lengthCorrection, want.lengthCorrection) << "D" << d;
    EXPECT_EQ(tools[d].radiusCorrection, want.radiusCorrection) << "D" << d;
  }
  EXPECT_EQ(std::filesystem::file_size(Resources() + "QVM_wkz.dat"), data::kToolRecords * data::kToolRecordSize);
  EXPECT_TRUE(dialogs.informations.empty());
}

TEST(ShippedDataFiles, ZeroPointsAreAllZero) {
  data::ZeroPointRecord record;
  record.values.fill(9.0L);
  ASSERT_TRUE(data::ReadZeroPoints(record, Resources(), 17));
  for (const long double v : record.values) EXPECT_EQ(v, 0.0L);
  EXPECT_EQ(std::filesystem::file_size(Resources() + "Npv_QVM.dat"), data::kZeroPointRecordSize);
}

}  // namespace
