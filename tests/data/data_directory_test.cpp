#include "data/data_directory.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "support/ordinary_user.h"
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

using testing_support::AsOrdinaryUser;
using testing_support::TempDir;

// A data directory of its own needs msg.dat and write permission; the
// per-user directory is named by XDG_DATA_HOME when absolute, else by HOME,
// else by the account's home; the executable's directory is never the
// fallback (installed, it is PREFIX/bin).
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
  const std::string exe = bare.File("rur");
  const std::vector<Case> cases = {
      {"option", {own.File("rur"), "/opt/d", "/var/v", "/x", "/h", "/a"}, "/opt/d/", K::Option},
      {"variable", {own.File("rur"), "", "/var/v/", "/x", "/h", "/a"}, "/var/v/", K::Variable},
      {"own directory", {own.File("rur"), "", "", "/x", "/h", "/a"}, own.path(), K::Executable},
      {"XDG_DATA_HOME", {exe, "", "", "/x", "/h", "/a"}, "/x/rur/", K::PerUser},
      {"XDG_DATA_HOME with separator", {exe, "", "", "/x/", "/h", "/a"}, "/x/rur/", K::PerUser},
      {"relative XDG_DATA_HOME", {exe, "", "", "x/y", "/h", "/a"}, "/h/.local/share/rur/", K::PerUser},
      {"empty XDG_DATA_HOME", {exe, "", "", "", "/h/", "/a"}, "/h/.local/share/rur/", K::PerUser},
      {"HOME the root", {exe, "", "", "", "/", "/a"}, "/.local/share/rur/", K::PerUser},
      {"empty HOME", {exe, "", "", "", "", "/a"}, "/a/.local/share/rur/", K::PerUser},
      {"relative HOME", {exe, "", "", "", "rel/ative", "/a/"}, "/a/.local/share/rur/", K::PerUser},
      {"no home at all", {exe, "", "", "x", "", ""}, "", K::PerUser},
      {"relative account home", {exe, "", "", "", "h", "a"}, "", K::PerUser},
  };
  for (const Case& c : cases) {
    const data::DataDirectoryChoice choice = data::ChooseDataDirectory(c.inputs);
    EXPECT_EQ(choice.directory, c.directory) << c.name;
    EXPECT_EQ(choice.kind, c.kind) << c.name;
  }
}

TEST(DataDirectoryChoice, ReadOnlyOwnDirectoryGivesWayToThePerUserOne) {
  TempDir own;
  own.Write("msg.dat", "1\r\n");
  std::filesystem::permissions(own.path(), std::filesystem::perms(0555));
  EXPECT_EQ(AsOrdinaryUser([&own] {
              const auto choice = data::ChooseDataDirectory({own.File("rur"), "", "", "/x", "/h"});
              return choice.directory == "/x/rur/" && choice.kind == data::DataDirectoryKind::PerUser;
            }),
            0);
}

TEST(DataDirectoryChoice, SharedDataLiesBesideTheBinDirectory) {
  EXPECT_EQ(data::SharedDataDirectory("/usr/bin/rur"), "/usr/bin/" RUR_SHARE_FROM_BIN "/");
}

// An installation: bin/ and the shared data with its catalogue.
class DataDirectorySession : public ::testing::Test {
 protected:
  DataDirectorySession() {
    std::filesystem::create_directories(root.File("bin/" RUR_SHARE_FROM_BIN));
    std::filesystem::create_directory(root.File("tmp"));
    root.Write("bin/" RUR_SHARE_FROM_BIN "/msg.dat", "1\r\n");
  }
  data::DataDirectoryInputs Inputs(std::string xdg, std::string home, std::string account = "") const {
    return {root.File("bin/rur"), "", "", std::move(xdg), std::move(home), std::move(account), root.File("tmp")};
  }
  bool TemporaryFolderLeft() const { return !std::filesystem::is_empty(root.File("tmp")); }

  TempDir root;
};

