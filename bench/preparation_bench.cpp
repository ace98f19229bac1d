// Preparation of programs of the largest size a program file may have
// (8 MB), one per line shape: CR LF, CR only and LF only line ends, empty
// lines, short blocks, lines of the full 255 characters and one single
// line. Times reading and preparing them in the process, and the peak
// memory (resident set) of `rur-cli draw` on each, reported as the counter
// peak_rss_kB beside the file's own size.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "data/program_file.h"
#include "workstation/draw_preparation.h"
#include "workstation/workstation.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kTime[] = "/usr/bin/time";

struct Shape {
  const char* name;
  std::string line;  // repeated after the header; empty: one single line
};

const std::array<Shape, 6> kShapes{{
    {"crlf_empty", "\r\n"},
    {"cr_empty", "\r"},
    {"lf_blocks", "X1\n"},
    {"crlf_labels", "N123456 G1 X1.5\r\n"},
    {"crlf_255", "N1 G1 X1 " + std::string(246, 'Y') + "\r\n"},
    {"one_line", ""},
}};

// The program file of a shape, "%1" and as many lines as fit in 8 MB.
std::string WriteProgram(const fs::path& dir, const Shape& shape) {
  const std::string path = (dir / shape.name).string();
  if (fs::exists(path)) return path;
  const std::string header = "%1\r\n";
  const std::size_t room = data::kMaxProgramFileBytes - header.size();
  std::ofstream out(path, std::ios::binary);
  out << header;
  if (shape.line.empty()) {
    out << std::string(room, 'X');
  } else {
    for (std::size_t n = room / shape.line.size(); n > 0; --n) out << shape.line;
  }
  return path;
}

const fs::path& Directory() {
  static const fs::path dir = [] {
    const fs::path d = fs::temp_directory_path() / "rur-bench-preparation";
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

// Reading the file as rur-cli does and preparing it: the scratch file,
// the work listing and the subprogram table.
void BM_PreparationOfLargestProgram(benchmark::State& state) {
  const Shape& shape = kShapes[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(shape.name);
  const std::string path = WriteProgram(Directory(), shape);
  bench::NoDialogs dialogs;
  bench::NoPump pump;
  rur::Workstation ws(dialogs, pump, {"", Directory().string() + "/"});
  ws.ReplaceProgram(path);
  for (auto _ : state) {
    data::ProgramText text;
    if (data::LoadProgramText(path, text) != data::ProgramLoad::Ok) state.SkipWithError("program not read");
    rur::PrepareDrawing(ws, text, false);
    benchmark::DoNotOptimize(ws.listing().lineCount);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(path)));
  state.counters["listing_lines"] = static_cast<double>(ws.listing().Size());
}
BENCHMARK(BM_PreparationOfLargestProgram)->DenseRange(0, kShapes.size() - 1)->Unit(benchmark::kMillisecond);

// Peak resident memory of a whole `rur-cli draw` of the file, in kB, as
// /usr/bin/time measures it: a child spawned from this process directly
// would report this process's own peak (Linux keeps it across exec).
long PeakMemoryOfDraw(const std::string& path) {
  const std::string report = (Directory() / "peak_rss").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{kTime, "-f", "%M", "-o", report, RUR_CLI_PATH, "draw", path, "--data",
                                Directory().string()};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, kTime, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid) return -1;
  // The last line: a failing run is reported on a line before it.
  std::ifstream in(report);
  std::string line;
  std::string last;
  while (std::getline(in, line)) last = line;
  return last.empty() ? -1 : std::atol(last.c_str());
}

void BM_DrawPeakMemoryThroughRurCli(benchmark::State& state) {
  const Shape& shape = kShapes[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(shape.name);
  const std::string path = WriteProgram(Directory(), shape);
  if (!fs::exists(kTime)) state.SkipWithError("needs /usr/bin/time");
  long peak = 0;
  for (auto _ : state) {
    const long kilobytes = PeakMemoryOfDraw(path);
    if (kilobytes < 0) state.SkipWithError("rur-cli could not be run");
    peak = std::max(peak, kilobytes);
  }
  state.counters["peak_rss_kB"] = static_cast<double>(peak);
  state.counters["file_kB"] = static_cast<double>(fs::file_size(path) / 1024);
}
BENCHMARK(BM_DrawPeakMemoryThroughRurCli)
    ->DenseRange(0, kShapes.size() - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
