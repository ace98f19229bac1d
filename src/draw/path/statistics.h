// Length and time of the path in a block store: the feed path (G01, G02,
// G03) and the rapid path (G00) in space, Z included, and the time the
// machine takes for them at the programmed feeds, a given rapid rate and
// the recorded dwells.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"

namespace draw {

struct PathStatisticsOptions {
  double rapidRate = 2000.0;  // mm/min; not above 0: rapid moves take no time
  // Seconds of one unit of a recorded dwell: the F value after G4, which
  // counts tenths of a second (the Heckler & Koch dialect writes seconds
  // and is stored times 10).
  double dwellUnitSeconds = 0.1;
};

struct PathStatistics {
  double feedLength = 0.0;   // mm
  double rapidLength = 0.0;  // mm
  double feedSeconds = 0.0;
  double rapidSeconds = 0.0;
  double dwellSeconds = 0.0;
  double totalSeconds = 0.0;
  std::int64_t dwellUnits = 0;         // the recorded dwells added up
  std::int32_t blocksWithoutFeed = 0;  // feed moves at a feed not above 0: length counted, no time
};

// Over positions 1 .. count. A block starts where the one before it ended
// (in Z too: the store keeps no start Z); the first at Z 0. A line counts
// its length in space, an arc the helix sqrt((r * phi)^2 + dz^2) with phi
// its sweep as drawn; an arc without a radius (its geometry failed) only
// its Z travel.
PathStatistics ComputePathStatistics(const data::BlockStore& store, const PathStatisticsOptions& options = {});

// Seconds as h:mm:ss, rounded to the nearest second (halves up), the hours
// unpadded: 307 s is "0:05:07", 3599.5 s "1:00:00". A time that is no
// finite number of seconds at or above 0 is "?".
std::string ClockTime(double seconds);

}  // namespace draw
