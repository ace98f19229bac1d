// The simulated controller's side of the protocol, without a line: bytes
// from the sender are collected into frames and checked with the shared
// frame reader; an invalid frame is answered 21, a valid one by the reply
// script. It keeps the data of the accepted frames, the received program.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/reply_script.h"
#include "transfer/frame_reader.h"

namespace cli {

// One frame as the controller saw it and what it answers.
struct FrameAnswer {
  int number = 0;  // the program frame from 1; a repeated frame keeps its number
  std::size_t size = 0;  // data bytes
  bool last = false;
  bool valid = false;
  bool accepted = false;
  ReplyAnswer reply;
};

// Whether the sender takes a reply byte as a confirmation (6, 17, 19, 50).
bool ConfirmsFrame(std::uint8_t reply);

// "Rahmen 3: 256 Bytes, Prüfsumme richtig, Antwort 6" (UTF-8).
std::string DescribeFrame(const FrameAnswer& frame);

class SimulatedController {
 public:
  explicit SimulatedController(ReplyScript script) : script_(std::move(script)) {}

  // Checks the frames that `bytes` complete and answers each, in order.
  std::vector<FrameAnswer> Received(std::span<const std::uint8_t> bytes);

  // The last frame has been accepted: an answer to it ended in a
  // confirmation.
  bool finished() const { return finished_; }
  // The data of every accepted frame, in order.
  const std::vector<std::uint8_t>& program() const { return program_; }

 private:
  FrameAnswer Answer(const transfer::ReceivedFrame& frame);

  ReplyScript script_;
  transfer::FrameReader reader_;
  std::vector<std::uint8_t> program_;
  int accepted_ = 0;
  bool finished_ = false;
};

}  // namespace cli
