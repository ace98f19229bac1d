#include "workstation/send_command.h"

#include "draw/surface.h"
#include "geometry/compensation.h"

namespace rur {

bool CompensateForSending(Workstation& ws) {
  ws.messages.errorFlag = 0;  // new work: a message shown since the drawing does not stop it
  return geometry::Aequidistance(ws.blockStore, ws.tools, ws.settings.radiusTolerance, ws.messages, ws.sentStore);
}

void PrepareSentPicture(Workstation& ws) {
  draw::Loesche_bitmap(ws.raster);
  ws.raster.SetPenColour(draw::kRed);
}

transfer::FrameSource SentFrames(Workstation& ws, bool drawn) {
  const transfer::ConversionSettings settings{.scaled = ws.scaledOutputMode != 0,
                                              .zZeroOffset = ws.settings.zZeroOffset};
  std::optional<draw::DrawTarget> target;
  if (drawn) target.emplace(ws.raster, ws.settings.workAreaX, ws.settings.workAreaY);
  return transfer::FrameSource(ws.sentStore, settings, target, ws.messages);
}

}  // namespace rur
