// The path view's core on the largest drawing (31,999 blocks): building
// the spatial index, a hit test at points of the drawing, the listing-line
// lookup, and the path statistics.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <limits>
#include <string>
#include <random>
#include <vector>

#include "bench_support.h"
#include "largest_drawing.h"
#include "data/block_record.h"
#include "draw/path/index.h"
#include "draw/path/line_index.h"
#include "draw/path/statistics.h"
#include "program_generator.h"
#include "workstation/draw_command.h"

namespace {

const data::BlockStore& Store() {
  static const bench::LargestDrawing drawing("rur-path-bench");
  return drawing.ws.blockStore();
}

bool Drawn(benchmark::State& state) {
  if (Store().count() == data::kMaxStoredBlocks) return true;
  state.SkipWithError("the program did not fill the store");
  return false;
}

// Points over the work area (400 x 300) and a little beyond.
std::vector<draw::PathPoint> Points() {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> x(-20, 420), y(-20, 320);
  std::vector<draw::PathPoint> points(4096);
  for (draw::PathPoint& p : points) p = {x(random), y(random)};
  return points;
}

void BM_PathIndexBuild(benchmark::State& state) {
  if (!Drawn(state)) return;
  for (auto _ : state) {
    draw::PathIndex index(Store());
    benchmark::DoNotOptimize(index);
  }
}
BENCHMARK(BM_PathIndexBuild)->Unit(benchmark::kMillisecond);

// A click picks within a few pixels (here 2 mm); anywhere: the nearest
// block however far.
void BM_PathIndexHitTest(benchmark::State& state) {
  if (!Drawn(state)) return;
  const draw::PathIndex index(Store());
  const std::vector<draw::PathPoint> points = Points();
  const double bound = state.range(0) == 0 ? std::numeric_limits<double>::infinity() : 2.0;
  std::size_t i = 0, hits = 0;
  for (auto _ : state) {
    const auto hit = index.Nearest(points[i++ % points.size()], bound);
    hits += hit ? 1 : 0;
    benchmark::DoNotOptimize(hit);
  }
  state.counters["hit_share"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PathIndexHitTest)->Arg(2)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_ListingLineIndexBuildAndLookup(benchmark::State& state) {
  if (!Drawn(state)) return;
  for (auto _ : state) {
    const draw::PathLineIndex index(Store());
    benchmark::DoNotOptimize(index.BlocksOfListingLines(0, 1000, 1100));
  }
}
BENCHMARK(BM_ListingLineIndexBuildAndLookup)->Unit(benchmark::kMillisecond);

void BM_PathStatistics(benchmark::State& state) {
  if (!Drawn(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(draw::ComputePathStatistics(Store()));
}
BENCHMARK(BM_PathStatistics)->Unit(benchmark::kMillisecond);

}  // namespace
