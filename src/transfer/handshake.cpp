#include "transfer/handshake.h"

#include <algorithm>

namespace transfer {

Handshake::Handshake(FrameSource& frames, ReplyCharacters characters) : frames_(frames), reader_(characters) {
  record_.blockCount = frames_.blockCount();
  record_.blocksSkipped = frames_.blocksSkipped();
  record_.blocksConfirmed = record_.blocksSkipped;
}

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
    case HandshakeState::kPaused: {
      const ReplyVerdict verdict = reader_.Read(bytes, status_);
      NoteReplies();
      Follow(verdict);
      return;
    }
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
  const std::size_t taken = std::min(count, wire_.size() - sent_);
  sent_ += taken;
  record_.bytesSent += static_cast<std::int64_t>(taken);
  if (sent_ < wire_.size()) return;
  ++record_.framesSent;
  state_ = HandshakeState::kAwaitingReply;
  const std::vector<std::uint8_t> held = std::move(held_);
  held_.clear();
  const ReplyVerdict verdict = reader_.ReadEarly(held, startByte_, status_);
  NoteReplies();
  Follow(verdict);
}

void Handshake::Abort() {
  if (Ended()) return;
  Show(kStatusAbortedAtPc);
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
  if (state_ == HandshakeState::kFinished) return 100;
  const std::int64_t count = record_.blockCount;
  if (count <= 0) return 0;
  return static_cast<int>(static_cast<std::int64_t>(record_.blocksConfirmed) * 100 / count);
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
      ++record_.repeats;
      RepeatFrame();
      return;
    case ReplyVerdict::kStopped:
      state_ = HandshakeState::kStopped;  // the reader has shown why
      return;
  }
}

// The replies just read, each with the frame it answered or arrived during;
// every memory-full byte read begins a pause, also one released in the
// same read.
void Handshake::NoteReplies() {
  for (ControllerReply& reply : reader_.TakeReplies()) {
    reply.frame = record_.framesConfirmed + 1;
    if (reply.text == kStatusMemoryFull) ++record_.pauses;
    record_.replies.push_back(std::move(reply));
  }
}

void Handshake::AcceptFrame() {
  ++record_.framesConfirmed;
  record_.blocksConfirmed = frame_.blocksThrough;
  frames_.Confirmed(frame_.blocksThrough);
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
