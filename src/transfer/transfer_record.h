// What one transfer did, filled in as it runs: the blocks and frames the
// controller confirmed, the bytes on the line, the repeats and memory-full
// pauses, every reply that was not a plain confirmation and the end text.
// The status figures, the transfer log and a later new start all read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace transfer {

// A reply byte that was not a plain confirmation, with the status text it
// showed, and the frame (from 1) it answered or arrived during.
struct ControllerReply {
  std::int32_t frame = 0;
  std::uint8_t byte = 0;
  std::string text;  // Windows-1252
};

struct TransferRecord {
  std::int32_t baud = 0;             // the port's rate, for the time left
  std::int32_t blockCount = 0;       // blocks of the program sent
  std::int32_t blocksConfirmed = 0;  // the last block whose text every confirmed frame holds whole
  std::int32_t blocksSkipped = 0;    // a transfer from block N: the N - 1 blocks before it, counted as confirmed
  std::int32_t framesSent = 0;       // frames handed to the line whole, repeats included
  std::int32_t framesConfirmed = 0;
  std::int64_t bytesSent = 0;        // bytes handed to the line, repeats included
  std::int32_t repeats = 0;          // frames sent again on the controller's request
  std::int32_t pauses = 0;           // memory-full pauses
  std::int64_t pausedMilliseconds = 0;
  std::int64_t elapsedMilliseconds = 0;  // from the start of the wait for the controller
  std::vector<ControllerReply> replies;
  std::string endText;  // the last status text; Windows-1252
};

// Whole seconds (rounded up) that `bytes` take on a line of `baud` with 10
// bits a byte; -1 when baud is not above 0 or bytes below 0.
std::int64_t LineSeconds(std::int64_t bytes, std::int32_t baud);

// The time the rest of the program takes at the rate of the line: the bytes
// still to go, estimated from the bytes sent so far (repeats included) per
// block this transfer confirmed (the skipped blocks of a transfer from
// block N left out), at 10 bits a byte. -1 while no block of this transfer
// is confirmed or without a rate; 0 once every block is confirmed.
std::int64_t SecondsLeft(const TransferRecord& record);

// "m:ss", or "h:mm:ss" from an hour on; negative seconds show as "-:--".
std::string ClockText(std::int64_t seconds);

// "Satz n von m, Zeit m:ss, Rest m:ss" (the rest left out while it is not
// known). Windows-1252.
std::string FiguresText(const TransferRecord& record);

}  // namespace transfer
