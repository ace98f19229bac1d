#include "draw/path_extent.h"

#include <algorithm>
#include <optional>

namespace draw {

PathExtent MeasurePathExtent(const data::BlockStore& store, double width, double height) {
  PathExtent extent;
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const std::optional<PathSegment> segment = SegmentOf(store.At(position));
    if (!segment) continue;
    const PathBox box = BoundsOf(*segment);
    if (box.minX < 0.0 || box.minY < 0.0 || box.maxX > width || box.maxY > height) ++extent.outside;
    if (extent.drawn++ == 0) {
      extent.box = box;
      continue;
    }
    extent.box.minX = std::min(extent.box.minX, box.minX);
    extent.box.minY = std::min(extent.box.minY, box.minY);
    extent.box.maxX = std::max(extent.box.maxX, box.maxX);
    extent.box.maxY = std::max(extent.box.maxY, box.maxY);
  }
  return extent;
}

}  // namespace draw
