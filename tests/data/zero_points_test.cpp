#include "data/zero_points.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace {

using data::Axis;
using testing_support::FakeDialogs;
using testing_support::TempDir;

// A record with G55 Y = 12.5 at offset 60 and G58 Z = -1 at offset 140.
std::vector<std::uint8_t> HandBuiltRecord() {
  std::vector<std::uint8_t> bytes(150, 0);
  const std::uint8_t twelvePointFive[] = {0, 0, 0, 0, 0, 0, 0, 0xC8, 0x02, 0x40};
  std::copy(std::begin(twelvePointFive), std::end(twelvePointFive), bytes.begin() + 60);
  const std::uint8_t minusOne[] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF};
  std::copy(std::begin(minusOne), std::end(minusOne), bytes.begin() + 140);
  return bytes;
}

TEST(ZeroPoints, ReadsHandBuiltRecordIntoTheRuntimeTable) {
  TempDir dir;
  dir.Write("npv_qvm.DAT", HandBuiltRecord());
  data::ZeroPointRecord record;
  ASSERT_TRUE(data::ReadZeroPoints(record, dir.path(), 17));
  EXPECT_EQ(record.At(Axis::Y, 1), 12.5L);
  EXPECT_EQ(record.At(Axis::Z, 4), -1.0L);
  data::ZeroPointTable table{};
  data::CopyZeroPoints(record, table);
  EXPECT_EQ(table[1].y, 12.5L);
  EXPECT_EQ(table[1].x, 0.0L);
  EXPECT_EQ(table[4].z, -1.0L);

  FakeDialogs dialogs;
  ASSERT_TRUE(data::WriteZeroPoints(record, dir.path(), 17, dialogs));
  const auto expected = HandBuiltRecord();
  EXPECT_EQ(dir.Read("npv_qvm.DAT"), std::string(expected.begin(), expected.end()));
}

TEST(ZeroPoints, MissingFileFalseShortFileTrue) {
  TempDir dir;
  data::ZeroPointRecord record;
  record.At(Axis::X, 0) = 7.0L;
  EXPECT_FALSE(data::ReadZeroPoints(record, dir.path(), 17));
  EXPECT_EQ(record.At(Axis::X, 0), 7.0L);

  auto bytes = HandBuiltRecord();
  bytes.resize(65);  // G54..G58 X and G54 Y whole, G55 Y cut
  dir.Write("Npv_QVM.dat", bytes);
  record.At(Axis::Y, 1) = 3.0L;
  EXPECT_TRUE(data::ReadZeroPoints(record, dir.path(), 17));
  EXPECT_EQ(record.At(Axis::X, 0), 0.0L);
  EXPECT_EQ(record.At(Axis::Y, 1), 3.0L);
}

TEST(ZeroPoints, ClearAndFailedWrite) {
  TempDir dir;
  data::ZeroPointRecord record;
  record.At(Axis::Z, 2) = 5.0L;
  data::ClearZeroPoints(record);
  EXPECT_EQ(record.At(Axis::Z, 2), 0.0L);
  std::filesystem::create_directory(dir.File("Npv_QVM.dat"));
  FakeDialogs dialogs;
  EXPECT_FALSE(data::WriteZeroPoints(record, dir.path(), 17, dialogs));
  EXPECT_EQ(dialogs.informations.size(), 1u);
}

}  // namespace
