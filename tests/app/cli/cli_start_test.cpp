// rur-cli at start: the data directory it chooses and seeds when neither
// --data nor RUR_DATA_DIR names one. --version, whatever else is given, is
// a golden case (version*).
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

// An installed rur-cli, PREFIX/bin/rur-cli beside the shared data: its first
// command seeds the per-user directory (named by XDG_DATA_HOME, else by the
// account when HOME is empty) and runs on it (the shipped settings: no
// warning about them). One that cannot be made is said, and the run works
// on a temporary copy that is gone afterwards; nothing goes into bin/.
TEST(CliDataDirectory, InstalledProgramSeedsThePerUserDirectory) {
  TempDir root;
  const std::string share = root.path() + "bin/" RUR_SHARE_FROM_BIN "/";
  fs::create_directories(share);
  fs::create_directory(root.File("tmp"));
  const char* const shipped[] = {"msg.dat", "QVM_ini.Dat", "QVM_wkz.dat", "Npv_QVM.dat"};
  for (const char* name : shipped) fs::copy_file(fs::path(RUR_SOURCE_DIR) / "resources" / name, share + name);
  root.Write("%1", "%1\r\nN10 G01 X10 Y10 F100\r\n");
  root.Write("file", "in the way");

  const struct {
    std::string xdg;
    std::string user;  // the per-user directory, empty: none usable
  } cases[] = {{root.File("xdg"), "xdg/rur/"}, {"", "account/.local/share/rur/"}, {root.File("file"), ""}};
  for (const auto& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    const data::DataDirectoryInputs inputs{
        root.path() + "bin/rur-cli", "", "", c.xdg, "", root.File("account"), root.File("tmp")};
    EXPECT_EQ(cli::Run({"draw", root.File("%1")}, inputs, out, err), 0) << err.str();
    if (c.user.empty()) {
      EXPECT_EQ(err.str().rfind("Warnung: Datenverzeichnis " + root.File("file/rur/") +
                                    " kann nicht angelegt werden (eine Datei gleichen Namens ist im Weg). Dieser Lauf "
                                    "arbeitet mit den mitgelieferten Daten im vor\u00fcbergehenden Verzeichnis " +
                                    root.File("tmp/rur-"),
                                0),
                0u)
          << err.str();
      const std::string said = err.str();
      EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
      EXPECT_TRUE(fs::is_empty(root.File("tmp")));
    } else {
      EXPECT_EQ(err.str(), "");
      for (const char* name : shipped) EXPECT_TRUE(root.Exists(c.user + name)) << name;
      EXPECT_TRUE(root.Exists(c.user + "ZEPS_00.$$$"));  // the scratch file of the run
    }
  }
  EXPECT_TRUE(fs::is_empty(root.File("bin")));
}

}  // namespace
