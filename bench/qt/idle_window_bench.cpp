// The main window at rest after the load dialog has shown several folders:
// the process's CPU time (user and system, all threads) over a few seconds
// of the event loop, as a share of one core. Target: 0 %; a file dialog
// kept between uses would go on watching every folder it showed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/platform/modal_host.h"
#include "window/main_window.h"

namespace {

// Lets the event loop run for ms milliseconds (it sleeps while idle).
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Shows each folder in the load dialog, as an operator looking for a file
// does, then cancels; every other box is answered at once.
class FolderVisitingHost : public ui::ModalHost {
 public:
  explicit FolderVisitingHost(QStringList folders) : folders_(std::move(folders)) {}
  int Exec(QDialog& dialog) override {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    if (files == nullptr) return QDialog::Rejected;
    for (const QString& folder : folders_) {
      files->setDirectory(folder);
      RunEventLoop(300);  // the folder is read and watched
    }
    return QDialog::Rejected;
  }

 private:
  QStringList folders_;
};

void BM_IdleWindowCpuAfterLoadDialog(benchmark::State& state) {
  const QTemporaryDir data;
  const QStringList folders{data.path(), QStringLiteral("/usr/bin"), QStringLiteral("/usr/include"),
                            QStringLiteral("/usr/lib/x86_64-linux-gnu"), QStringLiteral("/etc"),
                            QDir::tempPath()};
  FolderVisitingHost host(folders);
  app::MainWindow window(host, {"/nowhere/rur", data.path().toStdString()}, QString());
  window.show();
  window.OnStartPicture();
  for (int use = 0; use < 3; ++use) window.OnLoad();
  RunEventLoop(1000);  // what the last use started settles
  double percent = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEventLoop(5000);
    percent = (CpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9) * 100.0;
  }
  state.counters["cpu_percent"] = percent;
}

BENCHMARK(BM_IdleWindowCpuAfterLoadDialog)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
