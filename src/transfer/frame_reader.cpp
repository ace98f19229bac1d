#include "transfer/frame_reader.h"

#include "transfer/frames.h"

namespace transfer {
namespace {

constexpr std::uint8_t kStx = 2;
constexpr std::uint8_t kQuote = 34;
constexpr std::uint8_t kEtb = 23;
constexpr std::uint8_t kEot = 4;
constexpr int kMarkRun = 3;  // STX, ETB and EOT come three in a row

bool EndsInEtbRun(const std::vector<std::uint8_t>& data) {
  const std::size_t n = data.size();
  return n >= kMarkRun && data[n - 1] == kEtb && data[n - 2] == kEtb && data[n - 3] == kEtb;
}

}  // namespace

void FrameReader::Feed(std::span<const std::uint8_t> bytes, std::vector<ReceivedFrame>& frames) {
  for (const std::uint8_t byte : bytes) Take(byte, frames);
}

void FrameReader::Reset() {
  part_ = Part::kStart;
  run_ = 0;
  last_ = false;
  partial_.clear();
}

void FrameReader::Take(std::uint8_t byte, std::vector<ReceivedFrame>& frames) {
  switch (part_) {
    case Part::kStart:
      TakeStart(byte, frames);
      return;
    case Part::kData:
      TakeData(byte, frames);
      return;
    case Part::kLastEnd:
      TakeLastEnd(byte, frames);
      return;
    case Part::kChecksum:
      Complete(byte, frames);
      return;
  }
}

// Three STX (or more) start a frame; the double quote must follow them.
void FrameReader::TakeStart(std::uint8_t byte, std::vector<ReceivedFrame>& frames) {
  if (byte == kStx) {
    if (run_ < kMarkRun) ++run_;
    return;
  }
  if (run_ < kMarkRun) {
    run_ = 0;  // not a frame's start: skipped
    return;
  }
  if (byte != kQuote) {
    frames.push_back(ReceivedFrame{});
    Reset();
    return;
  }
  Reset();
  part_ = Part::kData;
}

// The data run up to three ETB or a zero byte. One or two ETB may still be
// data, so they may stand beyond the limit until the third decides.
void FrameReader::TakeData(std::uint8_t byte, std::vector<ReceivedFrame>& frames) {
  if (byte == 0 && partial_.size() <= kFrameDataSize) {
    part_ = Part::kLastEnd;
    run_ = 0;
    return;
  }
  partial_.push_back(byte);
  if (EndsInEtbRun(partial_)) {
    partial_.resize(partial_.size() - kMarkRun);
    part_ = Part::kChecksum;
    last_ = false;
    return;
  }
  if (partial_.size() > kFrameDataSize && byte != kEtb) {
    partial_.pop_back();
    Reject(frames);
    TakeStart(byte, frames);
  }
}

void FrameReader::TakeLastEnd(std::uint8_t byte, std::vector<ReceivedFrame>& frames) {
  if (byte != kEot) {
    Reject(frames);
    TakeStart(byte, frames);
    return;
  }
  if (++run_ == kMarkRun) {
    part_ = Part::kChecksum;
    last_ = true;
  }
}

void FrameReader::Complete(std::uint8_t checksum, std::vector<ReceivedFrame>& frames) {
  const bool valid = checksum == Checksum(partial_);
  frames.push_back(ReceivedFrame{std::move(partial_), last_, valid});
  Reset();
}

// A frame that broke off: reported as invalid; the search for the next
// start begins with the byte that broke it.
void FrameReader::Reject(std::vector<ReceivedFrame>& frames) {
  frames.push_back(ReceivedFrame{std::move(partial_), false, false});
  Reset();
}

}  // namespace transfer
