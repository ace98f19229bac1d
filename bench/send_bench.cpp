// The send command's work on the largest program of compensated contours
// (31,999 blocks, tool radius 2): rur-cli convert against rur-cli draw of
// the same program in the same run, and in the process the compensation,
// the conversion into frames and the handshake over a controller that
// confirms every frame at once.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "data/block_record.h"
#include "data/tool_table.h"
#include "program_generator.h"
#include "transfer/handshake.h"
#include "transfer/transfer_run.h"
#include "workstation/draw_command.h"
#include "workstation/send_command.h"
#include "workstation/state_access.h"

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
    ws.ReplaceProgram((Files().dir / "%1").string());
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
    if (!rur::PrepareSending(s.ws)) state.SkipWithError("the compensation failed");
  }
}
BENCHMARK(BM_CompensationOfTheDrawnContours)->Unit(benchmark::kMillisecond);

// With the sent path drawn in red (the window) or without a picture
// (rur-cli convert).
void BM_ConversionIntoFrames(benchmark::State& state) {
  const bool drawn = state.range(0) != 0;
  DrawnSession s;
  if (!s.drawn || !rur::PrepareSending(s.ws)) state.SkipWithError("drawing or compensation failed");
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

// A line whose controller is ready at once and confirms each frame as soon
// as it is written (the line takes a whole frame at a time).
class ConfirmingLine : public transfer::SerialLine {
 public:
  bool Open(const data::PortParameters&) override { return true; }
  void Close() override {}
  void DiscardBuffers() override {}
  void ReadAvailable(std::vector<std::uint8_t>& into) override {
    if (answer_) into.push_back(6);
    answer_ = false;
  }
  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    answer_ = true;
    ++frames;
    return bytes.size();
  }
  void Wait(transfer::LineWait) override {}
  std::string Failure() const override { return {}; }
  std::int64_t frames = 0;

 private:
  bool answer_ = true;  // the controller's first byte
};

class QuietView : public transfer::TransferView {
 public:
  void Status(std::string_view) override {}
  void Progress(int) override {}
};

// The handshake fed directly (0) or run over the line by RunTransfer (1);
// the conversion into frames (without a picture) is part of both, so
// BM_ConversionIntoFrames/0 is what the handshake adds to.
void BM_HandshakeOverContours(benchmark::State& state) {
  const bool overLine = state.range(0) != 0;
  DrawnSession s;
  if (!s.drawn || !rur::PrepareSending(s.ws)) state.SkipWithError("drawing or compensation failed");
  std::int64_t frames = 0;
  const std::uint8_t confirmation[] = {6};
  for (auto _ : state) {
    transfer::FrameSource source = rur::SentFrames(s.ws, false);
    transfer::Handshake handshake(source, {});
    handshake.Start();
    if (overLine) {
      ConfirmingLine line;
      QuietView view;
      if (!transfer::RunTransfer(handshake, line, rur::StateOf(s.ws).phase, view)) state.SkipWithError("not finished");
      frames = line.frames;
    } else {
      frames = 0;
      handshake.Received(confirmation);
      while (!handshake.Ended()) {
        handshake.Sent(handshake.Output().size());
        handshake.Received(confirmation);
        ++frames;
      }
    }
  }
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["per_frame"] = benchmark::Counter(
      static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HandshakeOverContours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
