// How far the drawn path reaches: the box of every figure the drawing
// makes (arcs with the bulges between their end points) and how many of
// them reach outside the work area, which the picture cuts away; and the
// highest and lowest Z that its moves go to.
#pragma once

#include <cstdint>
#include <optional>

#include "data/block_record.h"
#include "draw/path/geometry.h"

namespace draw {

struct PathExtent {
  std::int32_t drawn = 0;    // blocks drawn as a figure
  std::int32_t outside = 0;  // of those, reaching outside 0..width x 0..height
  PathBox box;               // of the drawn figures; meaningful when drawn > 0
};

PathExtent MeasurePathExtent(const data::BlockStore& store, double width, double height);

// The highest and lowest Z of a path's moves.
struct DepthRange {
  double top = 0.0;     // the highest Z
  double bottom = 0.0;  // the lowest Z
};

}  // namespace draw
