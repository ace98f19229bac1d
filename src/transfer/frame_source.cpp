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
  // The blocks before `first` count as confirmed, and are not drawn.
  done_ = first - 1;
  drawn_ = done_;
  skipped_ = done_;
  packer_.Add(RestatingText(store_, first, settings_, memory_), false, ready_);
  for (Frame& frame : ready_) frame.blocksThrough = done_;
  // The restating block travels to where block first - 1 ended: the pen
  // goes there too, so that block `first` is drawn from there.
  if (picture_) picture_->BlockFinished(store_.At(done_), {.kind = draw::Trace::kPenMove});
}

void FrameSource::ConvertNextBlock() {
  ++done_;
  const data::BlockRecord& block = store_.At(done_);
  data::BlockRecord current = block;  // working out an arc fills its radius in
  const draw::BlockTrace trace = SentBlockTrace(current, messages_);
  if (picture_) undrawn_.emplace_back(current, trace);
  const std::size_t before = ready_.size();
  packer_.Add(ConvertBlock(block, done_, settings_, memory_), done_ == store_.count(), ready_);
  // A frame made now ends inside this block's text, or with it when no
  // text is left waiting.
  for (std::size_t k = before; k < ready_.size(); ++k) ready_[k].blocksThrough = done_ - 1;
  if (ready_.size() > before && !packer_.holdsText()) ready_.back().blocksThrough = done_;
}

void FrameSource::Confirmed(std::int32_t blocksThrough) {
  if (!picture_) return;
  while (!undrawn_.empty() && drawn_ < blocksThrough) {
    picture_->BlockFinished(undrawn_.front().first, undrawn_.front().second);
    undrawn_.pop_front();
    ++drawn_;
  }
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
