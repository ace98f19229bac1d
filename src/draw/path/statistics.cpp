#include "draw/path/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/path/geometry.h"

namespace draw {
namespace {

constexpr long double kSecondsPerMinute = 60.0L;

struct Totals {
  long double feedLength = 0.0L, rapidLength = 0.0L, feedMinutes = 0.0L;
  std::int64_t dwellUnits = 0;
  std::int32_t blocksWithoutFeed = 0;
};

long double LineLength(const data::BlockRecord& r, long double startZ) {
  const long double dx = r.endX - r.startX, dy = r.endY - r.startY, dz = r.endZ - startZ;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

long double ArcLength(const data::BlockRecord& r, long double startZ) {
  const long double dz = r.endZ - startZ;
  if (!(r.radius > 0.0L)) return std::fabs(dz);
  const long double along = r.radius * std::fabs(ArcSweepOf(r));
  return std::sqrt(along * along + dz * dz);
}

void AddFeedMove(Totals& t, const data::BlockRecord& r, long double length) {
  t.feedLength += length;
  if (!(length > 0.0L)) return;
  if (r.feed > 0.0L) {
    t.feedMinutes += length / r.feed;
  } else {
    ++t.blocksWithoutFeed;
  }
}

void AddBlock(Totals& t, const data::BlockRecord& r, long double startZ) {
  if (r.dwell > 0) t.dwellUnits += r.dwell;
  switch (r.motion) {
    case data::kRapid:
      t.rapidLength += LineLength(r, startZ);
      break;
    case data::kFeed:
      AddFeedMove(t, r, LineLength(r, startZ));
      break;
    case data::kClockwise:
    case data::kCounterClockwise:
      AddFeedMove(t, r, ArcLength(r, startZ));
      break;
    default:
      break;
  }
}

PathStatistics Figures(const Totals& t, const PathStatisticsOptions& options) {
  PathStatistics s;
  s.feedLength = NarrowToDouble(t.feedLength);
  s.rapidLength = NarrowToDouble(t.rapidLength);
  s.feedSeconds = NarrowToDouble(t.feedMinutes * kSecondsPerMinute);
  if (options.rapidRate > 0.0) {
    s.rapidSeconds = NarrowToDouble(t.rapidLength / options.rapidRate * kSecondsPerMinute);
  }
  s.dwellUnits = t.dwellUnits;
  s.dwellSeconds = static_cast<double>(t.dwellUnits) * options.dwellUnitSeconds;
  s.totalSeconds = s.feedSeconds + s.rapidSeconds + s.dwellSeconds;
  s.blocksWithoutFeed = t.blocksWithoutFeed;
  return s;
}

}  // namespace

PathStatistics ComputePathStatistics(const data::BlockStore& store, const PathStatisticsOptions& options) {
  Totals totals;
  long double z = 0.0L;
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const data::BlockRecord& r = store.At(position);
    AddBlock(totals, r, z);
    z = r.endZ;
  }
  return Figures(totals, options);
}

std::string ClockTime(double seconds) {
  if (!(seconds >= 0.0) || !std::isfinite(seconds)) return "?";
  // Beyond about 2.5e15 hours the count would not fit; no program runs so long.
  const auto whole = static_cast<long long>(std::floor(std::min(seconds, 9e18) + 0.5));
  char text[48];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  return text;
}

}  // namespace draw
