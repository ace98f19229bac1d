// Block execution: one translated block applied to the machine state,
// its end point and arc centre worked out in machine coordinates, drawn,
// and stored as one record in the block store.
#pragma once

#include <string_view>

#include "draw/interpreter/machine_state.h"
#include "draw/interpreter/run_context.h"

namespace draw {

// Executes ctx.run.block against the persistent state.
void ExecuteBlock(RunContext& ctx);

// Applies one address word (its letter first).
void ExecuteWord(RunContext& ctx, std::string_view word);

// Fills ctx.currentRecord from the state and draws it.
void ExecuteMove(RunContext& ctx);

// Appends ctx.currentRecord to the block store; false (with the message and
// the error flag) when the store is full.
bool StoreBlock(RunContext& ctx);

// Resets the state at the start of a run.
void ResetMachineState(RunContext& ctx);

// Mirrors with the factors, then rotates by the rotation angle about the
// program origin (z is not rotated).
void MirrorRotate(long double& x, long double& y, long double& z, std::int32_t mx, std::int32_t my,
                  std::int32_t mz, long double rotationAngle);

// Takes the offset of the zero point in force plus the G59 shift.
void ActivateZeroPoint(RunContext& ctx);

}  // namespace draw
