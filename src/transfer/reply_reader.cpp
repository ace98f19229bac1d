#include "transfer/reply_reader.h"

namespace transfer {
namespace {

bool IsConfirmation(std::uint8_t byte) { return byte == 6 || byte == 17 || byte == 19 || byte == 50; }

bool IsTransmissionError(std::uint8_t byte) { return byte == 23 || byte == 31; }

}  // namespace

void ReplyReader::Restart() {
  state_ = State::kWaiting;
  stopText_ = {};
}

ReplyVerdict ReplyReader::ReadEarly(std::span<const std::uint8_t> bytes, std::uint8_t startByte,
                                    std::vector<std::string>& shown) {
  for (const std::uint8_t byte : bytes) ReadByte(byte, true, startByte, shown);
  return Verdict();
}

ReplyVerdict ReplyReader::Read(std::span<const std::uint8_t> bytes, std::vector<std::string>& shown) {
  for (const std::uint8_t byte : bytes) ReadByte(byte, false, 0, shown);
  return Verdict();
}

void ReplyReader::ReadByte(std::uint8_t byte, bool early, std::uint8_t startByte, std::vector<std::string>& shown) {
  if (Decided()) return;
  if (state_ == State::kPaused) {
    if (byte == characters_.release) {
      Note(byte, kStatusResume, shown);
      state_ = early ? State::kWaiting : State::kAnswered;
    }
    return;
  }
  if (byte == characters_.memoryFull) {
    Note(byte, kStatusMemoryFull, shown);
    state_ = State::kPaused;
    return;
  }
  if (IsConfirmation(byte) || (early && byte == startByte)) {
    if (!early) state_ = State::kAnswered;
    return;
  }
  if (byte == kReplyRepeat) {
    Note(byte, kStatusRepeat, shown);
    state_ = State::kRepeat;
  } else if (IsTransmissionError(byte)) {
    Stop(byte, kStatusTransmissionError, shown);
  } else if (byte == kReplyAbort) {
    Stop(byte, kStatusAbortedByMachine, shown);
  } else {
    Stop(byte, kStatusUnknownError, shown);
  }
}

std::vector<ControllerReply> ReplyReader::TakeReplies() {
  std::vector<ControllerReply> taken;
  taken.swap(replies_);
  return taken;
}

void ReplyReader::Note(std::uint8_t byte, std::string_view text, std::vector<std::string>& shown) {
  shown.emplace_back(text);
  replies_.push_back({.frame = 0, .byte = byte, .text = std::string(text)});
}

void ReplyReader::Stop(std::uint8_t byte, std::string_view text, std::vector<std::string>& shown) {
  Note(byte, text, shown);
  stopText_ = text;
  state_ = State::kStopped;
}

ReplyVerdict ReplyReader::Verdict() const {
  switch (state_) {
    case State::kWaiting:
      return ReplyVerdict::kWaiting;
    case State::kAnswered:
      return ReplyVerdict::kAccepted;
    case State::kPaused:
      return ReplyVerdict::kPaused;
    case State::kRepeat:
      return ReplyVerdict::kRepeat;
    case State::kStopped:
      break;
  }
  return ReplyVerdict::kStopped;
}

}  // namespace transfer
