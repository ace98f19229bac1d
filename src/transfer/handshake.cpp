#include "transfer/handshake.h"

#include <algorithm>

namespace transfer {
namespace {

bool IsConfirmation(std::uint8_t byte) { return byte == 6 || byte == 17 || byte == 19 || byte == 50; }

bool IsTransmissionError(std::uint8_t byte) { return byte == 23 || byte == 31; }

}  // namespace

Handshake::Handshake(FrameSource& frames, ReplyCharacters characters) : frames_(frames), characters_(characters) {}

void Handshake::Start() {
  if (state_ != HandshakeState::kIdle) return;
  Show(kStatusWaiting);
  state_ = HandshakeState::kWaitingForController;
}

void Handshake::Received(std::span<const std::uint8_t> bytes) {
  switch (state_) {
    case HandshakeState::kWaitingForController:
      // The controller's first bytes only say that it is ready.
      if (bytes.empty()) return;
      Show(kStatusSending);
      StartFrame();
      return;
    case HandshakeState::kSending:
      // Bytes waiting before the frame's first byte went out belong to the
      // frame before; those arriving meanwhile are read once it is out.
      if (sent_ > 0) held_.insert(held_.end(), bytes.begin(), bytes.end());
      return;
    case HandshakeState::kAwaitingReply:
    case HandshakeState::kPaused:
      ReadReplies(bytes);
      // Nothing more is waiting: a frame answered by now is accepted.
      if (state_ == HandshakeState::kAwaitingReply && answered_) AcceptFrame();
      return;
    default:
      return;
  }
}

std::span<const std::uint8_t> Handshake::Output() const {
  if (state_ != HandshakeState::kSending) return {};
  return std::span<const std::uint8_t>(wire_).subspan(sent_);
}

void Handshake::Sent(std::size_t count) {
  if (state_ != HandshakeState::kSending) return;
  sent_ += std::min(count, wire_.size() - sent_);
  if (sent_ < wire_.size()) return;
  state_ = HandshakeState::kAwaitingReply;
  // Read now, but the frame is accepted only once the line has been asked
  // whether more is waiting behind them.
  const std::vector<std::uint8_t> held = std::move(held_);
  held_.clear();
  ReadReplies(held);
}

void Handshake::Abort() {
  if (Ended()) return;
  if (state_ == HandshakeState::kSending || state_ == HandshakeState::kAwaitingReply ||
      state_ == HandshakeState::kPaused) {
    Show(kStatusAbortedAtPc);
  }
  state_ = HandshakeState::kAborted;
}

void Handshake::LineFailed(std::string_view status) {
  if (Ended()) return;
  Stop(status);
}

bool Handshake::Ended() const {
  return state_ == HandshakeState::kFinished || state_ == HandshakeState::kStopped ||
         state_ == HandshakeState::kAborted;
}

std::vector<std::string> Handshake::TakeStatus() {
  std::vector<std::string> taken;
  taken.swap(status_);
  return taken;
}

int Handshake::Progress() const {
  const std::int64_t count = frames_.blockCount();
  if (count <= 0) return 100;
  return static_cast<int>(static_cast<std::int64_t>(frames_.blocksDone()) * 100 / count);
}

void Handshake::StartFrame() {
  if (!frames_.Next(frame_)) {  // the source ended without a last frame
    state_ = HandshakeState::kFinished;
    Show(kStatusFinished);
    return;
  }
  wire_ = WireBytes(frame_);
  RepeatFrame();
}

// The frame in progress goes out again from its first byte.
void Handshake::RepeatFrame() {
  sent_ = 0;
  held_.clear();
  answered_ = false;
  state_ = HandshakeState::kSending;
}

void Handshake::ReadReplies(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    if (!ReadReply(byte)) return;
  }
}

// One reply byte; false when the bytes behind it are not read (a repeat or
// the end of the transfer).
bool Handshake::ReadReply(std::uint8_t byte) {
  if (state_ == HandshakeState::kPaused) {
    if (byte == characters_.release) {
      Show(kStatusResume);
      state_ = HandshakeState::kAwaitingReply;
      answered_ = true;
    }
    return true;
  }
  if (byte == characters_.memoryFull) {
    Show(kStatusMemoryFull);
    state_ = HandshakeState::kPaused;
    return true;
  }
  if (IsConfirmation(byte)) {
    answered_ = true;
    return true;
  }
  if (byte == kReplyRepeat) {
    Show(kStatusRepeat);
    RepeatFrame();
  } else if (IsTransmissionError(byte)) {
    Stop(kStatusTransmissionError);
  } else if (byte == kReplyAbort) {
    Stop(kStatusAbortedByMachine);
  } else {
    Stop(kStatusUnknownError);
  }
  return false;
}

void Handshake::AcceptFrame() {
  if (frame_.last) {
    state_ = HandshakeState::kFinished;
    Show(kStatusFinished);
    return;
  }
  StartFrame();
}

void Handshake::Stop(std::string_view status) {
  Show(status);
  state_ = HandshakeState::kStopped;
}

}  // namespace transfer
