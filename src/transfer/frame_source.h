// The frames of a transfer, made as they are needed: each block of the
// store is converted into its text and drawn as sent, in store order, and
// the texts are packed into frames. The transfer takes one frame at a time,
// so the picture and the progress follow the frames on the wire.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/block_record.h"
#include "data/message_centre.h"
#include "draw/picture/picture_listener.h"
#include "transfer/block_text.h"
#include "transfer/frames.h"

namespace transfer {

class FrameSource {
 public:
  // The store and the message centre must outlive the source. Each block
  // is drawn on the picture of target, through the picture's listener;
  // without a target nothing is drawn (the messages of drawing are still
  // shown).
  FrameSource(const data::BlockStore& store, ConversionSettings settings, std::optional<draw::DrawTarget> target,
              data::MessageCentre& messages);

  // Before the first frame: the transfer starts at block `first` (2 ..
  // count; other numbers change nothing). Its "%" line is followed by the
  // block that restates what the blocks from `first` on rely on, numbered
  // first - 1; the blocks keep their store positions as numbers. Only the
  // blocks from `first` on are drawn.
  void StartAt(std::int32_t first);

  // The next frame; false once the last frame has been given.
  bool Next(Frame& frame);

  // The blocks whose text lies whole in the frames given so far (the
  // blocks before the first one sent count as given).
  std::int32_t blocksInFramesGiven() const { return givenComplete_; }

  // Blocks converted so far, and in all.
  std::int32_t blocksDone() const { return done_; }
  std::int32_t blockCount() const { return store_.count(); }

 private:
  void ConvertNextBlock();
  void NoteCompleted(std::size_t firstNew, std::int32_t block);

  const data::BlockStore& store_;
  ConversionSettings settings_;
  std::optional<draw::PictureListener> picture_;
  data::MessageCentre& messages_;
  ConversionMemory memory_;
  FramePacker packer_;
  std::vector<Frame> ready_;
  std::vector<std::int32_t> readyComplete_;  // per ready frame: the blocks whole in it and before it
  std::int32_t givenComplete_ = 0;
  std::size_t nextReady_ = 0;
  std::int32_t done_ = 0;
  bool finished_ = false;
};

}  // namespace transfer
