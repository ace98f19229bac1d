// A spatial index over the drawn figures of a block store, built once per
// drawing: which block's figure lies nearest to a point of the view. A
// uniform grid over the figures narrows the search; exact distances are
// computed only for the figures in the cells near the point.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/block_record.h"
#include "draw/path/geometry.h"

namespace draw {

struct PathHit {
  std::int32_t position = 0;  // of the block in the store
  double distance = 0.0;      // from the point to its figure (mm)
};

class PathIndex {
 public:
  PathIndex() = default;
  // Over positions 1 .. count of the store, each block's figure as
  // SegmentOf makes it.
  explicit PathIndex(const data::BlockStore& store, SegmentOptions options = {});

  // The block whose figure lies nearest to point, at most maxDistance away
  // (infinity: anywhere); of equally near ones the lowest position, the
  // first drawn. None when no figure is that near, or the point or the
  // distance is no usable number.
  std::optional<PathHit> Nearest(PathPoint point, double maxDistance) const;

  std::size_t SegmentCount() const { return figures_.size(); }

 private:
  struct Figure {
    PathSegment segment;
    PathBox box;
    std::int32_t position = 0;
  };
  struct Cell {
    std::int32_t column = 0, row = 0;
  };
  struct Best {
    std::int32_t figure = -1;
    double distance = 0.0;
  };

  void ChooseGrid();
  std::vector<std::int32_t> CutIntoPieces();
  template <typename Visit>
  void ForEachCellOf(std::int32_t figure, std::int32_t pieces, std::vector<std::int32_t>& lastFigure,
                     Visit&& visit) const;
  void FillCells(const std::vector<std::int32_t>& pieces);
  Cell CellOf(PathPoint p) const;
  std::int32_t ColumnOf(double x) const;
  std::int32_t RowOf(double y) const;
  void Consider(std::int32_t figure, PathPoint p, double maxDistance, Best& best) const;
  void SearchCell(std::int32_t column, std::int32_t row, PathPoint p, double maxDistance, Best& best) const;
  bool SearchRing(Cell centre, std::int32_t ring, PathPoint p, double maxDistance, Best& best) const;

  std::vector<Figure> figures_;  // in store order
  PathBox extent_;
  double cellSize_ = 1.0;
  double slack_ = 0.0;  // rounding allowance of the pruning by boxes
  std::int32_t columns_ = 0, rows_ = 0;
  std::vector<std::int32_t> cellStart_;    // figures of cell i: cellFigures_[cellStart_[i] .. cellStart_[i + 1])
  std::vector<std::int32_t> cellFigures_;  // ascending within each cell
  std::vector<std::int32_t> wide_;         // figures too long to cut, looked at for every point
};

}  // namespace draw
