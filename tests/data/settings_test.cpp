#include "data/settings.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

// A settings record built by hand, field by field at its offsets.
std::vector<std::uint8_t> HandBuiltRecord() {
  std::vector<std::uint8_t> r(316, 0);
  const std::string dir = "C:\\NC\\";
  r[0] = static_cast<std::uint8_t>(dir.size());
  std::copy(dir.begin(), dir.end(), r.begin() + 1);
  r[256] = 17;
  const std::uint8_t three[] = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40};
  std::copy(std::begin(three), std::end(three), r.begin() + 257);
  r[267] = 17;                    // XOn
  r[268] = 19;                    // XOff
  r[269] = 0x0A;                  // RTS and CTS
  r[270] = 3;                     // software flow both ways
  r[271] = 0x00; r[272] = 0x4B;   // 19200
  r[275] = 2;                     // stop bits
  r[279] = 7;                     // data bits
  r[283] = 2;                     // even parity
  r[284] = 3;                     // COM3
  r[285] = 0x5A;                  // reserved
  const std::uint8_t minusOnePointFive[] = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xBF};
  std::copy(std::begin(minusOnePointFive), std::end(minusOnePointFive), r.begin() + 286);
  const std::uint8_t fourHundred[] = {0, 0, 0, 0, 0, 0, 0, 0xC8, 0x07, 0x40};
  std::copy(std::begin(fourHundred), std::end(fourHundred), r.begin() + 296);
  const std::uint8_t threeHundred[] = {0, 0, 0, 0, 0, 0, 0, 0x96, 0x07, 0x40};
  std::copy(std::begin(threeHundred), std::end(threeHundred), r.begin() + 306);
  return r;
}

data::SettingsDefaultsSource Defaults() { return {"/home/op", data::PortParameters{}}; }

// Settings read from `record` stored under `name` in a fresh directory.
data::Settings ReadRecord(const std::vector<std::uint8_t>& record, const char* name = "QVM_ini.Dat") {
  TempDir dir;
  dir.Write(name, record);
  data::Settings s;
  EXPECT_TRUE(data::ReadSettings(s, dir.path(), Defaults()));
  return s;
}

TEST(Settings, ReadsHandBuiltFileAndWritesItBackByteForByte) {
  const auto record = HandBuiltRecord();
  const data::Settings s = ReadRecord(record);
  EXPECT_EQ(s.programDirectory, "C:\\NC\\");
  EXPECT_EQ(s.radiusTolerance, 3.0L);
  EXPECT_EQ(s.port, (data::PortParameters{.comNumber = 3, .baud = 19200, .parity = 2, .dataBits = 7, .stopBits = 2,
                                           .hwFlowOptions = 0x0A, .swFlowOptions = 3, .xOnChar = 17, .xOffChar = 19}));
  EXPECT_EQ(s.reserved, 0x5A);
  EXPECT_EQ(s.zZeroOffset, -1.5L);
  EXPECT_EQ(s.workAreaX, 400.0L);
  EXPECT_EQ(s.workAreaY, 300.0L);

  TempDir out;
  ASSERT_TRUE(data::WriteSettings(s, out.path()));
  const std::string written = out.Read("QVM_ini.Dat");
  EXPECT_EQ(written, std::string(record.begin(), record.end()));
}

TEST(Settings, ShortOrMissingFileGivesDefaultsAndFalse) {
  TempDir dir;
  auto record = HandBuiltRecord();
  record.resize(315);
  dir.Write("QVM_ini.Dat", record);
  data::Settings s;
  s.programDirectory = "stale";
  s.reserved = 0x33;
  s.controllerType = 17;
  s.workAreaX = 5;
  EXPECT_FALSE(data::ReadSettings(s, dir.path(), Defaults()));
  EXPECT_EQ(s.programDirectory, "/home/op/");
  EXPECT_EQ(s.workAreaX, 400.0L);
  EXPECT_EQ(s.workAreaY, 300.0L);
  EXPECT_EQ(s.radiusTolerance, 3.0L);
  EXPECT_EQ(s.port, data::PortParameters{});
  EXPECT_EQ(s.port.xOnChar, 17);  // the QVM's release and memory-full bytes
  EXPECT_EQ(s.port.xOffChar, 19);
  EXPECT_EQ(s.controllerType, 17);  // the defaults leave type and reserved byte alone
  EXPECT_EQ(s.reserved, 0x33);

  TempDir empty;
  EXPECT_FALSE(data::ReadSettings(s, empty.path(), Defaults()));

  // A whole record is taken as stored, also with XOn and XOff 0.
  record.resize(316);
  record[267] = record[268] = 0;
  EXPECT_EQ(ReadRecord(record).port.xOnChar, 0);
  EXPECT_EQ(ReadRecord(record).port.xOffChar, 0);
}

TEST(Settings, ProgramDirectoryGetsSeparatorUnlessBareDrive) {
  for (const auto& [stored, read] : {std::pair{"C:", "C:"}, std::pair{"/nc/p", "/nc/p/"}}) {
    auto record = HandBuiltRecord();
    record[0] = static_cast<std::uint8_t>(std::string_view(stored).size());
    std::copy(stored, stored + record[0], record.begin() + 1);
    EXPECT_EQ(ReadRecord(record).programDirectory, read);
  }
}

TEST(Settings, StoredControllerTypeSelectsFilePrefixes) {
  TempDir dir;
  auto record = HandBuiltRecord();
  record[256] = 3;
  dir.Write("qvm_INI.dat", record);  // found without regard to case
  data::Settings s;
  ASSERT_TRUE(data::ReadSettings(s, dir.path(), Defaults()));
  EXPECT_EQ(s.controllerType, 3);
  EXPECT_EQ(data::ControllerPrefix(s.controllerType), "Num");
  EXPECT_EQ(data::ToolFileName(s.controllerType), "Num_wkz.dat");
  EXPECT_EQ(data::ZeroPointFileName(s.controllerType), "Npv_Num.dat");
  // The next read looks for the settings of type 3, which do not exist.
  EXPECT_FALSE(data::ReadSettings(s, dir.path(), Defaults()));
}

TEST(Settings, UnknownControllerTypesActAsTheDefaultType) {
  for (int type : {0, 19, 255}) {
    EXPECT_EQ(data::ControllerPrefix(type), "QVM");
    EXPECT_EQ(data::ControllerDisplayName(type), "QVM");
    EXPECT_EQ(data::SettingsFileName(type), "QVM_ini.Dat");
  }
  EXPECT_EQ(data::ControllerPrefix(2), "3m");
  EXPECT_EQ(data::ControllerPrefix(12), "QVM");
  EXPECT_EQ(data::ControllerDisplayName(12), "B&R Bohrauto.");
}

TEST(Settings, FailedWriteLeavesOldFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("QVM_ini.Dat"));  // a folder in the way
  data::Settings s;
  EXPECT_FALSE(data::WriteSettings(s, dir.path()));
  EXPECT_FALSE(data::WriteSettings(s, dir.File("missing/")));
}

}  // namespace
