// The context of a run for block execution tests: fresh state as a run starts it,
// blocks executed one at a time, the stored records and the messages shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "draw/interpreter/execution.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/command_scope.h"

namespace execution_test {

// How each block the sink was given shows.
struct TraceLog final : draw::BlockListener {
  void BlockFinished(const data::BlockRecord&, const draw::BlockTrace& trace) override { kinds.push_back(trace.kind); }
  std::vector<draw::Trace> kinds;
};

// The parts a drawing run touches, owned here as the workstation owns them.
struct RunParts {
  explicit RunParts(const std::string& dataDirectory) : messages(dialogs, dataDirectory, listing, subprograms) {
    listing.Clear();
    blocks.AddListener(traces);
  }
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  data::ThrottledPump throttledPump{pump};
  data::WorkListing listing;
  data::SubprogramTable subprograms;
  data::MessageCentre messages;
  data::Settings settings;
  data::ZeroPointTable zeroPoints{};
  nc::ParamTable params;
  data::RunPhase phase = data::RunPhase::kIdle;
  data::BlockStore blockStore;
  draw::BlockSink blocks{blockStore};
  TraceLog traces;
  data::BlockRecord currentRecord;
  draw::MachineState machine;
  draw::RunState run;
  nc::SubprogramSlots subprogramSlots{};
  nc::MirrorFactors mirror;
};

class ExecutionTest : public ::testing::Test {
 protected:
  ExecutionTest()
      : parts(dir.path()),
        dialogs(parts.dialogs),
        zeroPoints(parts.zeroPoints),
        ctx{.listing = parts.listing,
            .subprograms = parts.subprograms,
            .mainProgramFile = "",
            .programName = "",
            .settings = draw::RunSettingsOf(parts.settings),
            .zeroPoints = parts.zeroPoints,
            .params = parts.params,
            .messages = parts.messages,
            .pump = parts.throttledPump,
            .phase = parts.phase,
            .blocks = parts.blocks,
            .currentRecord = parts.currentRecord,
            .machine = parts.machine,
            .run = parts.run,
            .subprogramSlots = parts.subprogramSlots,
            .mirror = parts.mirror} {
    StartRun();
  }

  // ResetMachineState and the driver's resets after it, in a command of its
  // own (no error stands).
  void StartRun() {
    const rur::CommandScope command(ctx.messages);
    draw::ResetMachineState(ctx);
    draw::MachineState& m = ctx.machine;
    m.distanceMode = 0;
    m.compensationMode = m.effectiveCompensation = 40;
    m.feedValue = 0.0L;
    m.feedInteger = 0;
    m.sticky = m.machineStart = m.machineEnd = draw::Axes{};
    ctx.blocks.Clear();
    ctx.currentRecord = data::BlockRecord{};
  }

  void Type(int controllerType) {
    ctx.settings.traits = &data::TraitsOf(controllerType);
    StartRun();
  }

  void Run(std::initializer_list<std::string_view> blocks) {
    for (std::string_view block : blocks) {
      ctx.run.block = block;
      draw::ExecuteBlock(ctx);
    }
  }

  const data::BlockRecord& At(int n) const { return parts.blockStore.At(n); }
  const data::BlockRecord& Last() const { return At(parts.blockStore.count()); }

  // Message numbers shown so far; a direct message counts as 0.
  std::vector<int> Shown() const { return testing_support::ShownNumbers(dialogs); }

  testing_support::TempDir dir;
  RunParts parts;
  testing_support::FakeDialogs& dialogs;
  data::ZeroPointTable& zeroPoints;
  draw::RunContext ctx;
};

// Two or three values within a rounding error.
inline void ExpectNear(long double ax, long double ay, long double ex, long double ey) {
  EXPECT_NEAR(static_cast<double>(ax), static_cast<double>(ex), 1e-9);
  EXPECT_NEAR(static_cast<double>(ay), static_cast<double>(ey), 1e-9);
}
inline void ExpectEnd(const data::BlockRecord& r, long double x, long double y, long double z) {
  ExpectNear(r.endX, r.endY, x, y);
  EXPECT_NEAR(static_cast<double>(r.endZ), static_cast<double>(z), 1e-9);
}

}  // namespace execution_test
