// The send command "S&enden": the radius compensation of the drawn blocks
// into the store that is sent, the frames of its block text (each block
// drawn in red as it is converted), and the transfer of the frames to the
// controller over a serial line. The window and rur-cli both run it.
#pragma once

#include <cstdint>
#include <string_view>

#include "transfer/frame_source.h"
#include "transfer/serial_line.h"
#include "transfer/transfer_run.h"
#include "workstation/workstation.h"

namespace rur {

// Makes the sent store from the drawn blocks: checks that every
// compensated contour has its tool radius from the tool file, compensates,
// and checks that every number fits the block text. False after a message
// naming the block (error flag set), or when the operator, warned about
// contours compensated with radius 0, chose not to send: nothing of the
// store may be sent then. A step of the send command: it runs inside the
// command's scope (an error flag set on entry stops the compensation).
bool PrepareSending(Workstation& ws);

// Clears the picture and sets its pen red, so that the sent path is drawn
// alone.
void PrepareSentPicture(Workstation& ws);

// The frames of the sent store in the block text of the settings (Z zero
// offset) and the first argument "A" (scaled whole numbers); with `drawn`
// each block is drawn on the picture as it is converted.
transfer::FrameSource SentFrames(Workstation& ws, bool drawn);

// Sends the sent store over the line, opened with the settings' port
// parameters, drawing each block on the picture as it is converted. Runs
// with the phase kRunning (kStopping, set by the abort command, ends it) and
// leaves it kIdle; a line it opened is closed in every case. A phase of
// kStopping on entry, or brought by the events processed once before the
// opening, means the command was aborted: the line is not opened, and the
// status says kStatusAbortedAtPc. A line that cannot be opened gives a beep
// and the warning kPortMissing with the line's reason (device and why) on a
// second line, the reason in the status line, and nothing is sent. What
// the transfer did is kept as the workstation's lastTransfer, in every
// case. True when the controller accepted the last frame. With `first`
// above 1 the transfer starts at that block of the store
// (FrameSource::StartAt), and the record counts the blocks before it as
// confirmed.
bool SendProgram(Workstation& ws, transfer::SerialLine& line, transfer::TransferView& view, std::int32_t first = 1);

// What the faces do around a transfer: the window holds its commands and
// shows the sent path, rur-cli prints the port's warnings.
class SendCommandView : public transfer::TransferView {
 public:
  // The checks have passed and the picture is cleared for the sent path;
  // the line is opened next.
  virtual void TransferStarting() {}
  // The entry the transfer added to the log (UTF-8), after it ended.
  virtual void TransferLogged(std::string_view /*entry*/) {}
  // The drawn path leaves the work area, as `hint` says: true to send all
  // the same. Asks through the dialogs (Yes, No); rur-cli says the hint and
  // goes on.
  virtual bool SendOutsideWorkArea(data::Dialogs& dialogs, std::string_view hint);
};

enum class SendOutcome : std::uint8_t {
  kNotSent,   // a check showed a message, or the operator chose not to send; no line was opened
  kFinished,  // the controller accepted the last frame
  kStopped,   // a reply, the line or the abort command ended the transfer
};

// The send command "S&enden", the one sequence both faces run: the checks
// and the compensation (PrepareSending), the question whether to send a
// path that leaves the work area (asked once, after the checks), a picture cleared for the sent
// path in red, and the transfer of the sent store over the line
// (SendProgram). A command of its own: a message shown before it (the
// abort's, the error search's) does not stop it, while one of the checks,
// the compensation or the conversion leaves the error flag set when it
// returns. The phase is kRunning from its start, so that an abort from
// then on stops it (also before the port opens), and kIdle when it
// returns. With `from` other than 1 the transfer starts at that block of
// the sent store, or at the first block of its contour (SendStart); a
// number the store does not hold sends nothing. Once it got as far as the
// port, one entry goes to the transfer log of the data directory; a log
// that cannot be written gives a warning. After a message of the checks or
// the compensation, ws.messagePlace() names the block's line.
SendOutcome RunSendCommand(Workstation& ws, transfer::SerialLine& line, SendCommandView& view, std::int64_t from = 1);

// The abort command "&Abbruch": the drawing or transfer that runs stops at
// its next check, and message data::kMessageAbortedByOperator says so.
void AbortCommand(Workstation& ws);

}  // namespace rur
