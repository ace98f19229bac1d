#include "workstation/send_command.h"

#include <string>
#include <string_view>

#include "draw/picture/surface.h"
#include "geometry/compensation.h"
#include "transfer/handshake.h"
#include "workstation/send_checks.h"

namespace rur {
namespace {

constexpr int kMessageAbortedByOperator = 181;

}  // namespace

bool PrepareSending(Workstation& ws) {
  ws.messages.errorFlag = 0;  // new work: a message shown since the drawing does not stop it
  ws.sentStore.Clear();
  if (!CheckToolRadii(ws)) return false;
  if (!geometry::Aequidistance(ws.blockStore, ws.tools, ws.settings.radiusTolerance, ws.messages, ws.sentStore)) {
    return false;
  }
  if (!CheckBlockTexts(ws)) return false;
  const std::string zeroRadius = ZeroRadiusWarning(ws);
  return zeroRadius.empty() || ws.dialogs.ConfirmDespite(zeroRadius, kSendAnyway);
}

void PrepareSentPicture(Workstation& ws) {
  draw::ClearPicture(ws.raster);
  ws.raster.SetPenColour(draw::kRed);
}

transfer::FrameSource SentFrames(Workstation& ws, bool drawn) {
  const transfer::ConversionSettings settings = ConversionSettingsOf(ws);
  std::optional<draw::DrawTarget> target;
  if (drawn) target.emplace(draw::DrawTarget{ws.raster, ws.settings.workAreaX, ws.settings.workAreaY});
  return transfer::FrameSource(ws.sentStore, settings, target, ws.messages);
}

namespace {

// The handshake over a line just opened, from a fresh conversion (tool and
// feed not yet sent) and empty buffers.
bool TransferFrames(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view) {
  line.DiscardBuffers();
  transfer::FrameSource frames = SentFrames(ws, true);
  transfer::Handshake handshake(frames, {.memoryFull = ws.settings.port.xOffChar, .release = ws.settings.port.xOnChar});
  handshake.Start();
  return transfer::RunTransfer(handshake, line, ws.phase, view);
}

}  // namespace

bool SendProgram(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view) {
  view.Progress(0);
  // An abort that came in since the command started is seen before the
  // port is opened: the controller must not see a line opened and flushed
  // for a transfer that was called off.
  ws.pump.ProcessEvents();
  if (ws.phase == data::RunPhase::kStopping) {
    view.Status(transfer::kStatusAbortedAtPc);
    ws.phase = data::RunPhase::kIdle;
    return false;
  }
  ws.phase = data::RunPhase::kRunning;
  bool finished = false;
  ws.port = ws.settings.port;  // the port takes the settings' parameters at every opening
  if (line.Open(ws.port)) {
    finished = TransferFrames(ws, line, view);
  } else {
    // The warning the operator knows, with the device and the reason on a
    // line of its own; the status line keeps the reason.
    const std::string reason = line.Failure();
    ws.dialogs.Beep();
    ws.dialogs.Warning(reason.empty() ? std::string(transfer::kPortMissing)
                                      : std::string(transfer::kPortMissing) + "\r\n" + reason);
    view.Status(reason.empty() ? std::string_view(transfer::kPortMissing) : std::string_view(reason));
  }
  line.Close();
  ws.phase = data::RunPhase::kIdle;
  return finished;
}

SendOutcome RunSendCommand(Workstation& ws, transfer::SerialLine& line, SendCommandView& view) {
  if (!PrepareSending(ws)) return SendOutcome::kNotSent;
  ws.messages.errorFlag = 0;
  PrepareSentPicture(ws);
  view.TransferStarting();
  return SendProgram(ws, line, view) ? SendOutcome::kFinished : SendOutcome::kStopped;
}

void AbortCommand(Workstation& ws) {
  ws.phase = data::RunPhase::kStopping;
  ws.messages.ShowMessageByNumber(kMessageAbortedByOperator, " ");
}

}  // namespace rur
