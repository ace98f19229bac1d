// The radius compensation pass over the largest drawable program: 31,999
// blocks of closed contours under G41 (6 feed moves, 3 arcs and a rapid
// approach in every ten blocks), tool radius 2, built directly as records.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "bench_support.h"
#include "data/block_record.h"
#include "data/tool_table.h"
#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"

namespace {

constexpr std::uint8_t kG41 = 41;

// Appends records as a drawing run stores them, each from the last end.
class ContourWriter {
 public:
  explicit ContourWriter(data::BlockStore& store) : store_(store) {}

  void Move(std::uint8_t motion, long double x, long double y) { Add(motion, x, y, 0, 0); }
  void Arc(std::uint8_t motion, long double x, long double y, long double cx, long double cy) {
    Add(motion, x, y, cx, cy);
  }
  bool Full() const { return store_.Full(); }

 private:
  void Add(std::uint8_t motion, long double x, long double y, long double cx, long double cy) {
    if (store_.Full()) return;
    data::BlockRecord b;
    b.startX = x_;
    b.startY = y_;
    b.endX = x;
    b.endY = y;
    b.hasX = x != x_ ? 1 : 0;
    b.hasY = y != y_ ? 1 : 0;
    b.motion = motion;
    b.compensation = kG41;
    b.toolSlot = 1;
    b.tool = 1;
    b.feed = 200.0L;
    if (motion == data::kClockwise || motion == data::kCounterClockwise) {
      b.centreX = cx;
      b.centreY = cy;
      b.radius = std::hypot(x - cx, y - cy);
      b.arcSpan = static_cast<std::uint8_t>(geometry::ArcSpanOf(b));
    }
    b.listingLine = store_.count() + 1;
    store_.Append(b);
    x_ = x;
    y_ = y;
  }

  data::BlockStore& store_;
  long double x_ = 0.0L, y_ = 0.0L;
};

// One closed contour of 40 x 40 at (bx, by) with tangent rounded corners, a
// notch and a straight side split in two; mirrored (s = -1) it runs
// clockwise, so that G41 puts the cutter inside one and outside the next.
void WriteContour(ContourWriter& w, long double bx, long double by, long double s) {
  const auto x = [&](long double v) { return bx + v; };
  const auto y = [&](long double v) { return by + s * v; };
  const std::uint8_t ccw = s > 0 ? data::kCounterClockwise : data::kClockwise;
  const std::uint8_t cw = s > 0 ? data::kClockwise : data::kCounterClockwise;
  w.Move(data::kRapid, x(0), y(0));
  w.Move(data::kFeed, x(30), y(0));
  w.Arc(ccw, x(40), y(10), x(30), y(10));
  w.Move(data::kFeed, x(40), y(30));
  w.Arc(ccw, x(30), y(40), x(30), y(30));
  w.Move(data::kFeed, x(20), y(40));
  w.Arc(cw, x(10), y(40), x(15), y(40));
  w.Move(data::kFeed, x(0), y(40));
  w.Move(data::kFeed, x(0), y(20));
  w.Move(data::kFeed, x(0), y(0));
}

struct Contours {
  Contours() {
    tools[1].radiusCorrection = 2.0L;
    ContourWriter w(programmed);
    for (int k = 0; !w.Full(); ++k) {
      WriteContour(w, 60.0L * (k % 20), 100.0L * (k / 20 % 20), k % 2 == 0 ? 1.0L : -1.0L);
    }
  }
  data::BlockStore programmed;
  data::ToolTable tools{};
};

void BM_CompensationOfLargestProgram(benchmark::State& state) {
  static const Contours contours;
  bench::SilentMessages silent;
  data::BlockStore compensated(data::kMaxCompensatedBlocks);
  for (auto _ : state) {
    if (!geometry::Compensate(contours.programmed, contours.tools, 3.0L, silent.messages, compensated)) {
      state.SkipWithError("the compensation refused the contours");
      break;
    }
    benchmark::DoNotOptimize(compensated.count());
  }
  state.counters["blocks_out"] = compensated.count();
  state.SetItemsProcessed(state.iterations() * contours.programmed.count());
}
BENCHMARK(BM_CompensationOfLargestProgram)->Unit(benchmark::kMillisecond);

}  // namespace
