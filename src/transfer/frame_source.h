// The frames of a transfer, made as they are needed: each block of the
// store is converted into its text and drawn as sent, in store order, and
// the texts are packed into frames. The transfer takes one frame at a time;
// a block is drawn once a confirmed frame holds its text whole, so that the
// picture shows what the controller has, no more.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
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
  // is drawn on the picture of target, through the picture's listener, once
  // Confirmed names it; without a target nothing is drawn (the messages of
  // drawing are still shown, as each block is converted).
  FrameSource(const data::BlockStore& store, ConversionSettings settings, std::optional<draw::DrawTarget> target,
              data::MessageCentre& messages);

  // Before the first frame: the transfer starts at block `first` (2 ..
  // count; other numbers change nothing). Its "%" line is followed by the
  // block that restates what the blocks from `first` on rely on, numbered
  // first - 1; the blocks keep their store positions as numbers. The blocks
  // before `first` count as confirmed: the restating block's frames say
  // first - 1 in blocksThrough, and only the blocks from `first` on are
  // drawn, from where block first - 1 ended.
  void StartAt(std::int32_t first);

  // The next frame; false once the last frame has been given. Its
  // blocksThrough says which blocks it completes.
  bool Next(Frame& frame);
  // The controller confirmed the frames holding blocks 1 to blocksThrough:
  // those not yet drawn are drawn.
  void Confirmed(std::int32_t blocksThrough);

  // Blocks converted so far, and in all.
  std::int32_t blocksDone() const { return done_; }
  std::int32_t blockCount() const { return store_.count(); }
  // The blocks before the first one sent: first - 1 after StartAt, else 0.
  std::int32_t blocksSkipped() const { return skipped_; }

 private:
  void ConvertNextBlock();

  const data::BlockStore& store_;
  ConversionSettings settings_;
  std::optional<draw::PictureListener> picture_;
  std::deque<std::pair<data::BlockRecord, draw::BlockTrace>> undrawn_;  // converted, not yet confirmed
  data::MessageCentre& messages_;
  ConversionMemory memory_;
  FramePacker packer_;
  std::vector<Frame> ready_;
  std::size_t nextReady_ = 0;
  std::int32_t done_ = 0;
  std::int32_t drawn_ = 0;
  std::int32_t skipped_ = 0;
  bool finished_ = false;
};

}  // namespace transfer
