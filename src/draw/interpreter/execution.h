// Block execution: one translated block applied to the machine state,
// its end point and arc centre worked out in machine coordinates, and
// emitted as one record, with how it shows, to the block sink.
#pragma once

#include <string_view>

#include "draw/interpreter/machine_state.h"
#include "draw/interpreter/run_context.h"

namespace draw {

// Executes ctx.run.block against the persistent state.
void ExecuteBlock(RunContext& ctx);

// Applies one address word (its letter first).
void ExecuteWord(RunContext& ctx, std::string_view word);

// Fills ctx.currentRecord from the state and works out how it shows (no
// trace after a message).
BlockTrace ExecuteMove(RunContext& ctx);

// Emits ctx.currentRecord with its trace to the block sink; false (with the
// message and the error flag) when the store is full.
bool StoreBlock(RunContext& ctx, const BlockTrace& trace);

// Resets the state at the start of a run.
void ResetMachineState(RunContext& ctx);

// Mirrors with the factors, then rotates by the rotation angle about the
// program origin (z is not rotated).
void MirrorRotate(long double& x, long double& y, long double& z, std::int32_t mx, std::int32_t my,
                  std::int32_t mz, long double rotationAngle);

// Takes the offset of the zero point in force plus the G59 shift.
void ActivateZeroPoint(RunContext& ctx);

}  // namespace draw
