// draw --stats: the rapid-rate option's values and the largest figure. Runs
// of the command are golden cases (draw_stats_*, draw_rapid_rate_*).
#include <cfloat>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "cli/statistics_lines.h"

namespace {

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

}  // namespace
