// rur-cli at start: --version, and the data directory it chooses and seeds
// when neither --data nor RUR_DATA_DIR names one.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliVersion, PrintsNameAndVersionWhateverElseIsGiven) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--version"}, {"eval", "1", "--version"}, {"--version", "frobnicate"}}) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::Run(args, "/nowhere/rur-cli", out, err), 0) << args[0];
    EXPECT_EQ(out.str(), "rur-cli 1.0.0\n");
    EXPECT_EQ(err.str(), "");
  }
  RefusingBuffer refusing;
  std::ostream out(&refusing);
  std::ostringstream err;
  EXPECT_EQ(cli::Run({"--version"}, "/nowhere/rur-cli", out, err), 1);
  EXPECT_EQ(err.str(), "rur-cli: cannot write the output: write error\n");
}

TEST(CliVersion, HelpNamesIt) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::Run({"--help"}, "/nowhere/rur-cli", out, err), 0);
  EXPECT_NE(out.str().find("  --version "), std::string::npos);
}

TEST(CliVersion, BuiltProgramPrintsItOnStdout) {
  FILE* pipe = ::popen((std::string(RUR_CLI_PATH) + " --version 2>/dev/null").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[64] = {};
  const std::size_t got = std::fread(line, 1, sizeof line - 1, pipe);
  const int status = ::pclose(pipe);
  EXPECT_EQ(std::string(line, got), "rur-cli 1.0.0\n");
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // A full disk on stdout is said and fails.
  const int full = std::system((std::string(RUR_CLI_PATH) + " --version >/dev/full 2>/dev/null").c_str());
  EXPECT_EQ(WEXITSTATUS(full), 1);
}

// An installed rur-cli, PREFIX/bin/rur-cli beside the shared data: its first
// command seeds the per-user directory and runs on it (the shipped
// settings: no warning about them).
TEST(CliDataDirectory, InstalledProgramSeedsThePerUserDirectory) {
  TempDir root;
  const std::string share = root.path() + "bin/" RUR_SHARE_FROM_BIN "/";
  fs::create_directories(share);
  const char* const shipped[] = {"msg.dat", "QVM_ini.Dat", "QVM_wkz.dat", "Npv_QVM.dat"};
  for (const char* name : shipped) fs::copy_file(fs::path(RUR_SOURCE_DIR) / "resources" / name, share + name);
  root.Write("%1", "%1\r\nN10 G01 X10 Y10 F100\r\n");

  std::ostringstream out;
  std::ostringstream err;
  const data::DataDirectoryInputs inputs{root.path() + "bin/rur-cli", "", "", root.File("xdg"), ""};
  EXPECT_EQ(cli::Run({"draw", root.File("%1")}, inputs, out, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  for (const char* name : shipped) EXPECT_TRUE(root.Exists(std::string("xdg/rur/") + name)) << name;
  EXPECT_TRUE(root.Exists("xdg/rur/ZEPS_00.$$$"));  // the scratch file of the run
}

}  // namespace
