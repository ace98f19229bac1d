// The main window loading and drawing the largest program (31,999 blocks)
// through its own commands, then painting itself and the path view: at its
// least size, 651 x 587, with the view closed or floating in a window of
// 800 x 600 of its own, and at 1600 x 1000 with the view docked beside the
// components. Offscreen Qt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <filesystem>
#include <fstream>

#include "data/block_record.h"
#include "program_generator.h"
#include "ui/platform/modal_host.h"
#include "window/main_window.h"
#include "window/view_window.h"

namespace {

namespace fs = std::filesystem;

// Every box (the warnings of a data directory without data files) is
// answered at once.
class AnsweringHost : public ui::ModalHost {
 public:
  int Exec(QDialog&) override { return QDialog::Accepted; }
};

// The program's file in a folder of its own, which also holds the
// per-user settings, so that no window of the user's is read or changed.
const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / "rur-main-window-bench";
    fs::create_directories(f / "config");
    std::ofstream out(f / "%1", std::ios::binary);
    for (const auto& line : bench::GenerateProgram(data::kMaxStoredBlocks)) out << line << "\r\n";
    return f;
  }();
  return folder;
}

// state.range(0): 0 for 651 x 587 with the view closed, 1 with it
// floating, 2 for 1600 x 1000 with the view docked.
void BM_MainWindowLoadAndDraw(benchmark::State& state) {
  const bool large = state.range(0) == 2;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((Folder() / "config").string()));
  AnsweringHost host;
  app::MainWindow window(host, {"", Folder().string()}, QString());
  window.show();
  window.OnStartPicture();
  auto* view = window.findChild<app::ViewWindow*>();
  if (large) window.resize(1600, 1000);
  if (state.range(0) > 0) {
    window.OpenView();
    view->setFloating(!large);
    if (!large) view->resize(800, 600);
  }
  QApplication::processEvents();
  const QString program = QString::fromStdString((Folder() / "%1").string());
  for (auto _ : state) {
    window.OpenProgram(program);
    window.OnDraw();
    benchmark::DoNotOptimize(window.grab().cacheKey());
    if (view->isFloating() && view->isVisible()) benchmark::DoNotOptimize(view->grab().cacheKey());
  }
  if (window.workstation().blockStore().count() != data::kMaxStoredBlocks) {
    state.SkipWithError("the program did not fill the store");
  }
  state.counters["width"] = window.width();
  state.counters["viewWidth"] = view->isVisible() ? view->width() : 0;
}
BENCHMARK(BM_MainWindowLoadAndDraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
