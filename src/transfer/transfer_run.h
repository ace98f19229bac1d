// Runs a handshake over a serial line until it ends: moves the bytes
// between the two, sleeps on the line while nothing is to be done, ends the
// transfer when the operator asks to stop or the line fails, tells the view
// each status text and the progress as they change, and keeps the times of
// the handshake's record.
#pragma once

#include <string_view>

#include "data/run_phase.h"
#include "transfer/handshake.h"
#include "transfer/serial_line.h"

namespace transfer {

// The status line and the progress meter of a transfer.
class TransferView {
 public:
  virtual ~TransferView() = default;
  virtual void Status(std::string_view text) = 0;  // Windows-1252
  virtual void Progress(int percent) = 0;
  // The record's figures (FiguresText): when a block is confirmed, at most
  // once a second otherwise, and once more at the end.
  virtual void Figures(const TransferRecord& /*record*/) {}
};

// The handshake must have been started and the line opened. A phase of
// kStopping aborts the transfer. Returns true when the last frame was
// accepted. Does not close the line. The record's elapsed time counts from
// the call, its pauses' length from each memory-full byte to its release,
// and its end text is the last status text shown. What waits on the line is read
// immediately before every write, so that the handshake knows the bytes
// that arrived before a frame's last byte went out.
bool RunTransfer(Handshake& handshake, SerialLine& line, const data::RunPhase& phase, TransferView& view);

}  // namespace transfer
