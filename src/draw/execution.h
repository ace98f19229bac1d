// Block execution: one translated block applied to the machine state,
// its end point and arc centre worked out in machine coordinates, drawn,
// and stored as one record in the block store.
#pragma once

#include <string_view>

#include "draw/machine_state.h"

namespace rur {
class Workstation;
}

namespace draw {

// Executes ws.run.block against the persistent state.
void ExecuteBlock(rur::Workstation& ws);

// Applies one address word (its letter first).
void ExecuteWord(rur::Workstation& ws, std::string_view word);

// Fills ws.currentRecord from the state and draws it.
void ExecuteMove(rur::Workstation& ws);

// Appends ws.currentRecord to the block store; false (with the message and
// the error flag) when the store is full.
bool StoreBlock(rur::Workstation& ws);

// Resets the state at the start of a run.
void ResetMachineState(rur::Workstation& ws);

// Mirrors with the factors, then rotates by the rotation angle about the
// program origin (z is not rotated).
void MirrorRotate(long double& x, long double& y, long double& z, std::int32_t mx, std::int32_t my,
                  std::int32_t mz, long double rotationAngle);

// Takes the offset of the zero point in force plus the G59 shift.
void ActivateZeroPoint(rur::Workstation& ws);

}  // namespace draw
