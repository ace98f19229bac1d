#include "transfer/frame_source.h"

#include "transfer/restating_block.h"
#include "transfer/sent_plot.h"

namespace transfer {

FrameSource::FrameSource(const data::BlockStore& store, ConversionSettings settings,
                         std::optional<draw::DrawTarget> target, data::MessageCentre& messages)
    : store_(store), settings_(settings), messages_(messages) {
  if (target) picture_.emplace(target->raster, target->workAreaX, target->workAreaY);
}

void FrameSource::StartAt(std::int32_t first) {
  if (first < 2 || first > store_.count() || done_ != 0) return;
  done_ = first - 1;
  givenComplete_ = done_;
  packer_.Add(RestatingText(store_, first, settings_, memory_), false, ready_);
  readyComplete_.assign(ready_.size(), done_);
}

// The frames from firstNew on were completed by the text of `block`: all
// blocks before it lie whole in them, and the block itself in the last one
// when no text of it waits for the next frame.
void FrameSource::NoteCompleted(std::size_t firstNew, std::int32_t block) {
  for (std::size_t k = firstNew; k < ready_.size(); ++k) {
    const bool holdsBlockEnd = k + 1 == ready_.size() && !packer_.Holding();
    readyComplete_.push_back(holdsBlockEnd ? block : block - 1);
  }
}

void FrameSource::ConvertNextBlock() {
  ++done_;
  const data::BlockRecord& block = store_.At(done_);
  data::BlockRecord current = block;  // working out an arc fills its radius in
  const draw::BlockTrace trace = SentBlockTrace(current, messages_);
  if (picture_) picture_->BlockFinished(current, trace);
  const std::size_t firstNew = ready_.size();
  packer_.Add(ConvertBlock(block, done_, settings_, memory_), done_ == store_.count(), ready_);
  NoteCompleted(firstNew, done_);
}

bool FrameSource::Next(Frame& frame) {
  while (nextReady_ == ready_.size()) {
    if (finished_) return false;
    ready_.clear();
    readyComplete_.clear();
    nextReady_ = 0;
    if (done_ < store_.count()) {
      ConvertNextBlock();
    } else {
      if (store_.count() == 0) {
        ready_.push_back(EmptyProgramFrame());
        readyComplete_.push_back(0);
      }
      finished_ = true;
    }
  }
  givenComplete_ = readyComplete_[nextReady_];
  frame = std::move(ready_[nextReady_++]);
  return true;
}

}  // namespace transfer
