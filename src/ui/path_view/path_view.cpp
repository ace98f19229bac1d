#include "ui/path_view/path_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "geometry/compensation.h"

namespace ui {
namespace {

constexpr double kMarginShare = 0.05;  // of the fitted view on each side
constexpr double kMinScale = 1e-3, kMaxScale = 1e4;  // pixels per mm
constexpr double kClickPixels = 4.0;   // how near a click must be to a figure
constexpr double kDragPixels = 3.0;    // a press moved further drags
constexpr double kWheelStep = 1.25;    // zoom of one wheel notch

}  // namespace

PathView::PathView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Fit();
}

void PathView::SetPath(const data::BlockStore* store, bool sent) {
  store_ = store;
  sent_ = sent;
  shownCount_ = store != nullptr ? store->count() : 0;
  CollectFigures();
  SetHighlighted({});
  if (fitted_) Fit();
  update();
}

void PathView::SetShownCount(std::int32_t count) {
  shownCount_ = count;
  update();
}

void PathView::SetDepthColours(bool on) {
  depthColours_ = on;
  update();
}

void PathView::SetContour(const data::BlockStore* contour) {
  contourStore_ = contour;
  contour_ = contour != nullptr ? FiguresOf(*contour, true) : std::vector<Figure>{};
  update();
}

void PathView::SetWorkArea(double width, double height) {
  workWidth_ = width;
  workHeight_ = height;
  if (fitted_) Fit();
  update();
}

void PathView::SetZeroPoint(double x, double y) {
  zeroPoint_ = {x, y};
  update();
}

void PathView::SetHighlighted(std::vector<std::int32_t> positions) {
  highlighted_ = std::move(positions);
  isHighlighted_.assign(store_ != nullptr ? static_cast<std::size_t>(store_->count()) + 1 : 0, 0);
  for (std::int32_t p : highlighted_) {
    if (p > 0 && static_cast<std::size_t>(p) < isHighlighted_.size()) isHighlighted_[static_cast<std::size_t>(p)] = 1;
  }
  update();
}

// Every block's figure, rapid moves included, with its box; a block starts
// at the Z that the block before it ended at (the first at its own).
std::vector<PathView::Figure> PathView::FiguresOf(const data::BlockStore& store, bool compensatedOnly) {
  std::vector<Figure> figures;
  figures.reserve(compensatedOnly ? 0 : static_cast<std::size_t>(store.count()));
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    const data::BlockRecord& record = store.At(position);
    if (compensatedOnly && record.compensation != geometry::kCompensationLeft &&
        record.compensation != geometry::kCompensationRight) {
      continue;
    }
    const auto segment = draw::SegmentOf(record, {.includeRapids = true});
    if (!segment) continue;
    const double endZ = draw::NarrowToDouble(record.endZ);
    const double startZ = position > 1 ? draw::NarrowToDouble(store.At(position - 1).endZ) : endZ;
    figures.push_back({*segment, draw::BoundsOf(*segment), position, record.motion == data::kRapid, startZ, endZ});
  }
  return figures;
}

void PathView::CollectFigures() {
  figures_ = store_ != nullptr ? FiguresOf(*store_, false) : std::vector<Figure>{};
  depths_.reset();
  drawnBox_.reset();
  for (const Figure& f : figures_) {
    if (std::isfinite(f.endZ)) {
      if (!depths_) depths_ = draw::DepthRange{f.endZ, f.endZ};
      depths_->top = std::max(depths_->top, f.endZ);
      depths_->bottom = std::min(depths_->bottom, f.endZ);
    }
    if (!f.rapid) drawnBox_ = drawnBox_ ? draw::Union(*drawnBox_, f.box) : f.box;
  }
}

void PathView::Fit() {
  draw::PathBox box{0.0, 0.0, workWidth_, workHeight_};
  if (!figures_.empty()) {
    box = figures_.front().box;
    for (const Figure& f : figures_) box = draw::Union(box, f.box);
  }
  // A path without extent (one point, one axis-parallel line) gets 10 mm.
  const double spanX = std::max(box.maxX - box.minX, 10.0), spanY = std::max(box.maxY - box.minY, 10.0);
  const double usableW = width() * (1.0 - 2.0 * kMarginShare), usableH = height() * (1.0 - 2.0 * kMarginShare);
  const double scale = std::clamp(std::min(usableW / spanX, usableH / spanY), kMinScale, kMaxScale);
  const double midX = (box.minX + box.maxX) / 2.0, midY = (box.minY + box.maxY) / 2.0;
  SetTransform({scale, width() / 2.0 - midX * scale, height() / 2.0 + midY * scale});
  fitted_ = true;
}

void PathView::ZoomAbout(QPointF pixel, double factor) {
  const draw::PathPoint fixed = ToMachine(pixel);
  const double scale = std::clamp(transform_.scale * factor, kMinScale, kMaxScale);
  SetTransform({scale, pixel.x() - fixed.x * scale, pixel.y() + fixed.y * scale});
  fitted_ = false;
}

void PathView::SetTransform(const ViewTransform& transform) {
  transform_ = transform;
  update();
}

QPointF PathView::ToPixel(draw::PathPoint p) const {
  return {transform_.originX + p.x * transform_.scale, transform_.originY - p.y * transform_.scale};
}

draw::PathPoint PathView::ToMachine(QPointF pixel) const {
  return {(pixel.x() - transform_.originX) / transform_.scale, (transform_.originY - pixel.y()) / transform_.scale};
}

double PathView::GridStep() const {
  // 1, 2, 5 times a power of ten, at least 1 mm, lines at least 12 pixels apart.
  constexpr double kMinPixels = 12.0;
  double decade = 1.0;
  for (;;) {
    for (double m : {1.0, 2.0, 5.0}) {
      if (m * decade * transform_.scale >= kMinPixels) return m * decade;
    }
    decade *= 10.0;
  }
}

void PathView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Render(painter);
}

void PathView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fitted_) Fit();
}

void PathView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches != 0.0) ZoomAbout(event->position(), std::pow(kWheelStep, notches));
  event->accept();
}

void PathView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressAt_ = lastAt_ = event->position();
  pressed_ = true;
  dragging_ = false;
}

void PathView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  const draw::PathPoint p = ToMachine(at);
  emit cursorAt(p.x, p.y);
  // A press elsewhere (in another window) neither drags nor clicks here.
  if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return;
  if (!dragging_ && QLineF(pressAt_, at).length() > kDragPixels) dragging_ = true;
  if (!dragging_) return;
  SetTransform({transform_.scale, transform_.originX + at.x() - lastAt_.x(), transform_.originY + at.y() - lastAt_.y()});
  fitted_ = false;
  lastAt_ = at;
}

void PathView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  if (!dragging_) {
    const draw::PathPoint p = ToMachine(event->position());
    emit clickedAt(p.x, p.y, kClickPixels / transform_.scale);
  }
  pressed_ = dragging_ = false;
}

}  // namespace ui
