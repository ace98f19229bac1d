// draw --stats: the rapid-rate option's values, where the figures stand
// beside the block lines, and that a failed drawing prints none.
#include <cfloat>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "cli/statistics_lines.h"
#include "app/cli/run_in_process.h"
#include "support/temp_dir.h"

namespace {

using cli_testing::Result;
using cli_testing::RunCli;

TEST(DrawStats, RapidRateMustBeAFiniteNumberAboveZero) {
  struct Case {
    const char* text;
    std::optional<double> rate;
  };
  const Case cases[] = {
      {"2000", 2000.0}, {"0.001", 0.001}, {"1e3", 1000.0}, {"0", std::nullopt},  // zero is the limit: refused
      {"-5", std::nullopt}, {"abc", std::nullopt}, {"10x", std::nullopt}, {"1e999", std::nullopt},
      {"nan", std::nullopt}, {"inf", std::nullopt}, {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(cli::ParseRapidRate(c.text), c.rate) << c.text;
}

// The golden cases pin the lines; the largest figure keeps all its digits.
TEST(DrawStats, LargestFigureKeepsAllItsDigits) {
  draw::PathStatistics s;
  s.feedLength = DBL_MAX;
  const std::string out = cli::FormatStatistics(s);
  EXPECT_EQ(out.substr(0, out.find('\n')),
            "feed_length_mm "
            "1797693134862315708145274237317043567980705675258449965989174768031572607800285387605895586327668781"
            "7154045895351438246423432132688946418276846754670353751698604991057655128207624549009038932894407586"
            "8508455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184"
            "124858368.000");
}

class DrawStatsRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // One line 30 long and 40 across: 50 at F300, 10 s.
    data_.Write("%1", "%1\r\nN10 G01 X30 Y40 F300\r\nN20 M30\r\n");
  }
  Result Draw(std::vector<std::string> options) {
    std::vector<std::string> args{"draw", data_.File("%1"), "--data", data_.path()};
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
  }
  testing_support::TempDir data_;
};

TEST_F(DrawStatsRun, BadRapidRateIsAUsageErrorBeforeAnyDrawing) {
  for (const char* rate : {"0", "-1", "fast"}) {
    const Result r = Draw({"--stats", "--rapid-rate", rate});
    EXPECT_EQ(r.status, 2) << rate;
    EXPECT_EQ(r.out, "") << rate;
    EXPECT_NE(r.err.find(std::string("--rapid-rate wants mm/min above 0, not ") + rate), std::string::npos) << r.err;
  }
  EXPECT_EQ(Draw({"--stats", "--rapid-rate", ""}).status, 2);
}

TEST_F(DrawStatsRun, FiguresFollowTheBlockLines) {
  const Result r = Draw({"--blocks", "--stats"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto stats = r.out.find("feed_length_mm 50.000\n");
  ASSERT_NE(stats, std::string::npos) << r.out;
  EXPECT_NE(r.out.rfind("\t0\t0\n", stats), std::string::npos) << "block lines before the figures";
  EXPECT_NE(r.out.find("feed_time_s 10.000\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(r.out.size() - 22), "blocks_without_feed 0\n");
}

// Figures only with --stats, and none after a failed drawing.
TEST_F(DrawStatsRun, NoFiguresWithoutStatsOrAfterAFailedDrawing) {
  const Result plain = Draw({"--rapid-rate", "100"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, "");
  // A call of a subprogram that does not exist stops the drawing with a message.
  data_.Write("%1", "%1\r\nN10 G01 X30 Y40 F300\r\nN20 G77 H99\r\nN30 M30\r\n");
  const Result failed = Draw({"--stats"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.out, "");
}

}  // namespace
