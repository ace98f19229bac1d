#include "data/files.h"

#include <filesystem>

#include <unistd.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

TEST(Files, SplitsNamesAtEitherSeparator) {
  EXPECT_EQ(data::FileNamePart("/a/b\\%100", data::PathStyle::Posix), "%100");
  EXPECT_EQ(data::FileNamePart("C:%100", data::PathStyle::Windows), "%100");
  EXPECT_EQ(data::FileNamePart("C:%100", data::PathStyle::Posix), "C:%100");
  EXPECT_EQ(data::DirectoryPart("/a/b/%100", data::PathStyle::Posix), "/a/b/");
}

TEST(Files, FindsFilesWithoutRegardToCase) {
  TempDir dir;
  dir.Write("qvm_WKZ.DAT", "x");
  EXPECT_EQ(data::FindFileNoCase(dir.path(), "QVM_wkz.dat"), dir.File("qvm_WKZ.DAT"));
  EXPECT_FALSE(data::FindFileNoCase(dir.path(), "QVM_wkz.da"));
  EXPECT_FALSE(data::FindFileNoCase(dir.path() + "missing/", "x"));
  // Writing goes to the file that exists, not to a second one.
  EXPECT_EQ(data::PathForWriting(dir.path(), "QVM_Wkz.Dat"), dir.File("qvm_WKZ.DAT"));
  EXPECT_EQ(data::PathForWriting(dir.path(), "new.dat"), dir.File("new.dat"));
}

TEST(Files, ReplacingWriteLeavesOldFileWhenItFails) {
  TempDir dir;
  dir.Write("prog", "old");
  ASSERT_TRUE(data::WriteFileReplacing(dir.File("prog"), "new"));
  EXPECT_EQ(dir.Read("prog"), "new");

  std::filesystem::create_directory(dir.File("locked"));
  dir.Write("locked/prog", "old");
  std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::geteuid() != 0) {  // root writes anywhere
    EXPECT_FALSE(data::WriteFileReplacing(dir.File("locked/prog"), "new"));
    EXPECT_EQ(dir.Read("locked/prog"), "old");
  }
  EXPECT_FALSE(data::WriteFileReplacing(dir.File("no/such/dir/prog"), "new"));
}

TEST(Files, ReadWholeFileRefusesOversizedFiles) {
  TempDir dir;
  dir.Write("big", std::string(100, 'x'));
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(data::ReadWholeFile(dir.File("big"), 99, bytes), data::ReadStatus::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(data::ReadWholeFile(dir.File("big"), 100, bytes), data::ReadStatus::Ok);
  EXPECT_EQ(bytes.size(), 100u);
  EXPECT_EQ(data::ReadWholeFile(dir.File("none"), 100, bytes), data::ReadStatus::Missing);
  EXPECT_EQ(data::ReadWholeFile(dir.path(), 100, bytes), data::ReadStatus::Unreadable);
}

}  // namespace
