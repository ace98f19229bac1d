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
    m.compensationMode = m.effectiveCompensation = 40;
    m.feedValue = 0.0L;
    m.feedInteger = 0;
    m.sticky = m.machineStart = m.machineEnd = draw::Axes{};
    ws.blockStore.Clear();
    ws.currentRecord = data::BlockRecord{};
  }

  void Type(int controllerType) {
    ws.settings.controllerType = static_cast<std::uint8_t>(controllerType);
    StartRun();
  }

  void Run(std::initializer_list<std::string_view> blocks) {
    for (std::string_view block : blocks) {
      ws.run.block = block;
      draw::ExecuteBlock(ws);
    }
  }

  const data::BlockRecord& At(int n) const { return ws.blockStore.At(n); }
  const data::BlockRecord& Last() const { return At(ws.blockStore.count()); }

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
