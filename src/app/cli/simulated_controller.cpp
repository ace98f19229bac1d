#include "cli/simulated_controller.h"

#include "transfer/handshake.h"

namespace cli {

bool ConfirmsFrame(std::uint8_t reply) { return reply == 6 || reply == 17 || reply == 19 || reply == 50; }

std::string DescribeFrame(const FrameAnswer& frame) {
  std::string text = "Rahmen " + std::to_string(frame.number) + (frame.last ? " (letzter)" : "") + ": " +
                     std::to_string(frame.size) + " Bytes, " +
                     (frame.valid ? "Pr\u00fcfsumme richtig" : "fehlerhaft") + ", Antwort";
  for (std::size_t i = 0; i < frame.reply.size(); ++i) {
    const ReplyStep& step = frame.reply[i];
    text += i == 0 ? " " : ", ";
    if (step.pauseMs > 0) text += "nach " + std::to_string(step.pauseMs) + " ms ";
    text += std::to_string(step.byte);
  }
  return text;
}

std::vector<FrameAnswer> SimulatedController::Received(std::span<const std::uint8_t> bytes) {
  std::vector<transfer::ReceivedFrame> frames;
  reader_.Feed(bytes, frames);
  std::vector<FrameAnswer> answers;
  for (const transfer::ReceivedFrame& frame : frames) answers.push_back(Answer(frame));
  return answers;
}

FrameAnswer SimulatedController::Answer(const transfer::ReceivedFrame& frame) {
  FrameAnswer answer;
  answer.number = accepted_ + 1;
  answer.size = frame.data.size();
  answer.last = frame.last;
  answer.valid = frame.valid;
  // A faulty frame is asked for again; the script is kept for the valid ones.
  answer.reply = frame.valid ? script_.NextAnswer() : ReplyAnswer{{0, transfer::kReplyRepeat}};
  answer.accepted = frame.valid && ConfirmsFrame(answer.reply.back().byte);
  if (answer.accepted) {
    ++accepted_;
    program_.insert(program_.end(), frame.data.begin(), frame.data.end());
    if (frame.last) finished_ = true;
  }
  return answer;
}

}  // namespace cli
