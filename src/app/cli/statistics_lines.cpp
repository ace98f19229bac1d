#include "cli/statistics_lines.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cli {
namespace {

// Room for the longest figure: DBL_MAX has 309 digits before the point.
void AppendFigure(std::string& out, const char* name, double value) {
  char figure[400];
  std::snprintf(figure, sizeof figure, "%.3f", value);
  out += name;
  out += ' ';
  out += figure;
  out += '\n';
}

}  // namespace

std::string FormatStatistics(const draw::PathStatistics& s) {
  std::string out;
  AppendFigure(out, "feed_length_mm", s.feedLength);
  AppendFigure(out, "rapid_length_mm", s.rapidLength);
  AppendFigure(out, "feed_time_s", s.feedSeconds);
  AppendFigure(out, "rapid_time_s", s.rapidSeconds);
  AppendFigure(out, "dwell_time_s", s.dwellSeconds);
  AppendFigure(out, "total_time_s", s.totalSeconds);
  out += "blocks_without_feed " + std::to_string(s.blocksWithoutFeed) + "\n";
  return out;
}

std::optional<double> ParseRapidRate(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double rate = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(rate) || !(rate > 0.0)) {
    return std::nullopt;
  }
  return rate;
}

}  // namespace cli
