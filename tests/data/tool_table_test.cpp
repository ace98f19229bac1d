#include "data/tool_table.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "data/extended.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace {

// n records of 20 bytes; record 7 holds radius 2.5, all others zero.
std::vector<std::uint8_t> HandBuiltToolFile(int records) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(records) * 20, 0);
  if (records > 7) {
    const std::uint8_t twoPointFive[] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0x40};
    std::copy(std::begin(twoPointFive), std::end(twoPointFive), bytes.begin() + 7 * 20 + 10);
  }
  return bytes;
}

// A data directory, a tool table and the boxes the file work shows.
class ToolTable : public ::testing::Test {
 protected:
  bool Read(int type = 17) { return data::ReadToolTable(table, dir.path(), type, dialogs); }
  bool Write() { return data::WriteToolTable(table, dir.path(), 17, dialogs); }

  testing_support::TempDir dir;
  data::ToolTable table{};
  testing_support::FakeDialogs dialogs;
};

TEST_F(ToolTable, ReadsHandBuiltFileAndWritesItBackByteForByte) {
  const auto bytes = HandBuiltToolFile(100);
  dir.Write("QVM_Wkz.Dat", bytes);  // the letter case of the name does not matter
  ASSERT_TRUE(Read());
  EXPECT_EQ(table[7].radiusCorrection, 2.5L);
  EXPECT_EQ(table[7].lengthCorrection, 0.0L);

  ASSERT_TRUE(Write());
  EXPECT_EQ(dir.Read("QVM_Wkz.Dat"), std::string(bytes.begin(), bytes.end()));
  EXPECT_FALSE(dir.Exists("QVM_wkz.dat"));  // written over the existing file, not beside it
}

TEST_F(ToolTable, ShortFileKeepsTheRecordsItDoesNotReach) {
  dir.Write("QVM_wkz.dat", HandBuiltToolFile(40));
  for (auto& t : table) t = {1.0L, 9.0L};
  ASSERT_TRUE(Read());
  EXPECT_EQ(table[39].radiusCorrection, 0.0L);
  EXPECT_EQ(table[7].radiusCorrection, 2.5L);
  EXPECT_EQ(table[40].radiusCorrection, 9.0L);
  EXPECT_EQ(table[99].lengthCorrection, 1.0L);
  EXPECT_TRUE(dialogs.informations.empty());
}

TEST_F(ToolTable, TruncatedRecordClearsTheTableWithItsMessage) {
  auto bytes = HandBuiltToolFile(100);
  bytes.resize(45);
  dir.Write("QVM_wkz.dat", bytes);
  table[50].radiusCorrection = 3.0L;
  EXPECT_FALSE(Read());
  EXPECT_EQ(dialogs.informations, std::vector<std::string>{"Fehler beim lesen der Werkzeugdaten!"});
  EXPECT_EQ(table[50].radiusCorrection, 0.0L);
}

TEST_F(ToolTable, OversizedFileReadsOnlyTheFirstHundredRecords) {
  auto bytes = HandBuiltToolFile(100);
  bytes.resize(100 * 20 + 7, 0xFF);  // junk after the hundredth record
  dir.Write("QVM_wkz.dat", bytes);
  EXPECT_TRUE(Read());
  EXPECT_EQ(table[7].radiusCorrection, 2.5L);
}

TEST_F(ToolTable, FailedWriteShowsItsBoxAndKeepsTheOldFile) {
  std::filesystem::create_directory(dir.File("QVM_wkz.dat"));
  EXPECT_FALSE(Write());
  EXPECT_EQ(dialogs.informations, std::vector<std::string>{"Fehler beim schreiben der Werzeugdaten!"});
}

// The file of another controller type is no file of this one: missing,
// the table stays and nothing is said.
TEST_F(ToolTable, FileNameFollowsTheControllerType) {
  dir.Write("Num_wkz.dat", HandBuiltToolFile(100));
  table[3].lengthCorrection = 4.0L;
  EXPECT_FALSE(Read(17));
  EXPECT_EQ(table[3].lengthCorrection, 4.0L);
  EXPECT_TRUE(dialogs.informations.empty());
  EXPECT_TRUE(Read(3));
  EXPECT_EQ(table[7].radiusCorrection, 2.5L);
}

}  // namespace
