// The frames that carry the converted text to the controller: how the text
// of the blocks is packed into frames of at most 256 data bytes without
// cutting a byte, the checksum, and the bytes of a frame on the wire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace transfer {

inline constexpr std::size_t kFrameDataSize = 256;

// 1 to kFrameDataSize data bytes, never a zero byte (the controller reads a
// frame's data up to the first zero). Exactly one frame of a transfer is
// the last, and it is the final one.
struct Frame {
  std::vector<std::uint8_t> data;
  bool last = false;
  std::int32_t blocksThrough = 0;  // blocks whose text this frame and those before hold whole
};

// 34 exclusive-or every data byte.
std::uint8_t Checksum(std::span<const std::uint8_t> data);

// 2 2 2, 34, the data, then 23 23 23 (or 0 4 4 4 for the last frame), then
// the checksum.
std::vector<std::uint8_t> WireBytes(const Frame& frame);

// Packs the texts of the blocks in store order. The stream is "%" CR LF,
// then each non-empty text (blanks removed) followed by CR LF, then a
// closing CR LF. A text goes whole into the frame being filled while it and
// its CR LF fit, else it starts the next frame; a frame filled exactly is
// sent at once, and when that happens with the last block's text it is the
// last frame and the closing CR LF is left out. A text too long for a frame
// is packed line by line, and a line too long for a frame runs on from one
// frame into the next.
class FramePacker {
 public:
  FramePacker();

  // Appends the frames completed by this block's text to out; with
  // lastBlock also the last frame. Calls after the last block add nothing.
  void Add(std::string_view blockText, bool lastBlock, std::vector<Frame>& out);
  // True while text waits for the next frame.
  bool holdsText() const { return !pending_.empty(); }

 private:
  void PackUnit(std::string_view unit, bool closesTransfer, std::vector<Frame>& out);
  void PackLongUnit(std::string_view unit, std::vector<Frame>& out);
  void SendPending(bool last, std::vector<Frame>& out);
  void Finish(std::vector<Frame>& out);

  std::string pending_;
  bool finished_ = false;
};

// The one frame of a store without blocks: a last frame "%" CR LF CR LF.
Frame EmptyProgramFrame();

// All frames of the given block texts in store order (none: the frame
// of an empty store).
std::vector<Frame> PackFrames(std::span<const std::string> blockTexts);

}  // namespace transfer
