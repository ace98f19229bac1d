// Painting of the path view into an image of its size: grid, work area,
// axes, zero point, then the path (arcs flattened to chords within half a
// pixel, figures outside the view left out) as one-pixel lines written
// into the image, in its colours or those of its depth, the compensated
// contour over it, the highlighted blocks smooth and wide over them.
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "ui/path_view/line_canvas.h"
#include "ui/path_view/path_view.h"

namespace ui {
namespace {

const QColor kBackground(0, 0, 64);
const QColor kGrid(30, 30, 100);
const QColor kAxes(150, 150, 190);
const QColor kWorkArea(0, 170, 0);
const QColor kZeroPoint(255, 140, 0);
const QColor kFeed(Qt::yellow);
const QColor kRapid(0, 200, 255);
const QColor kSent(Qt::red);
const QColor kHighlight(Qt::white);
const QColor kContour = QColor::fromRgb(kContourColour);

constexpr double kChordError = 0.5;  // pixels: a one-pixel line shows no less
constexpr int kMaxChords = 4096;      // of one arc
constexpr double kDepthPiecePixels = 6.0;  // a line that changes Z is coloured in parts this long
constexpr int kMaxDepthPieces = 64;

}  // namespace

namespace {

// Calls sink(from, to, along) in pixels for each line of the figure, with
// how far along the figure (0..1) the line's middle lies: a straight line
// in `pieces` equal parts, an arc as chords of equal angle, each point the
// one before turned about the centre, the last the arc's own end. A point
// lies at the figure's end (a move in Z alone ends there).
template <typename Sink>
void EmitFigure(const PathView& view, const draw::PathSegment& s, int pieces, Sink&& sink) {
  if (s.shape == draw::SegmentShape::kLine) {
    const QPointF a = view.ToPixel(s.start), b = view.ToPixel(s.end);
    QPointF from = a;
    for (int i = 1; i <= pieces; ++i) {
      const QPointF to = i == pieces ? b : a + (b - a) * (static_cast<double>(i) / pieces);
      sink(from, to, (i - 0.5) / pieces);
      from = to;
    }
    return;
  }
  if (s.shape == draw::SegmentShape::kPoint) {
    sink(view.ToPixel(s.start), view.ToPixel(s.start), 1.0);
    return;
  }
  const double radius = s.radius * view.Transform().scale;
  const double step = radius > kChordError ? 2.0 * std::acos(1.0 - kChordError / radius) : std::fabs(s.sweep);
  // Clamped before it becomes an int: a radius of 1e16 pixels gives a step
  // of 0 and billions of chords.
  const double wanted = std::ceil(std::fabs(s.sweep) / std::max(step, 1e-9));
  const int chords = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(kMaxChords)));
  const double turn = s.sweep / chords, c = std::cos(turn), sn = std::sin(turn);
  double dx = s.start.x - s.centre.x, dy = s.start.y - s.centre.y;
  QPointF from = view.ToPixel(s.start);
  for (int i = 1; i < chords; ++i) {
    const double rx = dx * c - dy * sn;
    dy = dx * sn + dy * c;
    dx = rx;
    const QPointF to = view.ToPixel({s.centre.x + dx, s.centre.y + dy});
    sink(from, to, (i - 0.5) / chords);
    from = to;
  }
  sink(from, view.ToPixel(s.end), (chords - 0.5) / chords);
}

bool Outside(const draw::PathBox& box, const draw::PathBox& visible) {
  return box.maxX < visible.minX || box.minX > visible.maxX || box.maxY < visible.minY || box.minY > visible.maxY;
}

// Calls line(at) for the multiples of step from `from` to `to`, counted:
// far out x + step is x again, and a view at infinity has no end. There
// are never more than `most`.
template <typename Line>
void ForEachGridLine(double from, double to, double step, int most, Line&& line) {
  const double first = std::ceil(from / step);
  for (int k = 0; k < most; ++k) {
    const double at = (first + k) * step;
    if (!(at <= to)) return;
    line(at);
  }
}

}  // namespace

QRgb DepthColour(double share) {
  const double t = share > 0.0 ? std::min(share, 1.0) : 0.0;  // NaN: 0
  const int down = static_cast<int>(std::lround(255.0 * t));
  return qRgb(255, 255 - down, down);
}

draw::PathBox PathView::VisibleBox() const {
  const draw::PathPoint a = ToMachine({0.0, static_cast<double>(height())});
  const draw::PathPoint b = ToMachine({static_cast<double>(width()), 0.0});
  return {a.x, a.y, b.x, b.y};
}

void PathView::Render(QPainter& painter) const {
  const QSize size(std::max(width(), 1), std::max(height(), 1));
  if (canvas_.size() != size) canvas_ = QImage(size, QImage::Format_RGB32);
  canvas_.fill(kBackground);
  {
    QPainter onCanvas(&canvas_);
    PaintGrid(onCanvas);
    PaintFrame(onCanvas);
  }
  PaintPath(canvas_);
  painter.drawImage(0, 0, canvas_);
}

