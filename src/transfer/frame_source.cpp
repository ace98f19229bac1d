#include "transfer/frame_source.h"

#include "transfer/sent_plot.h"

namespace transfer {

FrameSource::FrameSource(const data::BlockStore& store, ConversionSettings settings,
                         std::optional<draw::DrawTarget> target, data::MessageCentre& messages)
    : store_(store), settings_(settings), target_(target), messages_(messages) {}

void FrameSource::ConvertNextBlock() {
  ++done_;
  const data::BlockRecord& block = store_.At(done_);
  if (target_) {
    data::BlockRecord current = block;  // drawing an arc fills its radius in
    PlotSentBlock(current, *target_, messages_);
  } else {
    CheckSentBlock(block, messages_);
  }
  packer_.Add(ConvertBlock(block, done_, settings_, memory_), done_ == store_.count(), ready_);
}

bool FrameSource::Next(Frame& frame) {
  while (nextReady_ == ready_.size()) {
    if (finished_) return false;
    ready_.clear();
    nextReady_ = 0;
    if (done_ < store_.count()) {
      ConvertNextBlock();
    } else {
      if (store_.count() == 0) ready_.push_back(EmptyProgramFrame());
      finished_ = true;
    }
  }
  frame = std::move(ready_[nextReady_++]);
  return true;
}

}  // namespace transfer
