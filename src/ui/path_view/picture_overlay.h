// Marks over the work-area picture that are not part of its pixels: the
// work area's frame and the box of the path, painted on a layer of their
// own so that the picture (and what is saved of it) stays as drawn.
#pragma once

#include <QImage>
#include <QLabel>
#include <QRgb>
#include <QWidget>
#include <optional>

#include "draw/picture/surface.h"

namespace ui {

inline constexpr QRgb kWorkAreaFrameColour = qRgb(0, 170, 0);  // solid
inline constexpr QRgb kPathBoxColour = qRgb(170, 170, 210);    // dashed

class PictureOverlay : public QWidget {
  Q_OBJECT
 public:
  // Lies over `picture` (a label showing its pixmap at its top left),
  // follows its size and lets every mouse event through to it.
  explicit PictureOverlay(QLabel* picture);

  // Marks the frame and the box (either may be none) on the pixels of
  // `shown` (the label's picture) that have the background colour, so that
  // a path drawn along an edge stays in sight over its mark.
  void ShowMarks(const QImage& shown, QRgb background, std::optional<draw::PixelFrame> frame,
                 std::optional<draw::PixelFrame> box);
  void Clear();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage marks_;  // transparent but for the marks; the picture's size
};

}  // namespace ui