void PathView::PaintGrid(QPainter& painter) const {
  const double step = GridStep();
  const draw::PathBox box = VisibleBox();
  // Lines are at least 12 pixels apart (GridStep).
  const int most = std::max(width(), height()) / 12 + 2;
  std::vector<QLineF> lines;
  ForEachGridLine(box.minX, box.maxX, step, most, [&](double x) {
    const double px = ToPixel({x, 0.0}).x();
    if (std::isfinite(px)) lines.emplace_back(px, 0.0, px, height());
  });
  ForEachGridLine(box.minY, box.maxY, step, most, [&](double y) {
    const double py = ToPixel({0.0, y}).y();
    if (std::isfinite(py)) lines.emplace_back(0.0, py, width(), py);
  });
  painter.setPen(QPen(kGrid, 0));
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// The axes through the machine origin, the work area and the zero point.
void PathView::PaintFrame(QPainter& painter) const {
  const QPointF origin = ToPixel({0.0, 0.0});
  painter.setPen(QPen(kAxes, 0));
  painter.drawLine(QLineF(0.0, origin.y(), width(), origin.y()));
  painter.drawLine(QLineF(origin.x(), 0.0, origin.x(), height()));
  painter.setPen(QPen(kWorkArea, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(ToPixel({0.0, workHeight_}), ToPixel({workWidth_, 0.0})));
  const QPointF zero = ToPixel(zeroPoint_);
  painter.setPen(QPen(kZeroPoint, 2));
  painter.drawEllipse(zero, 5.0, 5.0);
  painter.drawLine(zero - QPointF(9.0, 0.0), zero + QPointF(9.0, 0.0));
  painter.drawLine(zero - QPointF(0.0, 9.0), zero + QPointF(0.0, 9.0));
}

// The rapid or the feed figures shown; those highlighted go to lit.
void PathView::DrawFigures(LineCanvas& lines, bool rapid, std::vector<QLineF>& lit) const {
  const draw::PathBox visible = VisibleBox();
  const bool byDepth = depthColours_ && !sent_;
  const auto draw = [&lines](QPointF a, QPointF b, double) { lines.DrawLine(a, b); };
  const auto keep = [&lit](QPointF a, QPointF b, double) { lit.emplace_back(a, b); };
  for (const Figure& f : figures_) {
    if (f.position > shownCount_) break;
    if (f.rapid != rapid || Outside(f.box, visible)) continue;
    const auto at = static_cast<std::size_t>(f.position);
    if (at < isHighlighted_.size() && isHighlighted_[at] != 0) {
      EmitFigure(*this, f.segment, 1, keep);
    } else if (byDepth) {
      DrawInDepthColours(lines, f);
    } else {
      EmitFigure(*this, f.segment, 1, draw);
    }
  }
}

// Each part of the figure in the colour of the Z at its middle: a move
// that changes Z shades from its start's depth to its end's.
void PathView::DrawInDepthColours(LineCanvas& lines, const Figure& f) const {
  const double top = depths_ ? depths_->top : 0.0, span = depths_ ? depths_->top - depths_->bottom : 0.0;
  const auto shareOf = [&](double z) { return span > 0.0 ? (top - z) / span : 0.0; };
  int pieces = 1;
  if (f.startZ != f.endZ && f.segment.shape == draw::SegmentShape::kLine) {
    // Ends far out are infinite pixels: their distance may be no number.
    const double wanted =
        std::ceil(QLineF(ToPixel(f.segment.start), ToPixel(f.segment.end)).length() / kDepthPiecePixels);
    if (wanted > 1.0) pieces = static_cast<int>(std::min(wanted, double{kMaxDepthPieces}));
  }
  EmitFigure(*this, f.segment, pieces, [&](QPointF a, QPointF b, double along) {
    lines.SetColour(DepthColour(shareOf(f.startZ + (f.endZ - f.startZ) * along)));
    lines.DrawLine(a, b);
  });
}

void PathView::PaintContour(LineCanvas& lines) const {
  if (sent_ || contour_.empty()) return;
  lines.SetColour(kContour.rgb());
  const draw::PathBox visible = VisibleBox();
  for (const Figure& f : contour_) {
    if (Outside(f.box, visible)) continue;
    lines.SetDash(f.rapid ? 5 : 0, f.rapid ? 4 : 0);
    EmitFigure(*this, f.segment, 1, [&lines](QPointF a, QPointF b, double) { lines.DrawLine(a, b); });
  }
}

// Rapid moves first, so that the feed moves lie over them; the contour
// over both.
void PathView::PaintPath(QImage& canvas) const {
  LineCanvas lines(canvas);
  std::vector<QLineF> lit;
  lines.SetColour((sent_ ? kSent : kRapid).rgb());
  lines.SetDash(5, 4);
  DrawFigures(lines, true, lit);
  lines.SetColour((sent_ ? kSent : kFeed).rgb());
  lines.SetDash(0, 0);
  DrawFigures(lines, false, lit);
  PaintContour(lines);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kHighlight, 3.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawLines(lit.data(), static_cast<int>(lit.size()));
}

}  // namespace ui
