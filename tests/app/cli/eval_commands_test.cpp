// rur-cli eval and word: output format, error codes, parameters.
#include <gtest/gtest.h>

#include "app/cli/run_in_process.h"
#include "support/temp_dir.h"

namespace {

cli_testing::Result Cli(std::vector<std::string> args) {
  testing_support::TempDir data;  // no msg.dat: messages say so
  args.insert(args.begin() + (args.empty() ? 0 : 1), {"--data", data.path()});
  return cli_testing::RunCli(args);
}

TEST(CliEval, ValuesAndErrors) {
  EXPECT_EQ(Cli({"eval", "2*3+4"}).out, "10\n");
  EXPECT_EQ(Cli({"eval", "--", "-2^2"}).out, "-4\n");
  EXPECT_EQ(Cli({"eval", ""}).out, "0\n");
  EXPECT_EQ(Cli({"eval", "1/3"}).out, "0.333333333333333333\n");
  const auto r = Cli({"eval", "1/0"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "error 91\n");
  EXPECT_EQ(r.err, "");  // eval shows no message window
  EXPECT_EQ(Cli({"eval"}).status, 2);
  EXPECT_EQ(Cli({"eval", "1", "2"}).status, 2);
}

TEST(CliWord, ParametersAndMessages) {
  const auto ok = Cli({"word", "XR005*3", "--param", "5=2"});
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "6\n");
  const auto bad = Cli({"word", "XR5"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "error 98\n");
  EXPECT_EQ(bad.err, "Meldung  98: Disk fehlerhaft oder MSG.DAT fehlt! | Im Programm:  | Im Satz: \n");
  EXPECT_EQ(Cli({"word", "X=SIN[30]"}).out, "0.5\n");
}

}  // namespace
