#include "transfer/transfer_run.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace transfer {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t MillisecondsSince(Clock::time_point start, Clock::time_point now) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
}

// Passes the handshake's new status texts, a changed progress and the
// figures on, and keeps the record's times.
class ViewUpdates {
 public:
  explicit ViewUpdates(TransferView& view) : view_(view), start_(Clock::now()) {}

  void From(Handshake& handshake) {
    TransferRecord& record = handshake.record();
    for (std::string& text : handshake.TakeStatus()) {
      view_.Status(text);
      record.endText = std::move(text);
    }
    const int progress = handshake.Progress();
    if (progress != shownProgress_) {
      shownProgress_ = progress;
      view_.Progress(progress);
    }
    const Clock::time_point now = Clock::now();
    record.elapsedMilliseconds = MillisecondsSince(start_, now);
    const bool paused = handshake.state() == HandshakeState::kPaused;
    if (paused && !pauseStart_) pauseStart_ = now;
    if (!paused && pauseStart_) {
      record.pausedMilliseconds += MillisecondsSince(*pauseStart_, now);
      pauseStart_.reset();
    }
    const std::int64_t second = record.elapsedMilliseconds / 1000;
    if (record.blocksConfirmed != shownBlocks_ || second != shownSecond_ || handshake.Ended()) {
      shownBlocks_ = record.blocksConfirmed;
      shownSecond_ = second;
      view_.Figures(record);
    }
  }

 private:
  TransferView& view_;
  Clock::time_point start_;
  std::optional<Clock::time_point> pauseStart_;
  int shownProgress_ = -1;
  std::int32_t shownBlocks_ = -1;
  std::int64_t shownSecond_ = -1;
};

// Hands the line what it takes of the frame in progress; true when it took
// something.
bool SendOutput(Handshake& handshake, SerialLine& line) {
  const std::span<const std::uint8_t> output = handshake.Output();
  if (output.empty()) return false;
  const std::size_t written = line.Write(output);
  handshake.Sent(written);
  return written > 0;
}

// Feeds everything waiting as one span (also none: that nothing waits is
// what accepts an answered frame); true when bytes had arrived.
bool ReadInput(Handshake& handshake, SerialLine& line, std::vector<std::uint8_t>& input) {
  input.clear();
  line.ReadAvailable(input);
  handshake.Received(input);
  return !input.empty();
}

}  // namespace

bool RunTransfer(Handshake& handshake, SerialLine& line, const data::RunPhase& phase, TransferView& view) {
  ViewUpdates updates(view);
  std::vector<std::uint8_t> input;
  for (updates.From(handshake); !handshake.Ended(); updates.From(handshake)) {
    if (phase == data::RunPhase::kStopping) {
      handshake.Abort();
      continue;
    }
    // Read before handing bytes to the line: what waits when a frame's last
    // byte goes out arrived before the frame was out and cannot answer it.
    const bool read = ReadInput(handshake, line, input);
    const bool wrote = SendOutput(handshake, line);
    const std::string failure = line.Failure();
    if (!failure.empty()) handshake.LineFailed(failure);
    if (wrote || read || handshake.Ended()) continue;
    line.Wait(handshake.Output().empty() ? LineWait::kInput : LineWait::kInputOrRoom);
  }
  return handshake.state() == HandshakeState::kFinished;
}

}  // namespace transfer
