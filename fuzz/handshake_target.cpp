// The transfer's handshake fed with controller bytes from the input, in
// chunks, while a line takes the frames' bytes in pieces, with the
// operator's abort and a failing line at positions the input chooses. The
// controller must receive whole, valid frames in order (a frame again only
// after a repeat), nothing once the transfer ended, and "finished" only
// after the last frame went out.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "byte_reader.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "transfer/frame_reader.h"
#include "transfer/frame_source.h"
#include "transfer/handshake.h"

namespace fuzz {
namespace {

constexpr int kMaxBlocks = 60;
constexpr std::size_t kWriteStep = 9;  // bytes a line takes per unit of the write size
constexpr std::uint8_t kLineFailure = 0xFF;
constexpr char kLineFailed[] = "Verbindung unterbrochen";

// Block i: a feed move to (i, -i); every fifth an arc, every seventh with
// an M word, so that texts differ in length.
data::BlockStore MakeStore(int blocks) {
  data::BlockStore store(kMaxBlocks);
  for (int i = 1; i <= blocks; ++i) {
    data::BlockRecord block;
    block.motion = i % 5 == 0 ? data::kCounterClockwise : data::kFeed;
    block.hasX = block.hasY = 1;
    block.endX = i;
    block.endY = -i;
    block.centreX = i - 1;
    if (i % 7 == 0) block.mFlags.set(static_cast<std::size_t>(i % 100));
    store.Append(block);
  }
  return store;
}

std::vector<std::vector<std::uint8_t>> ExpectedFrames(const data::BlockStore& store) {
  MessageBench bench;
  transfer::FrameSource source(store, {}, std::nullopt, bench.messages);
  std::vector<std::vector<std::uint8_t>> frames;
  transfer::Frame frame;
  while (source.Next(frame)) frames.push_back(frame.data);
  return frames;
}

bool KnownStatus(std::string_view status) {
  static constexpr std::array<std::string_view, 11> kTexts = {
      transfer::kStatusWaiting,       transfer::kStatusSending,        transfer::kStatusMemoryFull,
      transfer::kStatusResume,        transfer::kStatusRepeat,         transfer::kStatusTransmissionError,
      transfer::kStatusAbortedByMachine, transfer::kStatusUnknownError, transfer::kStatusAbortedAtPc,
      transfer::kStatusFinished,      kLineFailed};
  for (const std::string_view text : kTexts) {
    if (text == status) return true;
  }
  return false;
}

// The controller's side: reads what went out and checks each frame.
class Controller {
 public:
  explicit Controller(std::vector<std::vector<std::uint8_t>> expected) : expected_(std::move(expected)) {}

  void Take(std::span<const std::uint8_t> bytes) {
    std::vector<transfer::ReceivedFrame> frames;
    reader_.Feed(bytes, frames);
    for (const transfer::ReceivedFrame& frame : frames) Check(frame);
  }

  bool LastFrameReceived() const { return received_ == expected_.size(); }

 private:
  void Check(const transfer::ReceivedFrame& frame) {
    Require(frame.valid, "every frame that goes out is valid");
    const bool again = received_ > 0 && frame.data == expected_[received_ - 1];
    const bool next = received_ < expected_.size() && frame.data == expected_[received_];
    Require(again || next, "frames go out in order, a frame again only after a repeat");
    if (!again) ++received_;
    Require(frame.last == (received_ == expected_.size()), "only the final frame is the last");
  }

  std::vector<std::vector<std::uint8_t>> expected_;
  transfer::FrameReader reader_;
  std::size_t received_ = 0;
};

}  // namespace

// Input: the step of the abort (0: none), the block count, the memory-full
// and release characters, then steps: a header byte (low 3 bits the number
// of controller bytes that follow, the rest how much the line takes first;
// 0xFF: the line fails).
int FuzzHandshake(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int abortStep = in.Byte();
  const data::BlockStore store = MakeStore(in.Byte() % (kMaxBlocks + 1));
  const transfer::ReplyCharacters characters{.memoryFull = in.Byte(), .release = in.Byte()};
  Controller controller(ExpectedFrames(store));

  MessageBench bench;
  transfer::FrameSource source(store, {}, std::nullopt, bench.messages);
  transfer::Handshake handshake(source, characters);
  handshake.Start();
  bool aborted = false;
  for (int step = 1; !in.Empty(); ++step) {
    const std::uint8_t header = in.Byte();
    const bool wasEnded = handshake.Ended();
    const std::span<const std::uint8_t> out = handshake.Output();
    Require(!wasEnded || out.empty(), "nothing goes out once the transfer ended");
    const std::size_t writeUnits = header >> 3;
    const std::size_t taken = writeUnits == 0 ? out.size() : std::min(out.size(), writeUnits * kWriteStep);
    controller.Take(out.first(taken));
    handshake.Sent(taken);
    if (header == kLineFailure) handshake.LineFailed(kLineFailed);
    std::vector<std::uint8_t> replies(header & 7);
    for (std::uint8_t& byte : replies) byte = in.Byte();
    handshake.Received(replies);
    if (step == abortStep) {
      aborted = !handshake.Ended();
      handshake.Abort();
    }
    Require(!wasEnded || handshake.Ended(), "an ended transfer stays ended");
    Require(handshake.Progress() >= 0 && handshake.Progress() <= 100, "progress is a percentage");
  }
  if (handshake.state() == transfer::HandshakeState::kFinished) {
    Require(controller.LastFrameReceived(), "finished only after the last frame went out");
  }
  Require(!aborted || handshake.state() == transfer::HandshakeState::kAborted, "an abort ends the transfer");
  for (const std::string& status : handshake.TakeStatus()) Require(KnownStatus(status), "status texts are known");
  return 0;
}

}  // namespace fuzz
