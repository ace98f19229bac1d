// Lets the user interface process its events while long work runs, but at
// most once every few milliseconds, so that pumping never dominates the work.
#pragma once

#include <chrono>

#include "data/dialogs.h"

namespace data {

class ThrottledPump {
 public:
  static constexpr std::chrono::milliseconds kInterval{20};

  explicit ThrottledPump(EventPump& pump) : pump_(pump) {}

  // Makes the next Pump call process events whatever the time.
  void PumpSoon() { last_ = {}; }

  // Pumps when kInterval has passed since the last pump.
  void Pump() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kInterval) return;
    last_ = now;
    pump_.ProcessEvents();
  }

 private:
  EventPump& pump_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace data
