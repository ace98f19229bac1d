#include "workstation/send_command.h"

#include <string>
#include <string_view>

#include "data/message_numbers.h"
#include "draw/picture/surface.h"
#include "geometry/compensation.h"
#include "transfer/handshake.h"
#include "workstation/send_checks.h"
#include "workstation/send_from.h"
#include "workstation/state_access.h"

namespace rur {

bool PrepareSending(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  s.sentStore.Clear();
  if (!CheckToolRadii(ws)) return false;
  if (!geometry::Compensate(s.blockStore, s.tools, s.settings.radiusTolerance, s.messages, s.sentStore)) {
    return false;
  }
  if (!CheckBlockTexts(ws)) return false;
  const std::string zeroRadius = ZeroRadiusWarning(ws);
  return zeroRadius.empty() || s.dialogs.ConfirmDespite(zeroRadius, kSendAnyway);
}

void PrepareSentPicture(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  draw::ClearPicture(s.raster);
  s.raster.SetPenColour(draw::kRed);
}

transfer::FrameSource SentFrames(Workstation& ws, bool drawn) {
  WorkstationState& s = StateOf(ws);
  const transfer::ConversionSettings settings = ConversionSettingsOf(ws);
  std::optional<draw::DrawTarget> target;
  if (drawn) target.emplace(draw::DrawTarget{s.raster, s.settings.workAreaX, s.settings.workAreaY});
  return transfer::FrameSource(s.sentStore, settings, target, s.messages);
}

namespace {

// The handshake over a line just opened, from a fresh conversion (tool and
// feed not yet sent) and empty buffers.
bool TransferFrames(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view, std::int32_t first) {
  WorkstationState& s = StateOf(ws);
  line.DiscardBuffers();
  transfer::FrameSource frames = SentFrames(ws, true);
  frames.StartAt(first);
  transfer::Handshake handshake(frames, {.memoryFull = s.settings.port.xOffChar, .release = s.settings.port.xOnChar});
  handshake.Start();
  const bool finished = transfer::RunTransfer(handshake, line, s.phase, view);
  s.lastConfirmedBlock = handshake.confirmedBlock();
  return finished;
}

}  // namespace

bool SendProgram(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view, std::int32_t first) {
  WorkstationState& s = StateOf(ws);
  s.lastConfirmedBlock = first - 1;
  s.lastTransferAccepted = false;
  view.Progress(0);
  // An abort that came in since the command started is seen before the
  // port is opened: the controller must not see a line opened and flushed
  // for a transfer that was called off.
  s.pump.ProcessEvents();
  if (s.phase == data::RunPhase::kStopping) {
    view.Status(transfer::kStatusAbortedAtPc);
    s.phase = data::RunPhase::kIdle;
    return false;
  }
  s.phase = data::RunPhase::kRunning;
  bool finished = false;
  s.port = s.settings.port;  // the port takes the settings' parameters at every opening
  if (line.Open(s.port)) {
    finished = TransferFrames(ws, line, view, first);
  } else {
    // The warning the operator knows, with the device and the reason on a
    // line of its own; the status line keeps the reason.
    const std::string reason = line.Failure();
    s.dialogs.Beep();
    s.dialogs.Warning(reason.empty() ? std::string(transfer::kPortMissing)
                                     : std::string(transfer::kPortMissing) + "\r\n" + reason);
    view.Status(reason.empty() ? std::string_view(transfer::kPortMissing) : std::string_view(reason));
  }
  line.Close();
  s.phase = data::RunPhase::kIdle;
  s.lastTransferAccepted = finished;
  return finished;
}

SendOutcome RunSendCommand(Workstation& ws, transfer::SerialLine& line, SendCommandView& view, std::int64_t from) {
  WorkstationState& s = StateOf(ws);
  // A message shown since the drawing (the abort's, the error search's)
  // does not stop the send; one of the checks or the compensation does.
  const CommandScope command(s.messages);
  // An abort asked for before the command does not hold it; one from now on
  // does, also before the port is opened.
  s.phase = data::RunPhase::kRunning;
  const std::int32_t first = PrepareSending(ws) ? SendStart(ws, from) : 0;
  if (first == 0) {
    s.phase = data::RunPhase::kIdle;
    return SendOutcome::kNotSent;
  }
  PrepareSentPicture(ws);
  view.TransferStarting();
  return SendProgram(ws, line, view, first) ? SendOutcome::kFinished : SendOutcome::kStopped;
}

void AbortCommand(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  s.phase = data::RunPhase::kStopping;
  s.messages.ShowMessageByNumber(data::kMessageAbortedByOperator, " ");
}

}  // namespace rur
