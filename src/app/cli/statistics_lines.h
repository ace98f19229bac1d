// The path statistics as `draw --stats` prints them: one line a figure,
// name and value separated by a blank, lengths and times with three
// decimals; and the rapid rate its option gives.
#pragma once

#include <optional>
#include <string>

#include "draw/path/statistics.h"

namespace cli {

// feed_length_mm, rapid_length_mm, feed_time_s, rapid_time_s, dwell_time_s,
// total_time_s (each "%.3f") and blocks_without_feed, each line ending in
// a line feed.
std::string FormatStatistics(const draw::PathStatistics& statistics);

// The value of --rapid-rate: a decimal number of mm/min above 0 (the
// whole text a finite number); none otherwise.
std::optional<double> ParseRapidRate(const std::string& text);

}  // namespace cli
