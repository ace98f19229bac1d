// The path view's full repaint at "Einpassen" into a 1600 x 1000 image on
// the largest drawing (31,999 blocks): grid, frame and every figure, arcs
// flattened at the fitted scale, in the path's colours (argument 0) or in
// those of its depth (1). Offscreen Qt; a Qt executable of its own, apart
// from the core's benchmarks.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "largest_drawing.h"
#include "program_generator.h"
#include "ui/path_view/path_view.h"
#include "workstation/draw_command.h"

namespace {

void BM_PathViewRepaintFitted(benchmark::State& state) {
  static const bench::LargestDrawing drawing("rur-path-view-bench");
  if (drawing.ws.blockStore().count() != data::kMaxStoredBlocks) {
    state.SkipWithError("the program did not fill the store");
    return;
  }
  ui::PathView view;
  view.resize(1600, 1000);
  view.SetPath(&drawing.ws.blockStore(), false);
  view.SetDepthColours(state.range(0) != 0);
  view.Fit();
  QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    view.Render(painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["blocks"] = drawing.ws.blockStore().count();
}
BENCHMARK(BM_PathViewRepaintFitted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
