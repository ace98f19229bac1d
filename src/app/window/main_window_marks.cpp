// The marks over the work-area picture: the frame of the work area and the
// box of the path shown (the drawing's, or the sent path's), none over a
// blank picture. The picture's own pixels stay as drawn.
#include <QLabel>

#include "draw/path/extent.h"
#include "main_window.h"
#include "ui/path_view/picture_overlay.h"

namespace app {
namespace {

std::optional<draw::PixelFrame> PathBoxOn(const draw::Raster& raster, const data::Settings& settings,
                                          const draw::PathExtent& extent) {
  if (extent.drawn == 0) return std::nullopt;
  const draw::PathBox& b = extent.box;
  return draw::FrameOnPicture(raster, settings.workAreaX, settings.workAreaY, b.minX, b.minY, b.maxX, b.maxY);
}

}  // namespace

void MainWindow::ShowPictureMarks() {
  if (pictureMarks_ == nullptr) pictureMarks_ = new ui::PictureOverlay(picture_);
  if (pictureContent_ != PictureContent::kSentPath) sentPathBox_.reset();
  if (pictureContent_ == PictureContent::kBlank) {
    pictureMarks_->Clear();
    return;
  }
  const draw::Raster& raster = ws_.raster();
  const data::Settings& settings = ws_.settings();
  std::optional<draw::PixelFrame> box;
  if (pictureContent_ == PictureContent::kDrawing) {
    box = PathBoxOn(raster, settings, drawingExtent_);
  } else {
    // The sent store stays as it is while the picture follows the transfer.
    if (!sentPathBox_) {
      sentPathBox_ = PathBoxOn(raster, settings,
                               draw::MeasurePathExtent(ws_.sentStore(), static_cast<double>(settings.workAreaX),
                                                       static_cast<double>(settings.workAreaY)));
    }
    box = sentPathBox_;
  }
  const QImage shown(raster.pixels().data(), raster.width(), raster.height(), raster.width() * 3,
                     QImage::Format_RGB888);
  pictureMarks_->ShowMarks(shown, qRgb(draw::kNavy.r, draw::kNavy.g, draw::kNavy.b),
                           draw::FrameOnPicture(raster, settings.workAreaX, settings.workAreaY, 0.0L, 0.0L,
                                                settings.workAreaX, settings.workAreaY),
                           box);
}

}  // namespace app
