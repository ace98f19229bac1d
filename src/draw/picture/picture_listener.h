// The picture as a listener of finished blocks: each block drawn onto the
// raster with the primitives, at the work area's scale, in whatever pen the
// raster holds (yellow while a program is drawn, red while it is sent).
#pragma once

#include "draw/block_sink.h"
#include "draw/picture/primitives.h"
#include "draw/picture/raster.h"

namespace draw {

// Draws record as trace tells: a pen move, a line or an arc; nothing for
// kNone.
void DrawBlock(const data::BlockRecord& record, const BlockTrace& trace, DrawTarget target);

class PictureListener final : public BlockListener {
 public:
  // The raster must outlive the listener.
  PictureListener(Raster& raster, long double workAreaX, long double workAreaY)
      : target_{raster, workAreaX, workAreaY} {}

  void BlockFinished(const data::BlockRecord& record, const BlockTrace& trace) override {
    DrawBlock(record, trace, target_);
  }

 private:
  DrawTarget target_;
};

}  // namespace draw
