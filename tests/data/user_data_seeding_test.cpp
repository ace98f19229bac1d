// Seeding a per-user data directory from shared data: what is copied, what
// is never overwritten, and when a newer catalogue replaces the user's.
#include "data/user_data_seeding.h"

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "data/shipped_catalogue.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

struct Installation {
  Installation() {
    fs::create_directory(share.File("examples"));
    share.Write("msg.dat", "old catalogue\r\n");
    share.Write("NoPic.Bmp", "BM");
    share.Write("QVM_ini.Dat", std::string(316, '\x11'));
    share.Write("examples/%100", "%100\r\n");
    share.Write("examples/%200", "%200\r\n");
  }
  bool Seed() const { return data::SeedDataDirectory(user.path(), share.path()); }
  TempDir share;
  TempDir user;
};

TEST(Seeding, FreshDirectoryGetsEveryFileAndFolder) {
  Installation i;
  EXPECT_TRUE(i.Seed());
  for (const char* name : {"msg.dat", "NoPic.Bmp", "QVM_ini.Dat", "examples/%100", "examples/%200"}) {
    EXPECT_EQ(i.user.Read(name), i.share.Read(name)) << name;
  }
  EXPECT_EQ(i.user.Read(data::kShippedCatalogueRecord), data::HashText("old catalogue\r\n") + "\n");
}

TEST(Seeding, NeverOverwritesWhatIsThere) {
  Installation i;
  i.user.Write("QVM_ini.Dat", "changed");
  i.user.Write("npv_qvm.DAT", "own zero points");  // the same file in other letter case
  i.share.Write("Npv_QVM.dat", std::string(150, '\0'));
  fs::create_directory(i.user.File("examples"));
  i.user.Write("examples/%100", "own %100");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("QVM_ini.Dat"), "changed");
  EXPECT_FALSE(i.user.Exists("Npv_QVM.dat"));
  EXPECT_EQ(i.user.Read("examples/%100"), "own %100");
  EXPECT_EQ(i.user.Read("examples/%200"), "%200\r\n");
  // A second start changes nothing.
  i.user.Write("NoPic.Bmp", "own picture");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("NoPic.Bmp"), "own picture");
}

TEST(Seeding, FileInPlaceOfAFolderStays) {
  Installation i;
  i.user.Write("Examples", "not a folder");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("Examples"), "not a folder");
  EXPECT_FALSE(i.user.Exists("examples/%100"));
}

TEST(Seeding, ShareWithoutCatalogueSeedsNothing) {
  Installation i;
  fs::remove(i.share.File("msg.dat"));
  EXPECT_FALSE(i.Seed());
  EXPECT_TRUE(fs::is_empty(i.user.path()));
}

// A newer shipped catalogue replaces the user's copy only while that copy
// is the one shipped before (its hash is on record).
TEST(Seeding, CatalogueFollowsTheInstallationUntilTheUserChangesIt) {
  Installation i;
  ASSERT_TRUE(i.Seed());
  i.share.Write("msg.dat", "new catalogue\r\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("msg.dat"), "new catalogue\r\n");
  EXPECT_EQ(i.user.Read(data::kShippedCatalogueRecord), data::HashText("new catalogue\r\n") + "\n");

  i.user.Write("msg.dat", "edited by the user\r\n");
  i.share.Write("msg.dat", "newest catalogue\r\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("msg.dat"), "edited by the user\r\n");
}

TEST(Seeding, CatalogueWithoutRecordIsNeverReplaced) {
  Installation i;
  i.user.Write("MSG.DAT", "the user's own\r\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("MSG.DAT"), "the user's own\r\n");
  EXPECT_FALSE(i.user.Exists("msg.dat"));
  EXPECT_FALSE(i.user.Exists(data::kShippedCatalogueRecord));

  // Equal to the shipped one but never recorded: still the user's.
  i.user.Write("MSG.DAT", "old catalogue\r\n");
  EXPECT_TRUE(i.Seed());
  i.share.Write("msg.dat", "new catalogue\r\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("MSG.DAT"), "old catalogue\r\n");
}

// A replacement whose record was not written: the copy equals the shipped
// one, the record names the one before. The record is brought up to date,
// so that the next installation still replaces the copy.
TEST(Seeding, StaleRecordOfAnUnchangedCopyIsRenewed) {
  Installation i;
  i.user.Write("msg.dat", "old catalogue\r\n");
  i.user.Write(data::kShippedCatalogueRecord, data::HashText("older catalogue\r\n") + "\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read(data::kShippedCatalogueRecord), data::HashText("old catalogue\r\n") + "\n");
  i.share.Write("msg.dat", "new catalogue\r\n");
  EXPECT_TRUE(i.Seed());
  EXPECT_EQ(i.user.Read("msg.dat"), "new catalogue\r\n");
}

TEST(ShippedCatalogue, Fnv1a64OfKnownTexts) {
  EXPECT_EQ(data::Fnv1a64(""), 0xcbf29ce484222325ULL);
  EXPECT_EQ(data::Fnv1a64("a"), 0xaf63dc4c8601ec8cULL);
  EXPECT_EQ(data::Fnv1a64("foobar"), 0x85944171f73967e8ULL);
  EXPECT_EQ(data::HashText("a"), "af63dc4c8601ec8c");
}

TEST(CreateDirectories, MakesParentsWithMode0755) {
  TempDir root;
  const mode_t old = ::umask(022);
  EXPECT_TRUE(data::CreateDirectories(root.path() + "a/b/c/"));
  ::umask(old);
  for (const char* dir : {"a", "a/b", "a/b/c"}) {
    EXPECT_EQ(fs::status(root.File(dir)).permissions(), fs::perms(0755)) << dir;
  }
  EXPECT_TRUE(data::CreateDirectories(root.path() + "a/b/c"));  // already there
  root.Write("file", "x");
  EXPECT_FALSE(data::CreateDirectories(root.path() + "file/d/"));
}

}  // namespace
