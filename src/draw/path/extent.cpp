#include "draw/path/extent.h"

#include <optional>

namespace draw {

PathExtent MeasurePathExtent(const data::BlockStore& store, double width, double height) {
  PathExtent extent;
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const std::optional<PathSegment> segment = SegmentOf(store.At(position));
    if (!segment) continue;
    const PathBox box = BoundsOf(*segment);
    if (box.minX < 0.0 || box.minY < 0.0 || box.maxX > width || box.maxY > height) ++extent.outside;
    extent.box = extent.drawn++ == 0 ? box : Union(extent.box, box);
  }
  return extent;
}

}  // namespace draw
