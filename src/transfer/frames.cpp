#include "transfer/frames.h"

#include <algorithm>

namespace transfer {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::uint8_t kStx = 2;
constexpr std::uint8_t kQuote = 34;
constexpr std::uint8_t kEtb = 23;
constexpr std::uint8_t kEot = 4;

// Blanks go; so would a zero byte, which would end the frame's data early
// on the controller's side.
std::string Compacted(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (c != ' ' && c != '\0') compact += c;
  }
  return compact;
}

// The stream piece of one text is the text and its CR LF. One that does not
// fit an empty frame is cut behind each of its own line ends.
std::vector<std::string_view> Units(std::string_view piece) {
  if (piece.size() <= kFrameDataSize) return {piece};
  std::vector<std::string_view> units;
  while (!piece.empty()) {
    const std::size_t end = piece.find(kLineEnd);
    const std::size_t length = end == std::string_view::npos ? piece.size() : end + 2;
    units.push_back(piece.substr(0, length));
    piece.remove_prefix(length);
  }
  return units;
}

}  // namespace

std::uint8_t Checksum(std::span<const std::uint8_t> data) {
  std::uint8_t sum = kQuote;
  for (const std::uint8_t byte : data) sum ^= byte;
  return sum;
}

std::vector<std::uint8_t> WireBytes(const Frame& frame) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(frame.data.size() + 9);
  bytes.assign(3, kStx);
  bytes.push_back(kQuote);
  bytes.insert(bytes.end(), frame.data.begin(), frame.data.end());
  if (frame.last) bytes.push_back(0);
  bytes.insert(bytes.end(), 3, frame.last ? kEot : kEtb);
  bytes.push_back(Checksum(frame.data));
  return bytes;
}

FramePacker::FramePacker() : pending_("%\r\n") {}

void FramePacker::Add(std::string_view blockText, bool lastBlock, std::vector<Frame>& out) {
  if (finished_) return;
  const std::string text = Compacted(blockText);
  if (!text.empty()) {
    std::string piece = text;
    piece += kLineEnd;
    const std::vector<std::string_view> units = Units(piece);
    for (std::size_t k = 0; k < units.size(); ++k) {
      PackUnit(units[k], lastBlock && k + 1 == units.size(), out);
    }
  }
  if (lastBlock) Finish(out);
}

// A unit that fits an empty frame is never cut: it goes into the current
// frame or starts the next. A frame filled exactly goes out at once.
void FramePacker::PackUnit(std::string_view unit, bool closesTransfer, std::vector<Frame>& out) {
  if (unit.size() > kFrameDataSize) {
    PackLongUnit(unit, out);
  } else {
    if (pending_.size() + unit.size() > kFrameDataSize) SendPending(false, out);
    pending_ += unit;
  }
  if (pending_.size() == kFrameDataSize) {
    SendPending(closesTransfer, out);
    finished_ = closesTransfer;
  }
}

// Fills the room left and runs on into new frames; the frame holding the
// unit's end stays pending.
void FramePacker::PackLongUnit(std::string_view unit, std::vector<Frame>& out) {
  while (!unit.empty()) {
    if (pending_.size() == kFrameDataSize) SendPending(false, out);
    const std::size_t take = std::min(unit.size(), kFrameDataSize - pending_.size());
    pending_ += unit.substr(0, take);
    unit.remove_prefix(take);
  }
}

void FramePacker::SendPending(bool last, std::vector<Frame>& out) {
  if (pending_.empty()) return;
  out.push_back(Frame{std::vector<std::uint8_t>(pending_.begin(), pending_.end()), last});
  pending_.clear();
}

// The closing CR LF goes into the frame of the last text when it fits, or
// else alone into a last frame of its own.
void FramePacker::Finish(std::vector<Frame>& out) {
  if (finished_) return;
  if (pending_.size() + 2 > kFrameDataSize) SendPending(false, out);
  pending_ += kLineEnd;
  SendPending(true, out);
  finished_ = true;
}

Frame EmptyProgramFrame() {
  std::vector<Frame> frames;
  FramePacker().Add({}, true, frames);
  return frames.front();
}

std::vector<Frame> PackFrames(std::span<const std::string> blockTexts) {
  std::vector<Frame> frames;
  FramePacker packer;
  for (std::size_t i = 0; i < blockTexts.size(); ++i) packer.Add(blockTexts[i], i + 1 == blockTexts.size(), frames);
  if (blockTexts.empty()) frames.push_back(EmptyProgramFrame());
  return frames;
}

}  // namespace transfer
