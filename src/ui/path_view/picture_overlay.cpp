#include "ui/path_view/picture_overlay.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace ui {
namespace {

constexpr int kDashOn = 4, kDashOff = 3;  // pixels of the box's dashes

// One edge from `from` to `to` (inclusive) along x at row y, or along y at
// column x, as far as it lies within the picture.
void MarkEdge(QImage& marks, const QImage& shown, QRgb background, QRgb colour, bool dashed, bool horizontal,
              std::int64_t at, std::int64_t from, std::int64_t to) {
  const std::int64_t across = horizontal ? shown.height() : shown.width();
  const std::int64_t along = horizontal ? shown.width() : shown.height();
  if (at < 0 || at >= across) return;
  for (std::int64_t i = std::max<std::int64_t>(from, 0); i <= std::min(to, along - 1); ++i) {
    if (dashed && (i - from) % (kDashOn + kDashOff) >= kDashOn) continue;
    const int x = static_cast<int>(horizontal ? i : at), y = static_cast<int>(horizontal ? at : i);
    if (shown.pixel(x, y) == background) marks.setPixel(x, y, colour);
  }
}

void MarkFrame(QImage& marks, const QImage& shown, QRgb background, QRgb colour, bool dashed,
               const draw::PixelFrame& f) {
  MarkEdge(marks, shown, background, colour, dashed, true, f.top, f.left, f.right);
  MarkEdge(marks, shown, background, colour, dashed, true, f.bottom, f.left, f.right);
  MarkEdge(marks, shown, background, colour, dashed, false, f.left, f.top, f.bottom);
  MarkEdge(marks, shown, background, colour, dashed, false, f.right, f.top, f.bottom);
}

}  // namespace

PictureOverlay::PictureOverlay(QLabel* picture) : QWidget(picture) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(picture->rect());
  picture->installEventFilter(this);
  show();
}

void PictureOverlay::ShowMarks(const QImage& shown, QRgb background, std::optional<draw::PixelFrame> frame,
                               std::optional<draw::PixelFrame> box) {
  marks_ = QImage(shown.size(), QImage::Format_ARGB32);
  marks_.fill(Qt::transparent);
  // The box first: where the two meet, the frame is seen.
  if (box) MarkFrame(marks_, shown, background, kPathBoxColour, true, *box);
  if (frame) MarkFrame(marks_, shown, background, kWorkAreaFrameColour, false, *frame);
  update();
}

void PictureOverlay::Clear() {
  marks_ = QImage();
  update();
}

bool PictureOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return false;
}

void PictureOverlay::paintEvent(QPaintEvent*) {
  if (marks_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, marks_);
}

}  // namespace ui
