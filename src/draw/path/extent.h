// How far the drawn path reaches: the box of every figure the drawing
// makes (arcs with the bulges between their end points) and how many of
// them reach outside the work area, which the picture cuts away.
#pragma once

#include <cstdint>

#include "data/block_record.h"
#include "draw/path/geometry.h"

namespace draw {

struct PathExtent {
  std::int32_t drawn = 0;    // blocks drawn as a figure
  std::int32_t outside = 0;  // of those, reaching outside 0..width x 0..height
  PathBox box;               // of the drawn figures; meaningful when drawn > 0
};

PathExtent MeasurePathExtent(const data::BlockStore& store, double width, double height);

}  // namespace draw
