#include "draw/path/index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace draw {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A grid of at most this many cells a side: beyond it the cells of a
// drawing with a few far outliers would outnumber its figures by far.
constexpr std::int32_t kMaxCellsPerSide = 1024;
// Figures are entered in the cells of their pieces, each at most about a
// cell long, so that a long diagonal or a large circle takes the cells it
// runs through, not all those of its box. The cells are chosen so that the
// pieces number a few per figure; a figure too long to count (beyond the
// doubles) is looked at for every point instead.
constexpr double kMaxPieces = 1 << 20;
constexpr double kAveragePieces = 4.0;  // aimed at when choosing the cells
// Relative rounding allowance when a box rules a figure out.
constexpr double kRelativeSlack = 1e-9;

bool Finite(PathPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

PathPoint OnCircle(const PathSegment& arc, double angle) {
  return {arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
}

PathPoint Between(PathPoint a, PathPoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// Calls visit(box) for each of `pieces` (2 or more) equal pieces of a
// figure: the box of the piece's chord, for an arc widened by the height of
// the piece over its chord (a piece turns at most half a circle).
template <typename Visit>
void ForEachPieceBox(const PathSegment& s, std::int32_t pieces, Visit&& visit) {
  const bool arc = s.shape == SegmentShape::kArc;
  const double rise = arc ? s.radius * (1.0 - std::cos(std::fabs(s.sweep) / (2.0 * pieces))) : 0.0;
  PathPoint from = s.start;
  for (std::int32_t piece = 1; piece <= pieces; ++piece) {
    const double t = static_cast<double>(piece) / pieces;
    const PathPoint to = piece == pieces ? s.end
                         : arc           ? OnCircle(s, s.startAngle + s.sweep * t)
                                         : Between(s.start, s.end, t);
    visit(PathBox{std::min(from.x, to.x) - rise, std::min(from.y, to.y) - rise, std::max(from.x, to.x) + rise,
                  std::max(from.y, to.y) + rise});
    from = to;
  }
}

double LengthOf(const PathSegment& s) {
  if (s.shape == SegmentShape::kArc) return s.radius * std::fabs(s.sweep);
  return std::hypot(s.end.x - s.start.x, s.end.y - s.start.y);
}

}  // namespace

PathIndex::PathIndex(const data::BlockStore& store, SegmentOptions options) {
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const std::optional<PathSegment> segment = SegmentOf(store.At(position), options);
    if (segment) figures_.push_back({*segment, BoundsOf(*segment), position});
  }
  if (figures_.empty()) return;
  ChooseGrid();
  FillCells(CutIntoPieces());
}

// Step 1: square cells, about one figure's worth of area each but long
// enough that the figures make a few pieces each on average (a dense
// drawing of long moves gets larger cells), at most kMaxCellsPerSide a
// side; a drawing without extent (or beyond the numbers) is one cell.
void PathIndex::ChooseGrid() {
  extent_ = figures_.front().box;
  for (const Figure& f : figures_) extent_ = Union(extent_, f.box);
  const double width = extent_.maxX - extent_.minX, height = extent_.maxY - extent_.minY;
  const double largest = std::max(width, height);
  const double magnitude = std::max({std::fabs(extent_.minX), std::fabs(extent_.maxX), std::fabs(extent_.minY),
                                     std::fabs(extent_.maxY)});
  slack_ = kRelativeSlack * (1.0 + magnitude);
  if (!std::isfinite(largest) || !(largest > 0.0)) {
    columns_ = rows_ = 1;
    return;
  }
  const double thinnest = largest / kMaxCellsPerSide;
  const double area = std::max(width, thinnest) * std::max(height, thinnest);
  const auto figures = static_cast<double>(figures_.size());
  double length = 0.0;
  for (const Figure& f : figures_) length += LengthOf(f.segment);
  const double pieceLength = std::isfinite(length) ? length / (kAveragePieces * figures) : 0.0;
  cellSize_ = std::max({std::sqrt(area / figures), pieceLength, thinnest});
  columns_ = static_cast<std::int32_t>(std::min<double>(width / cellSize_, kMaxCellsPerSide)) + 1;
  rows_ = static_cast<std::int32_t>(std::min<double>(height / cellSize_, kMaxCellsPerSide)) + 1;
}

// Step 2: the pieces of each figure, about a cell long; a figure too long
// to count becomes wide (0 pieces). One cell takes every figure whole.
std::vector<std::int32_t> PathIndex::CutIntoPieces() {
  std::vector<std::int32_t> pieces(figures_.size(), 1);
  if (columns_ == 1 && rows_ == 1) return pieces;
  for (std::size_t i = 0; i < figures_.size(); ++i) {
    const double cells = std::ceil(LengthOf(figures_[i].segment) / cellSize_);
    if (cells < kMaxPieces) {
      pieces[i] = std::max(1, static_cast<std::int32_t>(cells));
    } else {
      pieces[i] = 0;
      wide_.push_back(static_cast<std::int32_t>(i));
    }
  }
  return pieces;
}

// Calls visit(cell) once for every cell that a piece of the figure
// touches, its box widened by the rounding allowance.
template <typename Visit>
void PathIndex::ForEachCellOf(std::int32_t figure, std::int32_t pieces, std::vector<std::int32_t>& lastFigure,
                              Visit&& visit) const {
  auto visitBox = [&](const PathBox& box) {
    const Cell low = CellOf({box.minX - slack_, box.minY - slack_});
    const Cell high = CellOf({box.maxX + slack_, box.maxY + slack_});
    for (std::int32_t row = low.row; row <= high.row; ++row) {
      for (std::int32_t column = low.column; column <= high.column; ++column) {
        const std::size_t cell = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                                 static_cast<std::size_t>(column);
        if (lastFigure[cell] == figure) continue;
        lastFigure[cell] = figure;
        visit(cell);
      }
    }
  };
  const Figure& f = figures_[static_cast<std::size_t>(figure)];
  if (pieces == 1) {
    visitBox(f.box);
  } else if (pieces > 1) {
    ForEachPieceBox(f.segment, pieces, visitBox);
  }
}

// Step 3: every figure but the wide ones into the cells of its pieces,
// counted first so that the cells share one array, each cell's figures in
// store order.
void PathIndex::FillCells(const std::vector<std::int32_t>& pieces) {
  const std::size_t cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
  const auto figures = static_cast<std::int32_t>(figures_.size());
  std::vector<std::int32_t> count(cells + 1, 0);
  std::vector<std::int32_t> lastFigure(cells, -1);
  for (std::int32_t i = 0; i < figures; ++i) {
    ForEachCellOf(i, pieces[static_cast<std::size_t>(i)], lastFigure,
                  [&count](std::size_t cell) { ++count[cell + 1]; });
  }
  for (std::size_t cell = 0; cell < cells; ++cell) count[cell + 1] += count[cell];
  cellStart_ = count;
  cellFigures_.resize(static_cast<std::size_t>(count[cells]));
  std::fill(lastFigure.begin(), lastFigure.end(), -1);
  for (std::int32_t i = 0; i < figures; ++i) {
    ForEachCellOf(i, pieces[static_cast<std::size_t>(i)], lastFigure,
                  [&, i](std::size_t cell) { cellFigures_[static_cast<std::size_t>(count[cell]++)] = i; });
  }
}

std::int32_t PathIndex::ColumnOf(double x) const {
  const double v = (x - extent_.minX) / cellSize_;
  if (!(v > 0.0)) return 0;
  return v >= columns_ ? columns_ - 1 : static_cast<std::int32_t>(v);
}

std::int32_t PathIndex::RowOf(double y) const {
  const double v = (y - extent_.minY) / cellSize_;
  if (!(v > 0.0)) return 0;
  return v >= rows_ ? rows_ - 1 : static_cast<std::int32_t>(v);
}

// The cell of p, or the nearest one when p lies outside the grid.
PathIndex::Cell PathIndex::CellOf(PathPoint p) const { return {ColumnOf(p.x), RowOf(p.y)}; }

// The exact distance only when the box does not rule the figure out.
void PathIndex::Consider(std::int32_t figure, PathPoint p, double maxDistance, Best& best) const {
  const Figure& f = figures_[static_cast<std::size_t>(figure)];
  const double limit = std::min(best.figure < 0 ? kInfinity : best.distance, maxDistance);
  if (f.box.DistanceTo(p) > limit + slack_) return;
  const double d = DistanceTo(f.segment, p);
  if (!(d <= maxDistance)) return;
  if (best.figure < 0 || d < best.distance || (d == best.distance && figure < best.figure)) best = {figure, d};
}

void PathIndex::SearchCell(std::int32_t column, std::int32_t row, PathPoint p, double maxDistance,
                           Best& best) const {
  const std::size_t cell = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                           static_cast<std::size_t>(column);
  for (std::int32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
    Consider(cellFigures_[static_cast<std::size_t>(k)], p, maxDistance, best);
  }
}

// The cells at Chebyshev distance `ring` from the centre cell; false when
// none of them lies in the grid.
bool PathIndex::SearchRing(Cell centre, std::int32_t ring, PathPoint p, double maxDistance, Best& best) const {
  const std::int32_t top = centre.row - ring, bottom = centre.row + ring;
  const std::int32_t left = centre.column - ring, right = centre.column + ring;
  if (top < 0 && bottom >= rows_ && left < 0 && right >= columns_) return false;
  const std::int32_t firstColumn = std::max(left, 0), lastColumn = std::min(right, columns_ - 1);
  for (std::int32_t row = std::max(top, 0); row <= std::min(bottom, rows_ - 1); ++row) {
    if (row == top || row == bottom) {
      for (std::int32_t column = firstColumn; column <= lastColumn; ++column) {
        SearchCell(column, row, p, maxDistance, best);
      }
      continue;
    }
    if (left >= 0) SearchCell(left, row, p, maxDistance, best);
    if (right < columns_) SearchCell(right, row, p, maxDistance, best);
  }
  return true;
}

std::optional<PathHit> PathIndex::Nearest(PathPoint point, double maxDistance) const {
  if (figures_.empty() || !Finite(point) || !(maxDistance >= 0.0)) return std::nullopt;
  Best best;
  for (const std::int32_t figure : wide_) Consider(figure, point, maxDistance, best);
  // Rings outward from the point's cell; a figure in ring k lies at least
  // k - 1 cells away, so the search ends once that passes the best so far.
  const Cell centre = CellOf(point);
  for (std::int32_t ring = 0;; ++ring) {
    const double limit = std::min(best.figure < 0 ? kInfinity : best.distance, maxDistance);
    if (ring > 0 && (ring - 1) * cellSize_ > limit + slack_) break;
    if (!SearchRing(centre, ring, point, maxDistance, best)) break;
  }
  if (best.figure < 0) return std::nullopt;
  return PathHit{figures_[static_cast<std::size_t>(best.figure)].position, best.distance};
}

}  // namespace draw
