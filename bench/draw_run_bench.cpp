// The drawing run of the largest program the block store takes (31,999
// blocks), as a whole command through rur-cli and inside the process stage
// by stage: preparation, translation of every block, the interpreter run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "workstation/draw_command.h"
#include "workstation/draw_preparation.h"
#include "data/block_record.h"
#include "draw/block_sink.h"
#include "draw/interpreter/driver.h"
#include "draw/picture/picture_listener.h"
#include "nc/translation/translation.h"
#include "program_generator.h"
#include "workstation/state_access.h"

namespace {

using bench::NoDialogs;
using bench::NoPump;

namespace fs = std::filesystem;

// A data directory and the program file, made once.
struct BenchFiles {
  BenchFiles() {
    dir = fs::temp_directory_path() / "rur-bench";
    fs::create_directories(dir);
    program = bench::GenerateProgram(data::kMaxStoredBlocks);
    std::ofstream out(dir / "%1", std::ios::binary);
    for (const auto& line : program) out << line << "\r\n";
  }
  fs::path dir;
  std::vector<std::string> program;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

struct Session {
  Session() : ws(dialogs, pump, {"", Files().dir.string()}) {
    ws.LoadSettingsAtActivation();
    ws.ReplaceProgram((Files().dir / "%1").string());
  }
  NoDialogs dialogs;
  NoPump pump;
  rur::Workstation ws;
};

void BM_DrawCommandThroughRurCli(benchmark::State& state) {
  const std::string command = std::string(RUR_CLI_PATH) + " draw '" + (Files().dir / "%1").string() +
                              "' --data '" + Files().dir.string() + "' >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("rur-cli draw failed");
  }
}
BENCHMARK(BM_DrawCommandThroughRurCli)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Preparation(benchmark::State& state) {
  Session s;
  for (auto _ : state) rur::PrepareDrawing(s.ws, Files().program, false);
}
BENCHMARK(BM_Preparation)->Unit(benchmark::kMillisecond);

void BM_TranslationOfEveryBlock(benchmark::State& state) {
  Session s;
  for (auto _ : state) {
    for (const auto& line : Files().program) {
      std::string block = line;
      s.ws.TranslateBlock(block);
      benchmark::DoNotOptimize(block);
    }
  }
}
BENCHMARK(BM_TranslationOfEveryBlock)->Unit(benchmark::kMillisecond);

void BM_InterpreterRun(benchmark::State& state) {
  Session s;
  rur::PrepareDrawing(s.ws, Files().program, false);
  rur::WorkstationState& parts = rur::StateOf(s.ws);
  parts.ReadDataFiles();
  draw::BlockSink blocks(parts.blockStore);
  draw::PictureListener picture(parts.raster, parts.settings.workAreaX, parts.settings.workAreaY);
  blocks.AddListener(picture);
  draw::RunContext context = parts.DrawContext(blocks);
  for (auto _ : state) {
    draw::RunProgram(context);
    if (s.ws.blockStore().count() != data::kMaxStoredBlocks) state.SkipWithError("not every block was stored");
  }
}
BENCHMARK(BM_InterpreterRun)->Unit(benchmark::kMillisecond);

void BM_WholeDrawCommand(benchmark::State& state) {
  Session s;
  rur::DrawCommandView quiet;
  for (auto _ : state) rur::DrawProgram(s.ws, Files().program, false, quiet);
}
BENCHMARK(BM_WholeDrawCommand)->Unit(benchmark::kMillisecond);

}  // namespace
