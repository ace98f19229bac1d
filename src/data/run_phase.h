// The phase of the workstation's long commands (a drawing run or a
// transfer): whether one runs and whether the operator asked it to stop.
// Every wait of a run ends when the phase leaves kRunning, and the main
// window may be closed only while no run holds it.
#pragma once

#include <cstdint>

namespace data {

enum class RunPhase : std::uint8_t {
  kIdle,      // nothing runs
  kRunning,   // a drawing or transfer runs (closing the window is refused)
  kStopping,  // the operator asked the run to stop; it ends at its next check
};

}  // namespace data
