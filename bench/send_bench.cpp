// The send command's work without a port on the largest program of
// compensated contours (31,999 blocks, tool radius 2): rur-cli convert
// against rur-cli draw of the same program in the same run, and in the
// process the compensation and the conversion into frames.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "data/block_record.h"
#include "data/tool_table.h"
#include "program_generator.h"
#include "workstation/draw_command.h"
#include "workstation/send_command.h"

namespace {

namespace fs = std::filesystem;

struct ContourFiles {
  ContourFiles() {
    dir = fs::temp_directory_path() / "rur-bench-contours";
    fs::create_directories(dir);
    program = bench::GenerateContourProgram(data::kMaxStoredBlocks);
    std::ofstream out(dir / "%1", std::ios::binary);
    for (const auto& line : program) out << line << "\r\n";
    data::ToolTable tools{};
    tools[1].radiusCorrection = 2.0L;
    bench::NoDialogs dialogs;
    data::WriteToolTable(tools, dir.string() + "/", data::kDefaultControllerType, dialogs);
  }
  fs::path dir;
  std::vector<std::string> program;
};

const ContourFiles& Files() {
  static const ContourFiles files;
  return files;
}

void ThroughRurCli(benchmark::State& state, const char* command) {
  const std::string line = std::string(RUR_CLI_PATH) + " " + command + " '" + (Files().dir / "%1").string() +
                           "' --data '" + Files().dir.string() + "' >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(line.c_str()) != 0) state.SkipWithError("rur-cli failed");
  }
}

void BM_DrawContoursThroughRurCli(benchmark::State& state) { ThroughRurCli(state, "draw"); }
BENCHMARK(BM_DrawContoursThroughRurCli)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertContoursThroughRurCli(benchmark::State& state) { ThroughRurCli(state, "convert"); }
BENCHMARK(BM_ConvertContoursThroughRurCli)->Unit(benchmark::kMillisecond)->UseRealTime();

struct DrawnSession {
  DrawnSession() : ws(dialogs, pump, {"", Files().dir.string()}) {
    ws.LoadSettingsAtActivation();
    ws.mainProgramFile = (Files().dir / "%1").string();
    rur::DrawCommandView quiet;
    drawn = rur::DrawProgram(ws, Files().program, false, quiet);
  }
  bench::NoDialogs dialogs;
  bench::NoPump pump;
  rur::Workstation ws;
  bool drawn = false;
};

void BM_CompensationOfTheDrawnContours(benchmark::State& state) {
  DrawnSession s;
  if (!s.drawn) state.SkipWithError("the drawing failed");
  for (auto _ : state) {
    if (!rur::CompensateForSending(s.ws)) state.SkipWithError("the compensation failed");
  }
}
BENCHMARK(BM_CompensationOfTheDrawnContours)->Unit(benchmark::kMillisecond);

// With the sent path drawn in red (the window) or without a picture
// (rur-cli convert).
void BM_ConversionIntoFrames(benchmark::State& state) {
  const bool drawn = state.range(0) != 0;
  DrawnSession s;
  if (!s.drawn || !rur::CompensateForSending(s.ws)) state.SkipWithError("drawing or compensation failed");
  for (auto _ : state) {
    rur::PrepareSentPicture(s.ws);
    transfer::FrameSource frames = rur::SentFrames(s.ws, drawn);
    transfer::Frame frame;
    std::size_t bytes = 0;
    while (frames.Next(frame)) bytes += frame.data.size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ConversionIntoFrames)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
