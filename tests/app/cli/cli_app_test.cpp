// rur-cli's common rules: help, options anywhere, usage errors, commands
// not yet available; and the built executable's exit statuses.
#include "cli/cli_app.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_args.h"
#include "cli/cli_dialogs.h"
#include "support/temp_dir.h"

namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, "/nowhere/rur-cli", out, err);
  return {status, out.str(), err.str()};
}

TEST(CliArgs, OptionsStandAnywhereAndDoubleDashEndsThem) {
  std::string error;
  auto a = cli::ParseArgs({"listing", "--skip", "%1", "--data", "/d", "--param", "5=2.5"}, error);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->command, "listing");
  EXPECT_EQ(a->arguments, std::vector<std::string>{"%1"});
  EXPECT_TRUE(a->skip);
  EXPECT_EQ(a->dataDirectory, "/d");
  ASSERT_EQ(a->params.size(), 1u);
  EXPECT_EQ(a->params[0].first, 5);
  EXPECT_EQ(a->params[0].second, 2.5L);

  a = cli::ParseArgs({"eval", "--", "-2^2", "--skip"}, error);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->arguments, (std::vector<std::string>{"-2^2", "--skip"}));
  EXPECT_FALSE(a->skip);
}

TEST(CliArgs, MalformedOptionsAreUsageErrors) {
  std::string error;
  EXPECT_FALSE(cli::ParseArgs({"eval", "--bogus"}, error));
  EXPECT_FALSE(cli::ParseArgs({"eval", "--data"}, error));
  EXPECT_FALSE(cli::ParseArgs({"eval", "--param", "256=1"}, error));
  EXPECT_FALSE(cli::ParseArgs({"eval", "--param", "5=abc"}, error));
  EXPECT_FALSE(cli::ParseArgs({"eval", "--param", "=1"}, error));
  EXPECT_FALSE(cli::ParseArgs({"eval", "--param", "5=1e99999"}, error));
}

TEST(Cli, HelpListsTheCommands) {
  const auto r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* c : {"eval", "word", "translate", "listing", "draw", "convert", "send", "controller"}) {
    EXPECT_NE(r.out.find(c), std::string::npos) << c;
  }
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
}

TEST(Cli, BoxTextsBecomeOneLine) {
  EXPECT_EQ(cli::OneLine("Werkzeugdatei nicht vorhanden!\n\rBitte WKZ-Datei erstellen!"),
            "Werkzeugdatei nicht vorhanden! Bitte WKZ-Datei erstellen!");
  EXPECT_EQ(cli::OneLine("a\r\nb\nc\rd"), "a b c d");
  std::ostringstream err;
  cli::StderrDialogs dialogs(err);
  dialogs.ShowMessageWindow({" 20", "Gr\xF6\xDF" "e", "%1", "N10"});
  EXPECT_EQ(err.str(), "Meldung  20: Größe | Im Programm: %1 | Im Satz: N10\n");
}

TEST(CliExecutable, ExitStatusOfTheBuiltProgram) {
  auto status = [](const std::string& args) {
    const int raw = std::system((std::string(RUR_CLI_PATH) + " " + args + " >/dev/null 2>&1").c_str());
    return WEXITSTATUS(raw);
  };
  EXPECT_EQ(status("--help"), 0);
  EXPECT_EQ(status("--nonsense"), 2);
}

}  // namespace