// Only the per-user directory is made and seeded; a named one is taken as
// it is.
TEST_F(DataDirectorySession, CreatesAndSeedsOnlyThePerUserDirectory) {
  data::DataDirectoryInputs named = Inputs("", root.path());
  named.option = root.File("named");
  const data::DataDirectorySession option(named);
  EXPECT_EQ(option.directory(), root.File("named/"));
  EXPECT_FALSE(root.Exists("named"));

  const data::DataDirectorySession user(Inputs("", "", root.File("account")));
  EXPECT_EQ(user.directory(), root.File("account/.local/share/rur/"));
  EXPECT_EQ(root.Read("account/.local/share/rur/msg.dat"), "1\r\n");
  EXPECT_EQ(user.warning(), "");
  EXPECT_FALSE(user.temporary());
}

// A per-user directory that cannot be named or made: a private copy of the
// shared data, said with the directory and the reason, gone at the end.
// When not even that can be made, the run keeps the unusable directory.
TEST_F(DataDirectorySession, UnusablePerUserDirectoryGivesWayToATemporaryCopy) {
  root.Write("file", "in the way");
  const struct {
    data::DataDirectoryInputs inputs;
    std::string warning;
  } cases[] = {
      {Inputs("", "rel/ative", ""),
       "Kein Datenverzeichnis bestimmbar: XDG_DATA_HOME und HOME sind keine absoluten Pfade, und das Benutzerkonto "
       "nennt kein Heimatverzeichnis."},
      {Inputs(root.File("file"), "/h"),
       "Datenverzeichnis " + root.File("file/rur/") +
           " kann nicht angelegt werden (eine Datei gleichen Namens ist im Weg)."},
  };
  for (const auto& c : cases) {
    {
      const data::DataDirectorySession session(c.inputs);
      EXPECT_TRUE(session.temporary()) << c.warning;
      EXPECT_EQ(session.directory().rfind(root.File("tmp/rur-"), 0), 0u) << session.directory();
      EXPECT_EQ(session.warning(), c.warning + "\n\rDieser Lauf arbeitet mit den mitgelieferten Daten im vor\xFC"
                                   "bergehenden Verzeichnis " + session.directory() +
                                   ", das an seinem Ende gel\xF6scht wird.");
      EXPECT_TRUE(std::filesystem::is_regular_file(session.directory() + "msg.dat"));
    }
    EXPECT_FALSE(TemporaryFolderLeft()) << c.warning;
  }

  data::DataDirectoryInputs noTemporary = Inputs(root.File("file"), "/h");
  noTemporary.temporaryBase = root.File("file");
  const data::DataDirectorySession session(noTemporary);
  EXPECT_FALSE(session.temporary());
  EXPECT_EQ(session.directory(), root.File("file/rur/"));
  EXPECT_NE(session.warning().find("Auch im Verzeichnis " + root.File("file/") +
                                   " kann kein vor\xFC" "bergehendes angelegt werden (ein Teil des Pfades ist kein "
                                   "Verzeichnis)."),
            std::string::npos)
      << session.warning();
}

// A per-user directory that exists but takes no files still holds the
// operator's tables: it is used and said, not replaced by shipped defaults.
TEST_F(DataDirectorySession, ReadOnlyPerUserDirectoryIsUsedAndSaid) {
  std::filesystem::create_directories(root.File("home/.local/share/rur"));
  root.Write("home/.local/share/rur/QVM_wkz.dat", "tools");
  std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
  std::filesystem::permissions(root.File("home/.local/share/rur"), std::filesystem::perms(0555));
  const std::string user = root.File("home/.local/share/rur/");
  EXPECT_EQ(AsOrdinaryUser([&] {
              const data::DataDirectorySession session(Inputs("", root.File("home")));
              return session.directory() == user && !session.temporary() &&
                     session.warning() == "Datenverzeichnis " + user +
                                              " ist nicht beschreibbar (keine Berechtigung): seine Dateien werden "
                                              "gelesen, Zeichnen und Speichern sind nicht m\xF6glich.";
            }),
            0);
  EXPECT_FALSE(root.Exists("home/.local/share/rur/msg.dat"));  // not seeded
  EXPECT_FALSE(TemporaryFolderLeft());
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
