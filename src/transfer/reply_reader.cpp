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
      shown.emplace_back(kStatusResume);
      state_ = early ? State::kWaiting : State::kAnswered;
    }
    return;
  }
  if (byte == characters_.memoryFull) {
    shown.emplace_back(kStatusMemoryFull);
    state_ = State::kPaused;
    return;
  }
  if (IsConfirmation(byte) || (early && byte == startByte)) {
    if (!early) state_ = State::kAnswered;
    return;
  }
  if (byte == kReplyRepeat) {
    shown.emplace_back(kStatusRepeat);
    state_ = State::kRepeat;
  } else if (IsTransmissionError(byte)) {
    Stop(kStatusTransmissionError, shown);
  } else if (byte == kReplyAbort) {
    Stop(kStatusAbortedByMachine, shown);
  } else {
    Stop(kStatusUnknownError, shown);
  }
}

void ReplyReader::Stop(std::string_view text, std::vector<std::string>& shown) {
  shown.emplace_back(text);
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
