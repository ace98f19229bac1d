// rur-cli's common rules: help, options anywhere, usage errors, commands
// not yet available; and the built executable's exit statuses.
#include "cli/cli_app.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_args.h"
#include "cli/cli_dialogs.h"
#include "app/cli/run_in_process.h"
#include "support/temp_dir.h"

namespace {

using cli_testing::Result;
using cli_testing::RunCli;

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

TEST(CliArgs, FileOptionsNeedAValue) {
  std::string error;
  for (const char* option : {"--png", "--data", "--port", "--out", "--type"}) {
    EXPECT_FALSE(cli::ParseArgs({"draw", "%1", option, ""}, error)) << option;
    EXPECT_NE(error.find(option), std::string::npos) << error;
  }
  const auto a = cli::ParseArgs({"controller", "--pty", "--reply", ""}, error);  // the default script
  ASSERT_TRUE(a);
  EXPECT_EQ(a->options, (std::vector<std::string>{"--pty", "--reply"}));
}

// Each command takes its own options (and --data, --help); any other one is
// a usage error naming it, instead of being ignored.
TEST(Cli, OptionsACommandDoesNotTakeAreUsageErrors) {
  testing_support::TempDir data;
  const std::vector<std::vector<std::string>> foreign = {
      {"eval", "1", "--png", "x.png"},   {"eval", "1", "--skip"},          {"word", "X1", "--blocks"},
      {"translate", "G01", "--scaled"},  {"listing", "%1", "--png", "x"},  {"listing", "%1", "--blocks"},
      {"listing", "%1", "--param", "1=1"}, {"draw", "%1", "--scaled"},    {"draw", "%1", "--port", "/dev/x"},
      {"convert", "%1", "--png", "x"},   {"send", "%1", "--blocks", "--port", "/dev/x"},
      {"convert", "%1", "--trace", "x"},
      {"controller", "--pty", "--skip"}, {"controller", "--pty", "--param", "1=1"},
      {"import", "x.nc", "--skip"},     {"import", "x.nc", "--png", "x"}, {"draw", "%1", "--type", "3"},
  };
  for (std::vector<std::string> args : foreign) {
    const std::string option = args[2];
    args.insert(args.end(), {"--data", data.path()});
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << option;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("rur-cli: " + args[0] + " does not take " + option + "\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("rur-cli: usage: rur-cli " + args[0]), std::string::npos) << r.err;
  }
  // Its own options pass (the run fails later, on the missing program).
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"eval", "1", "--param", "1=2"},
           {"listing", "missing", "--skip"},
           {"draw", "missing", "--skip", "--png", "x.png", "--blocks"},
           {"convert", "missing", "--skip", "--scaled", "--blocks"},
           {"import", "missing", "--type", "3", "--out", "x.nc"},
           {"send", "missing", "--port", "/dev/zero", "--trace", "trace.txt"},
       }) {
    args.insert(args.end(), {"--data", data.path()});
    const auto r = RunCli(args);
    EXPECT_EQ(r.err.find("does not take"), std::string::npos) << args[0] << ": " << r.err;
  }
  EXPECT_EQ(RunCli({"draw", "%1", "--png", ""}).status, 2);
  EXPECT_EQ(RunCli({"send", "%1", "--port", "/dev/zero", "--trace", ""}).status, 2);
}

// Send names each missing data file once, with the data directory, as the
// window does on entering the working state. Draw and convert do so in their golden cases, which
// also show a settings record too short (draw_settings_too_short) and a
// whole one (draw_call_range_twice_type1); listing, translate, eval and
// word do not use the files and say nothing (prep_*, translate_*, eval_*).
TEST(Cli, SendNamesTheMissingDataFilesOnce) {
  testing_support::TempDir data;
  data.Write("%1", "%1\r\nN10 G01 X10 Y10 F100\r\n");
  const auto send = RunCli({"send", data.File("%1"), "--port", data.File("no-port"), "--data", data.path()});
  // Each names the file and the data directory.
  const auto where = [&data](const std::string& file) {
    return " Datei: " + data.path() + file + " Datenverzeichnis: " + data.path() + "\n";
  };
  for (const std::string& warning :
       {"Warnung: Initialisierungsdatei QVM_ini.Dat nicht gefunden, es gelten die Vorgaben (Arbeitsbereich 400 x 300)." +
            where("QVM_ini.Dat"),
        "Warnung: Nullpunktverschiebungsdatei nicht vorhanden! Bitte NPV-Datei erstellen! " + where("Npv_QVM.dat"),
        "Warnung: Werkzeugdatei nicht vorhanden! Bitte WKZ-Datei erstellen!" + where("QVM_wkz.dat")}) {
    const auto at = send.err.find(warning);
    EXPECT_NE(at, std::string::npos) << warning << send.err;
    EXPECT_EQ(send.err.find(warning, at + 1), std::string::npos) << warning << send.err;
  }
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

}  // namespace
