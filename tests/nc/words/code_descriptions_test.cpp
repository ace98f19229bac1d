#include "nc/words/code_descriptions.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace {

using testing_support::FakeDialogs;
using testing_support::TempDir;

class CodeDescriptionsTest : public ::testing::Test {
 protected:
  void WriteAll() {
    dir.Write("M_QVM.DAT", "\r\n  3,S\r\n99,Q\r\n");
    dir.Write("g_qvm.dat", "1,B\r\n2,K\r\n");
    dir.Write("A_QVM.DAT", "F E D ,V\r\nTOOLONG,W\r\n");
  }
  TempDir dir;
  FakeDialogs dialogs;
  nc::CodeDescriptions tables;
};

TEST_F(CodeDescriptionsTest, EntryOfEachLineByKeyAndClass) {
  WriteAll();
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  EXPECT_EQ(tables.mCount, 3);
  EXPECT_EQ(tables.m[1].codeClass, 0);  // empty line skipped but counted
  EXPECT_EQ(tables.m[2].number, 3);
  EXPECT_EQ(tables.m[2].codeClass, 'S');
  EXPECT_EQ(tables.m[3].number, 99);
  EXPECT_EQ(tables.m[3].codeClass, 'Q');
  EXPECT_EQ(tables.gCount, 2);
  EXPECT_EQ(tables.g[2].number, 2);
  EXPECT_EQ(tables.general[1].word, "FED");
  EXPECT_EQ(tables.general[2].word, "TOOL");
  EXPECT_EQ(tables.general[2].codeClass, 'W');
  EXPECT_TRUE(dialogs.informations.empty());
}

TEST_F(CodeDescriptionsTest, MissingFileClearsEverythingSilently) {
  WriteAll();
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  std::filesystem::remove(dir.File("g_qvm.dat"));
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  EXPECT_EQ(tables.m[3].number, 0);
  EXPECT_TRUE(tables.general[1].word.empty());
  EXPECT_TRUE(dialogs.informations.empty());
}

TEST_F(CodeDescriptionsTest, BadKeyInGFileStopsWithSecondMessage) {
  WriteAll();
  dir.Write("g_qvm.dat", "1,B\r\nX9,Q\r\n");
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  EXPECT_EQ(dialogs.informations,
            std::vector<std::string>{"Datei f\xFCr G-, M- oder allg. Beschreibung nicht brauchbar"});
  EXPECT_EQ(tables.m[3].number, 0);
  EXPECT_EQ(tables.g[1].number, 0);
}

TEST_F(CodeDescriptionsTest, TypeTwelveHasNoFilesAndLongFilesStopAt99) {
  WriteAll();
  nc::LoadCodeDescriptions(tables, dir.path(), 12, dialogs);  // same prefix, but no descriptions
  EXPECT_EQ(tables.m[3].number, 0);

  std::string many;
  for (int n = 1; n <= 150; ++n) many += std::to_string(n) + ",C\r\n";
  dir.Write("M_QVM.DAT", many);
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  EXPECT_EQ(tables.mCount, 99);
  EXPECT_EQ(tables.m[99].number, 99);
}

TEST_F(CodeDescriptionsTest, BinaryJunkDoesNotCrash) {
  WriteAll();
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  dir.Write("A_QVM.DAT", junk);
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  dir.Write("M_QVM.DAT", junk);
  nc::LoadCodeDescriptions(tables, dir.path(), 17, dialogs);
  EXPECT_EQ(dialogs.informations.size(), 1u);
}

}  // namespace
