// ExecuteMove and StoreBlock: the block's record filled from the machine
// state, drawn as a rapid move, a feed move or an arc, and appended to the
// block store.
#include <algorithm>
#include <cmath>

#include "core/workstation.h"
#include "draw/execution.h"
#include "draw/execution_messages.h"
#include "draw/primitives.h"
#include "geometry/arc_geometry.h"

namespace draw {
namespace {

// Turn of the end point of a full circle, so that start and end differ.
constexpr long double kFullCircleShift = 1e-6L;

std::size_t Level(const rur::Workstation& ws) {
  return static_cast<std::size_t>(std::min<int>(ws.run.callLevel, kCallLevels));
}

DrawTarget Target(rur::Workstation& ws) { return {ws.raster, ws.settings.workAreaX, ws.settings.workAreaY}; }

// Step 2: the record from the machine state.
void FillRecord(rur::Workstation& ws) {
  const MachineState& m = ws.machine;
  const BlockWords& b = m.block;
  data::BlockRecord& r = ws.currentRecord;
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
  r.programIndex = ws.subprogramSlots[Level(ws)];
  r.listingLine = ws.run.levelLines[Level(ws)];
  // X and Y count as moving only when they change.
  r.hasX = r.endX != r.startX ? 1 : 0;
  r.hasY = r.endY != r.startY ? 1 : 0;
}

// Step 3: messages of the drawing name this block; the direct messages of
// the arc geometry too, through the listing line and program entry.
void NameBlock(rur::Workstation& ws) {
  data::MessageContext& context = ws.messages.context;
  context.currentBlock = ws.run.listingText;
  context.currentProgram = ws.run.levelName[Level(ws)];
  context.messageProgramIndex = ws.subprogramSlots[Level(ws)];
  context.messageListingLine = ws.run.levelLines[Level(ws)];
}

// Step 4: a straight move draws only when some axis moves.
void StraightMove(rur::Workstation& ws) {
  const data::BlockRecord& r = ws.currentRecord;
  if (r.hasX == 0 && r.hasY == 0 && r.hasZ == 0) return;
  if (r.motion == data::kRapid) {
    RapidMove(r, Target(ws));
  } else {
    FeedMove(r, Target(ws));
  }
}

// Step 5.1: a centre given with start and end in one point is a full
// circle; its end turns back by a hair against the arc's sense so that the
// arc runs all the way round.
bool ArcFromGivenCentre(rur::Workstation& ws, long double& sweep) {
  data::BlockRecord& r = ws.currentRecord;
  if (!geometry::ArcFromCentre(r, sweep, ws.messages)) {
    ws.messages.errorFlag = 1;
    return false;
  }
  if (r.startX != r.endX || r.startY != r.endY) return true;
  long double a = geometry::VectorAngle(r.endX - r.centreX, r.endY - r.centreY);
  a += r.motion == data::kClockwise ? kFullCircleShift : -kFullCircleShift;
  r.endX = r.centreX + r.radius * std::cos(a);
  r.endY = r.centreY + r.radius * std::sin(a);
  geometry::ArcFromCentre(r, sweep, ws.messages);
  r.hasX = r.hasY = 1;
  r.arcSpan = 1;
  return true;
}

// Step 5: an arc by its centre or its radius; the centre is then worked
// out from the radius for every arc.
void ArcMove(rur::Workstation& ws, bool centreGiven) {
  data::BlockRecord& r = ws.currentRecord;
  long double sweep = 0.0L;
  if (centreGiven && !ArcFromGivenCentre(ws, sweep)) return;
  if (!geometry::ArcCentreFromRadius(r, sweep, ws.settings.radiusTolerance, ws.messages)) {
    ws.messages.errorFlag = 1;
  }
  if (ws.messages.errorFlag == 0) DrawArc(r, sweep, Target(ws));
}

void ReportStoreFull(rur::Workstation& ws) {
  if (ws.messages.errorFlag == 0) ShowBlockMessage(ws, kProgramTooLong);
  ws.messages.errorFlag = 1;
}

}  // namespace

void ExecuteMove(rur::Workstation& ws) {
  if (ws.messages.errorFlag != 0) return;
  FillRecord(ws);
  NameBlock(ws);
  data::BlockRecord& r = ws.currentRecord;
  if (r.motion != data::kClockwise && r.motion != data::kCounterClockwise) {
    StraightMove(ws);
    return;
  }
  const AxisFlags& centre = ws.machine.block.centreGiven;
  // A block that neither moves in X or Y nor gives I or J (an F or M word
  // alone, a call, a jump) has no arc: it is stored as a feed move and the
  // arc mode stays in force.
  if (r.hasX == 0 && r.hasY == 0 && !centre.x && !centre.y) {
    r.motion = data::kFeed;
    StraightMove(ws);
    return;
  }
  ArcMove(ws, centre.any());
}

bool StoreBlock(rur::Workstation& ws) {
  ws.currentRecord.marker = 0;
  if (!ws.blockStore.Append(ws.currentRecord)) {
    ReportStoreFull(ws);
    return false;
  }
  return true;
}

}  // namespace draw
