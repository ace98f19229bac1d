// Runs of the built rur-cli that share a data directory: many at once must
// each prepare their own program (they take turns at the scratch file), and
// a pipe put where a program or the message catalogue belongs must not
// hold any of them up.
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli/cli_process.h"
#include "data/settings.h"
#include "support/temp_dir.h"

namespace {

using cli_testing::CliProcess;
using testing_support::TempDir;

class SharedDataDirectoryTest : public ::testing::Test {
 protected:
  SharedDataDirectoryTest() {
    // Two programs of different length, so that a mixed-up listing shows in
    // its lines and in its count.
    programs.Write("%1", "%1\r\nN10 G01 X1 F100\r\n");
    programs.Write("%2", "%2\r\nN10 G01 X2 F100\r\nN20 X3\r\nN30 X4\r\n");
    const auto settings = data::EncodeSettings(data::Settings{});
    data.Write("QVM_ini.Dat", std::vector<std::uint8_t>(settings.begin(), settings.end()));
    data.Write("QVM_wkz.dat", std::string(100 * 20, '\0'));
    data.Write("Npv_QVM.dat", std::string(150, '\0'));
  }

  std::vector<std::string> With(std::vector<std::string> args) const {
    args.insert(args.end(), {"--data", data.path()});
    return args;
  }

  TempDir data;
  TempDir programs;
};

// Twenty runs at once, alternating between the two programs: each prints
// what its program prints alone.
TEST_F(SharedDataDirectoryTest, ParallelDrawingsEachDrawTheirOwnProgram) {
  std::vector<std::string> alone;
  for (const char* name : {"%1", "%2"}) {
    CliProcess run(With({"draw", programs.File(name), "--blocks"}));
    EXPECT_EQ(run.Finish(), 0) << run.err();
    alone.push_back(run.out());
  }
  ASSERT_NE(alone[0], alone[1]);
  std::vector<std::unique_ptr<CliProcess>> runs;
  for (int n = 0; n < 20; ++n) {
    runs.push_back(std::make_unique<CliProcess>(With({"draw", programs.File(n % 2 == 0 ? "%1" : "%2"), "--blocks"})));
  }
  int mixed = 0;
  for (int n = 0; n < 20; ++n) {
    EXPECT_EQ(runs[n]->Finish(), 0) << runs[n]->err();
    if (runs[n]->out() != alone[n % 2]) ++mixed;
  }
  EXPECT_EQ(mixed, 0) << "of 20 runs";
}

TEST_F(SharedDataDirectoryTest, PipeAsProgramIsAFileThatCannotBeRead) {
  ASSERT_EQ(::mkfifo(programs.File("pipe").c_str(), 0600), 0);
  for (const char* command : {"listing", "draw", "convert"}) {
    CliProcess run(With({command, programs.File("pipe")}));
    EXPECT_EQ(run.Finish(), 2) << command;
    EXPECT_EQ(run.err(), "rur-cli: Programm " + programs.File("pipe") + " kann nicht gelesen werden!\n") << command;
  }
}

TEST_F(SharedDataDirectoryTest, PipeAsCatalogueCountsAsAMissingCatalogue) {
  ASSERT_EQ(::mkfifo(data.File("msg.dat").c_str(), 0600), 0);
  CliProcess word(With({"word", "XR5"}));
  EXPECT_EQ(word.Finish(), 1);
  EXPECT_EQ(word.out(), "error 98\n");
  EXPECT_EQ(word.err(), "Meldung  98: Disk fehlerhaft oder MSG.DAT fehlt! | Im Programm:  | Im Satz: \n");
}

}  // namespace
