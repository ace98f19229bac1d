// The controller's block text and its frames over block records made from
// the input: every frame carries 1 to 256 bytes and no zero byte, exactly
// the final one is the last, the frames carry the block texts in order
// with nothing lost or added, the controller's reader accepts each frame
// as sent, and the frame source (drawing the sent path or not) makes the
// same frames.
#include <optional>
#include <string>
#include <vector>

#include "byte_reader.h"
#include "draw/picture/raster.h"
#include "draw/picture/surface.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "record_reader.h"
#include "transfer/block_text.h"
#include "transfer/frame_reader.h"
#include "transfer/frame_source.h"
#include "transfer/frames.h"

namespace fuzz {
namespace {

constexpr std::int32_t kMaxRecords = 48;
constexpr char kLineEnd[] = "\r\n";

// The stream the frames must carry: "%" CR LF, each text without blanks
// and CR LF, a closing CR LF.
std::string Stream(const std::vector<std::string>& texts) {
  std::string stream = std::string("%") + kLineEnd;
  for (const std::string& text : texts) {
    std::string packed;
    for (const char c : text) {
      if (c != ' ' && c != '\0') packed += c;
    }
    if (!packed.empty()) stream += packed + kLineEnd;
  }
  return stream + kLineEnd;
}

void RequireFramesCarry(const std::vector<transfer::Frame>& frames, const std::string& stream) {
  Require(!frames.empty(), "a transfer has frames");
  std::string carried;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const transfer::Frame& frame = frames[i];
    Require(!frame.data.empty() && frame.data.size() <= transfer::kFrameDataSize, "frames hold 1 to 256 bytes");
    Require(frame.last == (i + 1 == frames.size()), "exactly the final frame is the last");
    for (const std::uint8_t byte : frame.data) {
      Require(byte != 0, "frames carry no zero byte");
      carried += static_cast<char>(byte);
    }
  }
  const bool whole = carried == stream;
  const bool filledExactly = frames.back().data.size() == transfer::kFrameDataSize && carried + kLineEnd == stream;
  Require(whole || filledExactly, "the frames carry the block texts, nothing lost or added");
}

void RequireReaderAccepts(const std::vector<transfer::Frame>& frames) {
  transfer::FrameReader reader;
  std::vector<transfer::ReceivedFrame> received;
  for (const transfer::Frame& frame : frames) reader.Feed(transfer::WireBytes(frame), received);
  Require(received.size() == frames.size(), "the controller reads every frame");
  for (std::size_t i = 0; i < frames.size(); ++i) {
    Require(received[i].valid, "the controller accepts every frame");
    Require(received[i].data == frames[i].data && received[i].last == frames[i].last,
            "the controller reads what was sent");
  }
}

void RequireSourceMakesSame(const data::BlockStore& store, const transfer::ConversionSettings& settings,
                            std::optional<draw::DrawTarget> target, const std::vector<transfer::Frame>& frames) {
  MessageBench bench;
  transfer::FrameSource source(store, settings, target, bench.messages);
  transfer::Frame frame;
  std::size_t n = 0;
  while (source.Next(frame)) {
    Require(n < frames.size() && frame.data == frames[n].data && frame.last == frames[n].last,
            "the frame source makes the same frames");
    ++n;
  }
  Require(n == frames.size(), "the frame source makes every frame");
}

}  // namespace

// The first byte chooses scaled numbers, a Z zero offset, drawing the
// sent path and a work area from the input; the second the block count.
int FuzzConversion(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t options = in.Byte();
  const std::int32_t count = in.Byte() % (kMaxRecords + 1);
  transfer::ConversionSettings settings;
  settings.scaled = (options & 1) != 0;
  if ((options & 2) != 0) settings.zZeroOffset = in.Value();
  // A small picture: clearing one of full size costs more than the rest.
  static draw::Raster raster(56, 45);
  std::optional<draw::DrawTarget> target;
  if ((options & 4) != 0) {
    draw::ClearPicture(raster);
    target.emplace(draw::DrawTarget{raster, 400.0L, 300.0L});
    if ((options & 8) != 0) {
      target->workAreaX = in.Value();
      target->workAreaY = in.Value();
    }
  }
  data::BlockStore store(kMaxRecords);
  RecordReader records(in);
  while (store.count() < count) store.Append(records.Next());

  transfer::ConversionMemory memory;
  transfer::FramePacker packer;
  std::vector<std::string> texts;
  std::vector<transfer::Frame> frames;
  for (std::int32_t i = 1; i <= store.count(); ++i) {
    texts.push_back(transfer::ConvertBlock(store.At(i), i, settings, memory));
    packer.Add(texts.back(), i == store.count(), frames);
  }
  if (store.count() == 0) frames.push_back(transfer::EmptyProgramFrame());
  RequireFramesCarry(frames, Stream(texts));
  RequireReaderAccepts(frames);
  RequireSourceMakesSame(store, settings, target, frames);
  return 0;
}

}  // namespace fuzz
