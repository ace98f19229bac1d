#include "transfer/handshake.h"

#include <algorithm>

namespace transfer {

Handshake::Handshake(FrameSource& frames, ReplyCharacters characters)
    : frames_(frames), reader_(characters), confirmed_(frames.blocksInFramesGiven()) {}

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
      startByte_ = bytes.front();
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
      Follow(reader_.Read(bytes, status_));
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
  const std::vector<std::uint8_t> held = std::move(held_);
  held_.clear();
  Follow(reader_.ReadEarly(held, startByte_, status_));
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
  reader_.Restart();
  state_ = HandshakeState::kSending;
}

// Where the frame's answer stands after the bytes just read.
void Handshake::Follow(ReplyVerdict verdict) {
  switch (verdict) {
    case ReplyVerdict::kWaiting:
      state_ = HandshakeState::kAwaitingReply;
      return;
    case ReplyVerdict::kPaused:
      state_ = HandshakeState::kPaused;
      return;
    case ReplyVerdict::kAccepted:
      AcceptFrame();
      return;
    case ReplyVerdict::kRepeat:
      RepeatFrame();
      return;
    case ReplyVerdict::kStopped:
      state_ = HandshakeState::kStopped;  // the reader has shown why
      return;
  }
}

void Handshake::AcceptFrame() {
  confirmed_ = frames_.blocksInFramesGiven();
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
