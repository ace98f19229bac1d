#include "workstation/send_command.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "data/message_numbers.h"
#include "data/text.h"
#include "draw/picture/surface.h"
#include "transfer/handshake.h"
#include "workstation/send_checks.h"
#include "workstation/send_from.h"
#include "workstation/state_access.h"
#include "workstation/transfer_log.h"
#include "workstation/work_area_hint.h"

namespace rur {

bool PrepareSending(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  if (!MakeSentBlocks(ws, s.messages, s.sentStore)) return false;
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
  handshake.record().baud = s.lastTransfer.baud;
  handshake.Start();
  const bool finished = transfer::RunTransfer(handshake, line, s.phase, view);
  s.lastTransfer = handshake.record();
  return finished;
}

// The size of the program's file; -1 without one.
std::int64_t FileSize(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace

bool SendProgram(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view, std::int32_t first) {
  WorkstationState& s = StateOf(ws);
  s.lastTransfer = {};
  s.lastTransfer.baud = s.settings.port.baud;
  s.lastTransfer.blockCount = s.sentStore.count();
  s.lastTransfer.blocksSkipped = first > 1 ? first - 1 : 0;
  s.lastTransfer.blocksConfirmed = s.lastTransfer.blocksSkipped;
  // The bar starts where the transfer starts in the program.
  view.Progress(static_cast<int>(std::int64_t{s.lastTransfer.blocksSkipped} * 100 / std::max(s.sentStore.count(), 1)));
  // An abort that came in since the command started is seen before the
  // port is opened: the controller must not see a line opened and flushed
  // for a transfer that was called off.
  s.pump.ProcessEvents();
  if (s.phase == data::RunPhase::kStopping) {
    view.Status(transfer::kStatusAbortedAtPc);
    s.lastTransfer.endText = transfer::kStatusAbortedAtPc;
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
    s.lastTransfer.endText = reason.empty() ? std::string(transfer::kPortMissing) : reason;
    view.Status(s.lastTransfer.endText);
  }
  line.Close();
  s.phase = data::RunPhase::kIdle;
  return finished;
}

namespace {

// A path that leaves the work area is sent only when the face agrees.
bool SendDespiteWorkArea(Workstation& ws, SendCommandView& view) {
  const std::optional<std::string> hint = OutsideWorkAreaHint(ws);
  return !hint || view.SendOutsideWorkArea(ws.dialogs(), *hint);
}

}  // namespace

SendOutcome RunSendCommand(Workstation& ws, transfer::SerialLine& line, SendCommandView& view, std::int64_t from) {
  WorkstationState& s = StateOf(ws);
  // A message shown since the drawing (the abort's, the error search's)
  // does not stop the send; one of the checks or the compensation does.
  const CommandScope command(s.messages);
  // An abort asked for before the command does not hold it; one from now on
  // does, also before the port is opened.
  s.phase = data::RunPhase::kRunning;
  // The checks and the compensation name the block of their message; a line
  // named before (by the error search) is not theirs.
  s.messagePlace.reset();
  s.messages.context.messageListingLine = 0;
  const std::int32_t first = PrepareSending(ws) ? SendStart(ws, from) : 0;
  if (!command.clean() && s.phase != data::RunPhase::kStopping && s.messages.context.messageListingLine > 0) {
    s.messagePlace = ListingPlace{s.messages.context.messageProgramIndex, s.messages.context.messageListingLine};
  }
  if (first == 0 || !SendDespiteWorkArea(ws, view)) {
    s.phase = data::RunPhase::kIdle;
    return SendOutcome::kNotSent;
  }
  PrepareSentPicture(ws);
  view.TransferStarting();
  const std::time_t start = std::time(nullptr);
  const bool finished = SendProgram(ws, line, view, first);
  const std::string entry =
      TransferLogEntry({.start = start, .programFile = s.mainProgramFile, .programBytes = FileSize(s.mainProgramFile)},
                       s.lastTransfer);
  if (std::string failure; !AppendToFile(TransferLogName(s.dataDirectory), entry, failure)) {
    s.dialogs.Warning("Protokoll nicht geschrieben: " + data::Utf8ToCp1252(failure));
  }
  view.TransferLogged(entry);
  return finished ? SendOutcome::kFinished : SendOutcome::kStopped;
}

bool SendCommandView::SendOutsideWorkArea(data::Dialogs& dialogs, std::string_view hint) {
  return dialogs.ConfirmDespite(hint, kSendAnyway);
}

void AbortCommand(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  s.phase = data::RunPhase::kStopping;
  s.messages.ShowMessageByNumber(data::kMessageAbortedByOperator, " ");
}

}  // namespace rur
