#include "data/data_directory.h"

#include <unistd.h>

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using data::PathStyle;

// A bare drive gets no backslash; ':' is an ordinary character on POSIX.
TEST(DataDirectory, DirectoryOfTheExecutable) {
  const std::string longDir = "/" + std::string(300, 'd') + "/";  // not cut
  const struct {
    const char* executable;
    PathStyle style;
    std::string directory;
  } cases[] = {{"C:\\RUR\\rur.exe", PathStyle::Windows, "C:\\RUR\\"},
               {"C:rur.exe", PathStyle::Windows, "C:"},
               {"D:\\a/b\\rur.exe", PathStyle::Windows, "D:\\a/b\\"},
               {"/opt/rur/bin/rur", PathStyle::Posix, "/opt/rur/bin/"},
               {"/opt/a:b/rur", PathStyle::Posix, "/opt/a:b/"},
               {"rur", PathStyle::Posix, ""}};
  for (const auto& c : cases) EXPECT_EQ(data::MakeDataDirectory(c.executable, c.style), c.directory) << c.executable;
  EXPECT_EQ(data::MakeDataDirectory(longDir + "rur", PathStyle::Posix), longDir);
}

TEST(DataDirectory, OverrideWinsAndEndsInSeparator) {
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", "/srv/data"}), "/srv/data/");
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", "/srv/data/"}), "/srv/data/");
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", ""}), "/opt/rur/");
}

using testing_support::TempDir;

// A data directory of its own needs msg.dat and write permission; the
// per-user directory is named by XDG_DATA_HOME when absolute, else by HOME.
TEST(DataDirectoryChoice, FirstApplicableRuleWins) {
  TempDir own;  // the executable's directory, holding the catalogue
  own.Write("MSG.DAT", "1\r\n");
  TempDir bare;  // an executable's directory without it
  struct Case {
    const char* name;
    data::DataDirectoryInputs inputs;
    std::string directory;
    data::DataDirectoryKind kind;
  };
  using K = data::DataDirectoryKind;
  const std::vector<Case> cases = {
      {"option", {own.File("rur"), "/opt/d", "/var/v", "/x", "/h"}, "/opt/d/", K::Option},
      {"variable", {own.File("rur"), "", "/var/v/", "/x", "/h"}, "/var/v/", K::Variable},
      {"own directory", {own.File("rur"), "", "", "/x", "/h"}, own.path(), K::Executable},
      {"XDG_DATA_HOME", {bare.File("rur"), "", "", "/x", "/h"}, "/x/rur/", K::PerUser},
      {"XDG_DATA_HOME with separator", {bare.File("rur"), "", "", "/x/", "/h"}, "/x/rur/", K::PerUser},
      {"relative XDG_DATA_HOME", {bare.File("rur"), "", "", "x/y", "/h"}, "/h/.local/share/rur/", K::PerUser},
      {"empty XDG_DATA_HOME", {bare.File("rur"), "", "", "", "/h/"}, "/h/.local/share/rur/", K::PerUser},
      {"neither usable", {bare.File("rur"), "", "", "x", ""}, bare.path(), K::Executable},
      {"relative HOME", {bare.File("rur"), "", "", "", "h"}, bare.path(), K::Executable},
  };
  for (const Case& c : cases) {
    const data::DataDirectoryChoice choice = data::ChooseDataDirectory(c.inputs);
    EXPECT_EQ(choice.directory, c.directory) << c.name;
    EXPECT_EQ(choice.kind, c.kind) << c.name;
  }
}

TEST(DataDirectoryChoice, ReadOnlyOwnDirectoryGivesWayToThePerUserOne) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir own;
  own.Write("msg.dat", "1\r\n");
  std::filesystem::permissions(own.path(), std::filesystem::perms(0555));
  const auto choice = data::ChooseDataDirectory({own.File("rur"), "", "", "/x", "/h"});
  EXPECT_EQ(choice.directory, "/x/rur/");
  EXPECT_EQ(choice.kind, data::DataDirectoryKind::PerUser);
}

TEST(DataDirectoryChoice, SharedDataLiesBesideTheBinDirectory) {
  EXPECT_EQ(data::SharedDataDirectory("/usr/bin/rur"), "/usr/bin/" RUR_SHARE_FROM_BIN "/");
}

// Only the per-user directory is made and seeded; a named one is taken as
// it is.
TEST(DataDirectorySetUp, CreatesAndSeedsOnlyThePerUserDirectory) {
  TempDir root;
  const std::string bin = root.path() + "bin/";
  const std::string share = bin + RUR_SHARE_FROM_BIN + "/";
  std::filesystem::create_directories(share);
  std::filesystem::create_directories(bin);
  root.Write("bin/" RUR_SHARE_FROM_BIN "/msg.dat", "1\r\n");

  EXPECT_EQ(data::SetUpDataDirectory({bin + "rur", root.File("named"), "", "", root.path()}), root.File("named/"));
  EXPECT_FALSE(root.Exists("named"));

  const std::string user = root.path() + "home/.local/share/rur/";
  EXPECT_EQ(data::SetUpDataDirectory({bin + "rur", "", "", "", root.path() + "home"}), user);
  EXPECT_EQ(root.Read("home/.local/share/rur/msg.dat"), "1\r\n");
}

TEST(ProgramFolder, ProgramDirectoryThenExamplesThenDataDirectory) {
  TempDir data;
  TempDir programs;
  EXPECT_EQ(data::ProgramFolderToOffer(programs.path(), data.path()), programs.path());
  EXPECT_EQ(data::ProgramFolderToOffer("", data.path()), data.path());
  data.Write("examples", "a file, not a folder");
  EXPECT_EQ(data::ProgramFolderToOffer("", data.path()), data.path());
  std::filesystem::remove(data.File("examples"));
  std::filesystem::create_directory(data.File("Examples"));
  EXPECT_EQ(data::ProgramFolderToOffer("", data.path()), data.File("Examples/"));
  EXPECT_EQ(data::ProgramFolderToOffer(data.File("gone/"), data.path()), data.File("Examples/"));
  EXPECT_EQ(data::ProgramFolderToOffer("C:\\CNC\\", data.path()), data.File("Examples/"));
}

}  // namespace
