// A whole drawing run on the input as the editor's text (cut at its first
// two zero bytes into the main program and the subprogram files "%1" and
// "%2"), stopped by the operator after a short while as a hanging run
// would be; a clean run is then compensated and turned into frames as the
// send command does. Every stored block must be one the later stages can
// take: a known motion and compensation, a line of the listing and a
// program of the table.
#include <chrono>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "data/controllers.h"
#include "data/files.h"
#include "data/run_phase.h"
#include "data/tool_table.h"
#include "draw/path/block_dump.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "transfer/frames.h"
#include "workstation/draw_command.h"
#include "workstation/draw_preparation.h"
#include "workstation/send_command.h"
#include "workstation/workstation.h"
#include "workstation/state_access.h"

namespace fuzz {
namespace {

constexpr std::chrono::milliseconds kRunTime{200};
constexpr std::int32_t kDumpedBlocks = 200;

// Presses the abort command once the run has had its time.
class OperatorPump : public data::EventPump {
 public:
  void Watch(data::RunPhase& phase) {
    phase_ = &phase;
    deadline_ = std::chrono::steady_clock::now() + kRunTime;
  }
  void ProcessEvents() override {
    if (phase_ != nullptr && *phase_ == data::RunPhase::kRunning && std::chrono::steady_clock::now() >= deadline_) {
      *phase_ = data::RunPhase::kStopping;
    }
  }

 private:
  data::RunPhase* phase_ = nullptr;
  std::chrono::steady_clock::time_point deadline_;
};

void RequireSaneBlocks(const rur::Workstation& ws) {
  const data::BlockStore& store = ws.blockStore();
  for (std::int32_t i = 1; i <= store.count(); ++i) {
    const data::BlockRecord& block = store.At(i);
    Require(block.motion <= data::kDwell, "a stored block has a known motion");
    Require(block.compensation == 40 || block.compensation == 41 || block.compensation == 42,
            "a stored block has a known compensation");
    Require(block.listingLine >= 1 && block.listingLine <= ws.listing().lineCount, "a block comes from a listing line");
    Require(block.programIndex >= 0 && block.programIndex <= ws.subprograms().count,
            "a block comes from a program of the table");
    if (i <= kDumpedBlocks) draw::FormatBlockLine(i, block);
  }
}

void Send(rur::Workstation& ws) {
  if (!rur::PrepareSending(ws)) return;
  rur::PrepareSentPicture(ws);
  transfer::FrameSource frames = rur::SentFrames(ws, true);
  transfer::Frame frame;
  bool last = false;
  while (frames.Next(frame)) {
    Require(!last, "no frame follows the last");
    Require(!frame.data.empty() && frame.data.size() <= transfer::kFrameDataSize, "frames hold 1 to 256 bytes");
    last = frame.last;
  }
  Require(last, "the frames end with the last");
}

// Tool radii for D0..D9: none, ordinary ones, a negative one (sides
// swapped), one as large as the arcs of the seed programs, a tiny one.
constexpr long double kToolRadii[] = {0.0L, 2.0L, 5.0L, -1.0L, 0.5L, 10.0L, 25.0L, 30.0L, 100.0L, 1e-6L};

// One workstation for the process, as the window keeps one across its
// drawing runs (making its block stores afresh for every input would cost
// more than most runs).
struct Bench {
  Bench() : ws(dialogs, pump, {.executablePath = "", .overrideDirectory = ProcessDirectory()}) {
    ws.ReplaceProgram(ProcessDirectory() + "%100");
    data::ToolTable tools{};
    for (std::size_t d = 0; d < std::size(kToolRadii); ++d) tools[d].radiusCorrection = kToolRadii[d];
    Require(data::WriteToolTable(tools, ProcessDirectory(), data::kDefaultControllerType, dialogs),
            "the tool table is written");
  }

  QuietDialogs dialogs;
  OperatorPump pump;
  rur::Workstation ws;
};

}  // namespace

int FuzzDrawing(const std::uint8_t* data, std::size_t size) {
  const auto parts = SplitAtZeros(std::string_view(reinterpret_cast<const char*>(data), size), 3);
  WriteSubprogramFiles(parts);
  static Bench bench;
  rur::Workstation& ws = bench.ws;
  bench.pump.Watch(rur::StateOf(ws).phase);
  // The run saves the editor's text by replacing the scratch file; ext4
  // writes a replaced file back at once, which costs milliseconds per input.
  RemoveFile(data::FileNamePart(rur::ScratchFileName(ProcessDirectory())));
  rur::DrawCommandView view;
  const bool clean = rur::DrawProgram(ws, SplitLines(parts[0]), false, view);
  RequireSaneBlocks(ws);
  if (clean) Send(ws);
  return 0;
}

}  // namespace fuzz
