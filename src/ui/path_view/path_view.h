// The path view's drawing surface: the blocks of a store drawn as vectors
// (lines, true arcs, rapid moves dashed), coloured by their Z on request,
// with the compensated contour over them, the work area, axes, an adaptive
// millimetre grid and the zero point in use; zoomed with the wheel about
// the cursor, panned by dragging, fitted to the path on request.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/block_record.h"
#include "draw/path/extent.h"
#include "draw/path/geometry.h"

class QPainter;

namespace ui {

class LineCanvas;

// The colour of a Z on the depth scale: `share` 0 is the highest Z of the
// path (yellow, the drawing's colour), 1 the lowest (magenta); outside
// 0..1 (or not a number) the nearer end.
QRgb DepthColour(double share);
inline constexpr QRgb kContourColour = qRgb(0, 255, 140);

// Machine millimetres to pixels: pixel = origin + (x, -y) * scale.
struct ViewTransform {
  double scale = 1.0;  // pixels per mm
  double originX = 0.0, originY = 0.0;
  bool operator==(const ViewTransform&) const = default;
};

class PathView : public QWidget {
  Q_OBJECT
 public:
  explicit PathView(QWidget* parent = nullptr);

  // Shows blocks 1 .. store.count() of the store (kept by pointer: it must
  // stay alive while shown; nullptr shows none); `sent` draws them in the
  // colour of the sent path.
  void SetPath(const data::BlockStore* store, bool sent);
  // Shows only blocks 1 .. count (a transfer's progress).
  void SetShownCount(std::int32_t count);
  // Colours every move of the path (rapid moves too, still dashed) by its
  // Z on DepthColour's scale, from the highest Z of the path to the lowest;
  // the sent path keeps its colour.
  void SetDepthColours(bool on);
  // The Z range of the path shown: the end Z of every figure, rapid moves
  // included, a move in Z alone as its point (none without a move).
  const std::optional<draw::DepthRange>& Depths() const { return depths_; }
  // The box of the figures the picture draws (rapid moves left out; none
  // without one).
  const std::optional<draw::PathBox>& DrawnBox() const { return drawnBox_; }
  // Draws the compensated blocks of `contour` (kept by pointer like the
  // path; nullptr: none) over the path in a colour of their own.
  void SetContour(const data::BlockStore* contour);
  void SetWorkArea(double width, double height);
  void SetZeroPoint(double x, double y);
  // Store positions drawn highlighted.
  void SetHighlighted(std::vector<std::int32_t> positions);
  const std::vector<std::int32_t>& Highlighted() const { return highlighted_; }

  // "Einpassen": the whole path (the work area when there is none) fills
  // the view with a small margin; it stays fitted on resizing until the
  // operator zooms or pans.
  void Fit();
  void ZoomAbout(QPointF pixel, double factor);
  const ViewTransform& Transform() const { return transform_; }
  QPointF ToPixel(draw::PathPoint p) const;
  draw::PathPoint ToMachine(QPointF pixel) const;
  // Spacing of the grid lines in mm at the present zoom.
  double GridStep() const;

  // Paints the whole view into painter (the widget's size).
  void Render(QPainter& painter) const;

 signals:
  // A click (press and release without dragging) at a machine point, with
  // the distance in mm that a few pixels make.
  void clickedAt(double x, double y, double tolerance);
  void cursorAt(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Figure {
    draw::PathSegment segment;
    draw::PathBox box;
    std::int32_t position = 0;
    bool rapid = false;
    double startZ = 0.0, endZ = 0.0;
  };

  static std::vector<Figure> FiguresOf(const data::BlockStore& store, bool compensatedOnly);
  void CollectFigures();
  draw::PathBox VisibleBox() const;
  void DrawFigures(LineCanvas& lines, bool rapid, std::vector<QLineF>& lit) const;
  void PaintGrid(QPainter& painter) const;
  void PaintFrame(QPainter& painter) const;
  void PaintPath(QImage& canvas) const;
  void DrawInDepthColours(LineCanvas& lines, const Figure& figure) const;
  void PaintContour(LineCanvas& lines) const;
  void SetTransform(const ViewTransform& transform);

  const data::BlockStore* store_ = nullptr;
  bool sent_ = false;
  std::int32_t shownCount_ = 0;
  std::vector<Figure> figures_;  // in store order
  std::vector<Figure> contour_;  // the compensated blocks of the contour shown
  const data::BlockStore* contourStore_ = nullptr;
  bool depthColours_ = false;
  std::optional<draw::DepthRange> depths_;
  std::optional<draw::PathBox> drawnBox_;
  std::vector<std::int32_t> highlighted_;
  std::vector<std::uint8_t> isHighlighted_;  // by store position
  double workWidth_ = 400.0, workHeight_ = 300.0;
  draw::PathPoint zeroPoint_;
  ViewTransform transform_;
  bool fitted_ = true;
  bool pressed_ = false;  // the left button went down in the view
  bool dragging_ = false;
  QPointF pressAt_, lastAt_;
  mutable QImage canvas_;  // reused from paint to paint
};

}  // namespace ui
