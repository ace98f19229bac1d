// ExecuteMove and StoreBlock: the block's record filled from the machine
// state, worked out as a rapid move, a feed move or an arc, and emitted to
// the block sink with how it shows.
#include <algorithm>
#include <cmath>

#include "draw/interpreter/run_context.h"
#include "draw/interpreter/execution.h"
#include "draw/interpreter/execution_messages.h"
#include "geometry/arc_geometry.h"

namespace draw {
namespace {

// Turn of the end point of a full circle, so that start and end differ.
constexpr long double kFullCircleShift = 1e-6L;

std::size_t Level(const RunContext& ctx) {
  return static_cast<std::size_t>(std::min<int>(ctx.run.callLevel, kCallLevels));
}

// Step 2: the record from the machine state.
void FillRecord(RunContext& ctx) {
  const MachineState& m = ctx.machine;
  const BlockWords& b = m.block;
  data::BlockRecord& r = ctx.currentRecord;
  r.startX = m.machineStart.x;
  r.startY = m.machineStart.y;
  r.endX = m.machineEnd.x;
  r.endY = m.machineEnd.y;
  r.endZ = m.machineEnd.z;
  r.centreX = b.centre.x;
  r.centreY = b.centre.y;
  r.centreZ = b.centre.z;
  r.hasZ = b.given.z ? 1 : 0;
  r.motion = m.effectiveMotion;
  r.compensation = m.effectiveCompensation;
  r.radius = std::fabs(b.radiusWord);
  r.arcSpan = b.radiusWord < 0.0L ? 1 : 2;
  r.toolSlot = static_cast<std::int8_t>(m.correctionNumber);  // 0..99
  r.tool = m.toolNumber;
  r.feed = m.feedValue;
  r.spindle = m.spindleSpeed;
  r.dwell = m.dwellTicks;
  r.programIndex = ctx.subprogramSlots[Level(ctx)];
  r.listingLine = ctx.run.levelLines[Level(ctx)];
  // X and Y count as moving only when they change.
  r.hasX = r.endX != r.startX ? 1 : 0;
  r.hasY = r.endY != r.startY ? 1 : 0;
}

// Step 3: messages of the drawing name this block; the direct messages of
// the arc geometry too, through the listing line and program entry.
void NameBlock(RunContext& ctx) {
  data::MessageContext& context = ctx.messages.context;
  context.currentBlock = ctx.run.listingText;
  context.currentProgram = ctx.run.levelName[Level(ctx)];
  context.messageProgramIndex = ctx.subprogramSlots[Level(ctx)];
  context.messageListingLine = ctx.run.levelLines[Level(ctx)];
}

// Step 4: a straight move shows only when some axis moves.
BlockTrace StraightMove(const RunContext& ctx) {
  const data::BlockRecord& r = ctx.currentRecord;
  if (r.hasX == 0 && r.hasY == 0 && r.hasZ == 0) return {};
  return {r.motion == data::kRapid ? Trace::kPenMove : Trace::kLine};
}

// Step 5.1: a centre given with start and end in one point is a full
// circle; its end turns back by a hair against the arc's sense so that the
// arc runs all the way round.
bool ArcFromGivenCentre(RunContext& ctx, long double& sweep) {
  data::BlockRecord& r = ctx.currentRecord;
  if (!geometry::ArcFromCentre(r, sweep, ctx.messages)) return false;
  if (r.startX != r.endX || r.startY != r.endY) return true;
  long double a = geometry::VectorAngle(r.endX - r.centreX, r.endY - r.centreY);
  a += r.motion == data::kClockwise ? kFullCircleShift : -kFullCircleShift;
  r.endX = r.centreX + r.radius * std::cos(a);
  r.endY = r.centreY + r.radius * std::sin(a);
  geometry::ArcFromCentre(r, sweep, ctx.messages);
  r.hasX = r.hasY = 1;
  r.arcSpan = 1;
  return true;
}

// Step 5: an arc by its centre or its radius; the centre is then worked
// out from the radius for every arc. An arc that shows a message is stored
// but does not show.
BlockTrace ArcMove(RunContext& ctx, bool centreGiven) {
  data::BlockRecord& r = ctx.currentRecord;
  long double sweep = 0.0L;
  if (centreGiven && !ArcFromGivenCentre(ctx, sweep)) return {};
  // False after a message, which leaves the flag set.
  geometry::ArcCentreFromRadius(r, sweep, ctx.settings.radiusTolerance, ctx.messages);
  if (ctx.messages.errorFlag()) return {};
  return {Trace::kArc, sweep};
}

// A block whose move has shown its error already is not reported twice.
void ReportStoreFull(RunContext& ctx) {
  if (!ctx.messages.errorFlag()) ShowBlockMessage(ctx, kProgramTooLong);
}

}  // namespace

BlockTrace ExecuteMove(RunContext& ctx) {
  if (ctx.messages.errorFlag()) return {};
  FillRecord(ctx);
  NameBlock(ctx);
  data::BlockRecord& r = ctx.currentRecord;
  if (r.motion != data::kClockwise && r.motion != data::kCounterClockwise) return StraightMove(ctx);
  const AxisFlags& centre = ctx.machine.block.centreGiven;
  // A block that neither moves in X or Y nor gives I or J (an F or M word
  // alone, a call, a jump) has no arc: it is stored as a feed move and the
  // arc mode stays in force.
  if (r.hasX == 0 && r.hasY == 0 && !centre.x && !centre.y) {
    r.motion = data::kFeed;
    return StraightMove(ctx);
  }
  return ArcMove(ctx, centre.any());
}

bool StoreBlock(RunContext& ctx, const BlockTrace& trace) {
  ctx.currentRecord.marker = 0;
  if (!ctx.blocks.Emit(ctx.currentRecord, trace)) {
    ReportStoreFull(ctx);
    return false;
  }
  return true;
}

}  // namespace draw
