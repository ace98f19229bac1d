// The three primitives that put one block onto the picture: a rapid move
// (pen moves, nothing drawn), a feed move (line to the end point, end pixel
// included) and an arc of 100 chords. Each starts wherever the previous one
// left the pen. Straight moves round to the nearest pixel, arc points are
// truncated.
#pragma once

#include "data/block_record.h"
#include "draw/picture/raster.h"

namespace draw {

// Where and at what scale to draw: the picture and the work area.
struct DrawTarget {
  Raster& raster;
  long double workAreaX;
  long double workAreaY;
};

void RapidMove(const data::BlockRecord& current, DrawTarget target);
void FeedMove(const data::BlockRecord& current, DrawTarget target);
// sweep: signed angle in radians, positive counter-clockwise.
void DrawArc(const data::BlockRecord& block, long double sweep, DrawTarget target);

}  // namespace draw
