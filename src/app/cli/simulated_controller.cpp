#include "cli/simulated_controller.h"

namespace cli {

std::string CheckScript(const ReplyScript& script, transfer::ReplyCharacters characters) {
  transfer::ReplyReader reader(characters);
  std::vector<std::string> shown;
  for (std::size_t n = 0; n < script.answers().size(); ++n) {
    const ReplyAnswer& answer = script.answers()[n];
    reader.Restart();
    for (std::size_t i = 0; i + 1 < answer.size(); ++i) {
      const std::uint8_t byte = answer[i].byte;
      const transfer::ReplyVerdict verdict = reader.Read({&byte, 1}, shown);
      if (verdict == transfer::ReplyVerdict::kStopped) break;
      if (verdict == transfer::ReplyVerdict::kPaused) continue;
      return "reply script: answer " + std::to_string(n + 1) + " is decided by its byte " + std::to_string(byte) +
             " already (XOn " + std::to_string(characters.release) + ", XOff " +
             std::to_string(characters.memoryFull) + "); the bytes behind it would answer a later frame";
    }
  }
  return {};
}

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
  std::vector<FrameAnswer> answers;
  if (ended()) return answers;
  std::vector<transfer::ReceivedFrame> frames;
  frames_.Feed(bytes, frames);
  for (const transfer::ReceivedFrame& frame : frames) {
    answers.push_back(Answer(frame));
    if (ended()) break;  // what follows is no longer read
  }
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
  Judge(answer);
  if (answer.accepted()) {
    ++accepted_;
    program_.insert(program_.end(), frame.data.begin(), frame.data.end());
    finished_ = frame.last;
  }
  stopped_ = answer.verdict == transfer::ReplyVerdict::kStopped;
  return answer;
}

// Reads the answer as the sender will, each byte on its own (a pause lies
// between them); nothing is sent behind a byte that stops the transfer.
void SimulatedController::Judge(FrameAnswer& answer) {
  reader_.Restart();
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < answer.reply.size(); ++i) {
    answer.verdict = reader_.Read({&answer.reply[i].byte, 1}, shown);
    if (answer.verdict == transfer::ReplyVerdict::kStopped) {
      answer.reply.resize(i + 1);
      answer.stopText = reader_.stopText();
      return;
    }
  }
}

}  // namespace cli
