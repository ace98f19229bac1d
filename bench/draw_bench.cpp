// The drawing primitives on their own: arcs (101 points each), feed moves
// across the picture, lines towards far points, the block mix of the
// largest program, and the PNG encoding of a drawn picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "data/block_record.h"
#include "draw/picture/png_writer.h"
#include "draw/picture/primitives.h"
#include "draw/picture/surface.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct Move {
  data::BlockRecord block;
  long double sweep = 0;
};

// Arcs of radius 1 to 100 (or the given largest) about centres in the default work area, start
// points at any angle, sweeps of either sign up to a full turn.
std::vector<Move> Arcs(int count, double largest = 100) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> x(0, 400), y(0, 300), radius(1, largest), angle(-2 * kPi, 2 * kPi);
  std::vector<Move> arcs(static_cast<std::size_t>(count));
  for (Move& arc : arcs) {
    arc.block.centreX = x(random);
    arc.block.centreY = y(random);
    arc.block.radius = radius(random);
    const long double a0 = angle(random);
    arc.block.startX = arc.block.centreX + arc.block.radius * std::cos(a0);
    arc.block.startY = arc.block.centreY + arc.block.radius * std::sin(a0);
    arc.sweep = angle(random);
  }
  return arcs;
}

std::vector<Move> Ends(int count, double low, double high) {
  std::mt19937 random(9);
  std::uniform_real_distribution<double> coordinate(low, high);
  std::vector<Move> ends(static_cast<std::size_t>(count));
  for (Move& end : ends) {
    end.block.endX = coordinate(random);
    end.block.endY = coordinate(random);
  }
  return ends;
}

// Radius up to 100 (112 pixels), or up to 10: then the points, not the
// pixels, are the work. The pen is put on each arc's start first, as the
// move before it would.
void BM_DrawArc(benchmark::State& state) {
  draw::Raster raster;
  const auto arcs = Arcs(1024, static_cast<double>(state.range(0)));
  std::vector<draw::PenPosition> starts;
  for (const Move& arc : arcs) {
    starts.push_back({static_cast<std::int64_t>(arc.block.startX * 1.12L),
                      static_cast<std::int64_t>(357 - arc.block.startY * 1.12L)});
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const Move& arc = arcs[i % arcs.size()];
    raster.MoveTo(starts[i % arcs.size()].x, starts[i % arcs.size()].y);
    ++i;
    draw::DrawArc(arc.block, arc.sweep, {raster, 400, 300});
  }
  benchmark::DoNotOptimize(raster.pixels().data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawArc)->Arg(100)->Arg(10);

void BM_FeedMoveAcrossThePicture(benchmark::State& state) {
  draw::Raster raster;
  const auto ends = Ends(1024, 0, 300);
  std::size_t i = 0;
  for (auto _ : state) draw::FeedMove(ends[i++ % ends.size()].block, {raster, 400, 300});
  benchmark::DoNotOptimize(raster.pixels().data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FeedMoveAcrossThePicture);

// Alternately out to points 1e12 pixels away and back into the picture.
void BM_LineToFarPoints(benchmark::State& state) {
  draw::Raster raster;
  std::mt19937 random(13);
  std::uniform_int_distribution<std::int64_t> far(-1'000'000'000'000, 1'000'000'000'000);
  std::uniform_int_distribution<int> near(0, 356);
  std::vector<draw::PenPosition> points;
  for (int n = 0; n < 512; ++n) {
    points.push_back({far(random), far(random)});
    points.push_back({near(random), near(random)});
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const draw::PenPosition p = points[i++ % points.size()];
    raster.LineTo(p.x, p.y);
  }
  benchmark::DoNotOptimize(raster.pixels().data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineToFarPoints);

// The primitives of the largest program: 31,999 blocks, 60% feed moves,
// 30% arcs and 10% rapid moves, on a cleared picture.
void BM_LargestProgramPrimitives(benchmark::State& state) {
  const auto arcs = Arcs(9600);
  const auto ends = Ends(22399, 0, 300);
  draw::Raster raster;
  for (auto _ : state) {
    draw::ClearPicture(raster);
    const draw::DrawTarget target{raster, 400, 300};
    std::size_t arc = 0, end = 0;
    for (int n = 0; n < data::kMaxStoredBlocks; ++n) {
      switch (n % 10) {
        case 0:
          draw::RapidMove(ends[end++].block, target);
          break;
        case 1:
        case 4:
        case 7:
          draw::DrawArc(arcs[arc].block, arcs[arc].sweep, target);
          ++arc;
          break;
        default:
          draw::FeedMove(ends[end++].block, target);
      }
    }
    benchmark::DoNotOptimize(raster.pixels().data());
  }
}
BENCHMARK(BM_LargestProgramPrimitives)->Unit(benchmark::kMillisecond);

void BM_EncodeDrawnPicture(benchmark::State& state) {
  draw::Raster raster;
  draw::ClearPicture(raster);
  for (const Move& arc : Arcs(200)) draw::DrawArc(arc.block, arc.sweep, {raster, 400, 300});
  std::size_t size = 0;
  for (auto _ : state) size = draw::EncodePng(raster).size();
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EncodeDrawnPicture)->Unit(benchmark::kMillisecond);

}  // namespace
