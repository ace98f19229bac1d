// The simulated controller's side of the protocol, without a line: frames
// are checked with the shared frame reader, an invalid one answered 21, a
// valid one by the reply script, each answer judged with the sender's own
// reply reader; the frames the sender takes as accepted make the program.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/reply_script.h"
#include "transfer/frame_reader.h"
#include "transfer/reply_reader.h"

namespace cli {

// One frame as the controller saw it and what it answers.
struct FrameAnswer {
  int number = 0;  // the program frame from 1; a repeated frame keeps its number
  std::size_t size = 0;  // data bytes
  bool last = false;
  bool valid = false;
  ReplyAnswer reply;  // the bytes sent; none behind a byte that stops the transfer
  // How the sender takes the answer; kPaused: it waits for a release that
  // does not come.
  transfer::ReplyVerdict verdict = transfer::ReplyVerdict::kWaiting;
  std::string_view stopText;  // Windows-1252; set when the answer stops the transfer
  bool accepted() const { return verdict == transfer::ReplyVerdict::kAccepted; }
};

// Empty when every answer of the script is decided only by its last byte,
// as the sender reads it with `characters`, or stops the transfer; else why
// not (English, for the usage error). An answer accepted or repeated
// before its end would leave the bytes behind it to answer a later frame,
// and the two sides would no longer agree.
std::string CheckScript(const ReplyScript& script, transfer::ReplyCharacters characters);

// "Rahmen 3: 256 Bytes, Prüfsumme richtig, Antwort 6" (UTF-8).
std::string DescribeFrame(const FrameAnswer& frame);

class SimulatedController {
 public:
  // `characters`: the memory-full and release bytes the sender expects.
  SimulatedController(ReplyScript script, transfer::ReplyCharacters characters)
      : script_(std::move(script)), reader_(characters) {}

  // Checks the frames that `bytes` complete and answers each, in order;
  // nothing once the transfer has ended.
  std::vector<FrameAnswer> Received(std::span<const std::uint8_t> bytes);

  // The sender has taken the last frame as accepted.
  bool finished() const { return finished_; }
  // An answer made the sender stop.
  bool stopped() const { return stopped_; }
  bool ended() const { return finished_ || stopped_; }
  // The data of every accepted frame, in order.
  const std::vector<std::uint8_t>& program() const { return program_; }

 private:
  FrameAnswer Answer(const transfer::ReceivedFrame& frame);
  void Judge(FrameAnswer& answer);

  ReplyScript script_;
  transfer::ReplyReader reader_;
  transfer::FrameReader frames_;
  std::vector<std::uint8_t> program_;
  int accepted_ = 0;
  bool finished_ = false;
  bool stopped_ = false;
};

}  // namespace cli
