// ExecuteBlock: splits the block into words, applies them, works out the
// programmed point, the machine end point and the arc centre, then emits
// the block.
#include "draw/interpreter/run_context.h"
#include "draw/interpreter/execution.h"
#include "draw/interpreter/execution_messages.h"
#include "nc/lexical/word_scan.h"

namespace draw {
namespace {

constexpr std::uint8_t kG59Request = 59;

bool Incremental(const MachineState& m) { return m.distanceMode == 91; }

void MirrorRotateAxes(const RunContext& ctx, Axes& p) {
  MirrorRotate(p.x, p.y, p.z, ctx.mirror.x, ctx.mirror.y, ctx.machine.mirrorZ, ctx.machine.rotationAngle);
}

// Step 3: the words in order. "@" (a jump) is not executed, and the "K"
// of a jump block is its target, not a centre word.
void ExecuteWords(RunContext& ctx) {
  const std::string_view block = ctx.run.block;
  const bool jumpBlock = block.find('@') != std::string_view::npos;
  std::size_t pos = 0;
  std::string_view word;
  while (nc::NextWord(block, pos, word)) {
    if (word.front() == '@' || (jumpBlock && word.front() == 'K')) continue;
    ExecuteWord(ctx, word);
  }
}

// Step 4, G59: the axes of the block shift every zero point instead of
// moving (a u, v or w value counts from the last programmed point).
void ApplyG59(RunContext& ctx) {
  MachineState& m = ctx.machine;
  BlockWords& b = m.block;
  if (b.zeroPointRequest != kG59Request) return;
  for (int a = 0; a < 3; ++a) {
    if (!b.given[a]) continue;
    m.g59Shift[a] = b.relative[a] ? b.axisWord[a] + m.lastProg[a] : b.axisWord[a];
    b.given[a] = false;
  }
  b.zeroPointRequest = 0;
  ActivateZeroPoint(ctx);
}

// Step 5: a G54..G58 of the block takes effect.
void ApplyZeroPointChange(RunContext& ctx) {
  if (!ctx.machine.block.zeroPointChanged) return;
  ActivateZeroPoint(ctx);
  ctx.machine.block.zeroPointChanged = false;
}

// Steps 6 to 8 in absolute mode: every axis keeps its last value unless
// given (u, v, w add to it), then the whole point is mirrored and rotated.
void AbsolutePoint(RunContext& ctx) {
  MachineState& m = ctx.machine;
  const BlockWords& b = m.block;
  for (int a = 0; a < 3; ++a) {
    if (b.given[a]) m.sticky[a] = b.relative[a] ? m.sticky[a] + b.axisWord[a] : b.axisWord[a];
  }
  m.prog = m.sticky;
  MirrorRotateAxes(ctx, m.prog);
}

// Steps 6 to 8 in incremental mode: the given words are an increment (0 on
// the other axes), mirrored and rotated as a vector and added to the last
// programmed point; the last values advance by the same words.
void IncrementalPoint(RunContext& ctx) {
  MachineState& m = ctx.machine;
  const BlockWords& b = m.block;
  Axes step;
  for (int a = 0; a < 3; ++a) {
    if (b.given[a]) step[a] = b.axisWord[a];
  }
  for (int a = 0; a < 3; ++a) m.sticky[a] += step[a];
  MirrorRotateAxes(ctx, step);
  for (int a = 0; a < 3; ++a) m.prog[a] = m.lastProg[a] + step[a];
}

// Steps 6 to 8: the programmed point. Under a rotation X and Y move
// together, since rotating changes both.
void ProgrammedPoint(RunContext& ctx) {
  MachineState& m = ctx.machine;
  BlockWords& b = m.block;
  if (Incremental(m)) {
    IncrementalPoint(ctx);
  } else {
    AbsolutePoint(ctx);
  }
  if (m.rotationAngle != 0.0L && (b.given.x || b.given.y)) b.given.x = b.given.y = true;
}

// Step 9: the given axes move to the programmed point in the zero point.
void MachineEndPoint(MachineState& m) {
  for (int a = 0; a < 3; ++a) {
    if (m.block.given[a]) m.machineEnd[a] = m.prog[a] + m.offset[a];
  }
}

// Step 10: the centre of I, J, K; a missing word counts as 0 of its mode.
// A relative centre is a vector from the last programmed point.
void ArcCentre(RunContext& ctx) {
  MachineState& m = ctx.machine;
  BlockWords& b = m.block;
  if (!b.centreGiven.any()) return;
  MirrorRotateAxes(ctx, b.centre);
  const bool relative = ctx.settings.traits->centreAlwaysRelative || Incremental(m);
  for (int a = 0; a < 3; ++a) {
    if (relative) b.centre[a] += m.lastProg[a];
    b.centre[a] += m.offset[a];
  }
}

void RemoveOffsetFromCentre(MachineState& m) {
  if (!m.block.centreGiven.any()) return;
  for (int a = 0; a < 3; ++a) m.block.centre[a] -= m.offset[a];
}

// Steps 11 to 13: machine coordinates for this block only. G53 takes every
// axis out of the zero point, G52 only a given Z, G66 the given axes.
void MachineCoordinateRequests(MachineState& m) {
  BlockWords& b = m.block;
  if (b.g53Request) {
    for (int a = 0; a < 3; ++a) m.machineEnd[a] -= m.offset[a];
    RemoveOffsetFromCentre(m);
    b.g53Request = false;
  }
  if (b.g52Request) {
    if (b.given.z) m.machineEnd.z -= m.offset.z;
    b.g52Request = false;
  }
  if (b.g66Request) {
    for (int a = 0; a < 3; ++a) {
      if (b.given[a]) m.machineEnd[a] -= m.offset[a];
    }
    RemoveOffsetFromCentre(m);
    b.g66Request = false;
  }
}

// Step 14.2: with exactly one axis mirrored the sense of arcs and of the
// compensation side turns over.
void EffectiveModes(RunContext& ctx) {
  MachineState& m = ctx.machine;
  m.effectiveMotion = m.motionMode;
  m.effectiveCompensation = m.compensationMode;
  if (ctx.mirror.x * ctx.mirror.y != -1) return;
  if (m.motionMode == 2) m.effectiveMotion = 3;
  if (m.motionMode == 3) m.effectiveMotion = 2;
  if (m.compensationMode == 41) m.effectiveCompensation = 42;
  if (m.compensationMode == 42) m.effectiveCompensation = 41;
}

// Step 14.4 and 14.5: what belongs to this block only is cleared, and its
// end becomes the next block's start.
void FinishBlock(RunContext& ctx) {
  MachineState& m = ctx.machine;
  ctx.currentRecord.mFlags.reset();
  ctx.currentRecord.dwell = 0;
  ctx.currentRecord.g74Flag = 0;
  m.dwellTicks = 0;
  m.machineStart = m.machineEnd;
  m.lastProg = m.prog;
  m.block.dwellRequest = 0;
}

// Step 14: emit the block, unless the store is full.
void MoveAndStore(RunContext& ctx) {
  ctx.machine.block.zeroPointRequest = 0;
  EffectiveModes(ctx);
  if (ctx.blocks.Full()) {
    ShowBlockMessage(ctx, kProgramTooLong);
    return;
  }
  const BlockTrace trace = ExecuteMove(ctx);
  if (!StoreBlock(ctx, trace)) return;
  FinishBlock(ctx);
}

}  // namespace

void ExecuteBlock(RunContext& ctx) {
  if (ctx.StopRequested() || ctx.messages.errorFlag()) return;
  MachineState& m = ctx.machine;
  m.block = BlockWords{};
  ExecuteWords(ctx);
  ApplyG59(ctx);
  ApplyZeroPointChange(ctx);
  ProgrammedPoint(ctx);
  MachineEndPoint(m);
  ArcCentre(ctx);
  MachineCoordinateRequests(m);
  if (!ctx.messages.errorFlag()) MoveAndStore(ctx);
}

}  // namespace draw
