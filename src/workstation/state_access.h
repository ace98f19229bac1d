// The workstation's state itself, for the commands of src/workstation and
// for tests that set a workstation up. The faces (src/ui, src/app) read it
// through Workstation's accessors and change it through its verbs; a test
// keeps them from including this header.
#pragma once

#include "workstation/workstation.h"
#include "workstation/workstation_state.h"

namespace rur {

struct StateAccess {
  static WorkstationState& Of(Workstation& ws) { return ws.state_; }
  static const WorkstationState& Of(const Workstation& ws) { return ws.state_; }
};

inline WorkstationState& StateOf(Workstation& ws) { return StateAccess::Of(ws); }
inline const WorkstationState& StateOf(const Workstation& ws) { return StateAccess::Of(ws); }

}  // namespace rur
