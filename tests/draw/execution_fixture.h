// A workstation for block execution tests: fresh state as a run starts it,
// blocks executed one at a time, the stored records and the messages shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/workstation.h"
#include "draw/execution.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace execution_test {

class ExecutionTest : public ::testing::Test {
 protected:
  ExecutionTest() : ws(dialogs, pump, data::DataDirectorySource{"", dir.path()}) { StartRun(); }

  // ResetMachineState and the driver's resets after it.
  void StartRun() {
    draw::ResetMachineState(ws);
    draw::MachineState& m = ws.machine;
    m.distanceMode = 0;
    m.motionMode = 0;
    m.compensationMode = 40;
    m.effectiveCompensation = 40;
    m.feedValue = 0.0L;
    m.feedInteger = 0;
    m.block = draw::BlockWords{};
    m.sticky = draw::Axes{};
    m.machineStart = draw::Axes{};
    m.machineEnd = draw::Axes{};
    ws.blockStore.Clear();
    ws.currentRecord = data::BlockRecord{};
  }

  void Type(int controllerType) {
    ws.settings.controllerType = static_cast<std::uint8_t>(controllerType);
    StartRun();
  }

  // Executes the blocks in order.
  void Run(std::initializer_list<std::string_view> blocks) {
    for (std::string_view block : blocks) {
      ws.run.block = block;
      draw::ExecuteBlock(ws);
    }
  }

  // The record that the last block stored.
  const data::BlockRecord& Last() const { return ws.blockStore.At(ws.blockStore.count()); }

  // Message numbers shown so far; a direct message counts as 0.
  std::vector<int> Shown() const {
    std::vector<int> numbers;
    for (const auto& m : dialogs.messages) numbers.push_back(m.number == "Direkt" ? 0 : std::stoi(m.number));
    return numbers;
  }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
};

// Expects the end point of a record within a rounding error.
inline void ExpectEnd(const data::BlockRecord& r, long double x, long double y, long double z) {
  EXPECT_NEAR(static_cast<double>(r.endX), static_cast<double>(x), 1e-9);
  EXPECT_NEAR(static_cast<double>(r.endY), static_cast<double>(y), 1e-9);
  EXPECT_NEAR(static_cast<double>(r.endZ), static_cast<double>(z), 1e-9);
}

inline void ExpectCentre(const data::BlockRecord& r, long double x, long double y) {
  EXPECT_NEAR(static_cast<double>(r.centreX), static_cast<double>(x), 1e-9);
  EXPECT_NEAR(static_cast<double>(r.centreY), static_cast<double>(y), 1e-9);
}

}  // namespace execution_test
