// The machine state around the blocks: its reset at the start of a run,
// the zero point in force, and the mirroring and rotation of points.
#include <cmath>

#include "draw/interpreter/run_context.h"
#include "data/files.h"
#include "draw/interpreter/execution.h"
#include "geometry/arc_geometry.h"

namespace draw {
namespace {

// Below this squared distance from the origin a point rotates as the origin.
constexpr long double kRotationNearOrigin = 1e-6L;

constexpr long double kParamUnsetValue = -1000000000.0L;
constexpr int kOwnIndexParams = 11;  // 0..10 hold their own number
constexpr int kSetParams = 100;      // 0..99 start set

// Numbered parameters start with 0..10 holding their number, 11..99 zero
// and the rest unset at -1e9; otherwise every value is zero.
void ResetParameters(nc::ParamTable& params, const data::ControllerTraits& traits) {
  if (!traits.numberedParameters) {
    params.values.fill(0.0L);
    return;
  }
  params.values.fill(kParamUnsetValue);
  params.set.fill(0);
  for (int n = 0; n < kSetParams; ++n) params.Set(n, 0.0L);
  for (int n = 0; n < kOwnIndexParams; ++n) params.values[static_cast<std::size_t>(n)] = n;
}

}  // namespace

void MirrorRotate(long double& x, long double& y, long double& z, std::int32_t mx, std::int32_t my,
                  std::int32_t mz, long double rotationAngle) {
  x *= mx;
  y *= my;
  z *= mz;
  if (rotationAngle == 0.0L) return;
  const long double phi = geometry::VectorAngle(x, y);  // polar angle in [0, 2 pi)
  const long double r2 = x * x + y * y;
  const long double r = r2 > kRotationNearOrigin ? std::sqrt(r2) : 0.0L;
  x = r * std::cos(phi + rotationAngle);
  y = r * std::sin(phi + rotationAngle);
}

void ActivateZeroPoint(RunContext& ctx) {
  MachineState& m = ctx.machine;
  data::ZeroPoint zero;
  if (m.zeroPointMode >= 54 && m.zeroPointMode <= 58) zero = ctx.zeroPoints[m.zeroPointMode - 54u];
  m.offset = {zero.x + m.g59Shift.x, zero.y + m.g59Shift.y, zero.z + m.g59Shift.z};
}

void ResetMachineState(RunContext& ctx) {
  MachineState& m = ctx.machine;
  const data::ControllerTraits& traits = *ctx.settings.traits;
  // Nothing of an earlier run survives (tool, spindle, plane, the last
  // programmed point ...): a program draws and sends the same way whatever
  // was drawn, sent or aborted before it.
  m = MachineState{};
  m.block.radiusWord = 0.0L;
  m.rotationAngle = 0.0L;
  m.g59Shift = Axes{};
  if (traits.startsInFirstZeroPoint) {
    const data::ZeroPoint& g54 = ctx.zeroPoints[0];
    m.offset = {g54.x, g54.y, g54.z};
    m.zeroPointMode = 54;
  } else {
    m.offset = Axes{};
    m.zeroPointMode = 53;
  }
  m.motionMode = 0;
  m.distanceMode = 90;
  m.block.dwellRequest = 0;
  m.block.zeroPointRequest = 0;
  m.feedInteger = 10000;
  m.dwellTime = 0;
  m.dwellTicks = 0;  // a dwell belongs to its own block
  m.block.centre = Axes{};
  m.machineStart = Axes{};
  m.machineEnd = m.machineStart;
  ctx.mirror = nc::MirrorFactors{};
  m.mirrorZ = 1;
  m.correctionNumber = 0;
  m.block.g66Request = false;
  ResetParameters(ctx.params, traits);
  ctx.subprograms.entries[0].name = data::FileNamePart(ctx.mainProgramFile).substr(0, data::kMaxSubprogramName);
}

}  // namespace draw
