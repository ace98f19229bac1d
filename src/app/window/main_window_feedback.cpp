// What the main window says and clears around its commands: nothing of a
// program, drawing or transfer before stays beside the work of now; the
// picture is up to date when a message of the drawing shows; the editor
// goes to the line a message names; a refused close says why.
#include <QLabel>
#include <QImage>
#include <QPixmap>
#include <QProgressBar>

#include "main_window.h"
#include "ui/platform/qt_text.h"
#include "window/path_link.h"

namespace app {
namespace {

const char kStatusAtStart[] = "Meldung";  // what the status line shows before any command
const char kNoCloseWhileSending[] = "Schlie\xDF" "en nicht m\xF6glich, solange die \xDC" "bertragung l\xE4uft (\"Abbruch\" beendet sie).";
const char kNoCloseWhileDrawing[] = "Schlie\xDF" "en nicht m\xF6glich, solange gezeichnet wird (\"Abbruch\" beendet es).";
// Right after the start picture closing is held until the window is next
// activated; the end picture always leads out.
const char kNoCloseWhileHeld[] = "Schlie\xDF" "en jetzt nicht m\xF6glich: erst mit dem Endebild die Arbeit beenden.";

}  // namespace

// The status text, the work-area hint, the progress and the figures of a
// transfer go, so that nothing of the work before is taken for this one.
void MainWindow::ClearFeedback() {
  ClearStatus();
  workAreaHint_.clear();
  progressBar_->setValue(0);
  transferFigures_->clear();
}

void MainWindow::ClearStatus() {
  statusLine_->setText(QString::fromLatin1(kStatusAtStart));
  statusLine_->setToolTip(QString());
}

// The picture and the view of the program before go.
void MainWindow::ClearPicture() {
  ws_.ClearPicture();
  pictureContent_ = PictureContent::kBlank;
  ShowPicture();
}

void MainWindow::ShowRaster() {
  const draw::Raster& raster = ws_.raster();
  const QImage image(raster.pixels().data(), raster.width(), raster.height(), raster.width() * 3,
                     QImage::Format_RGB888);
  picture_->setPixmap(QPixmap::fromImage(image));  // fromImage copies the pixels
}

// The line the command's message named: the editor's cursor goes there
// when the main program in the editor made it; the status line names the
// program and line in any case.
void MainWindow::FollowMessage() {
  const std::optional<rur::ListingPlace>& place = ws_.messagePlace();
  if (!place) {
    // A message that names no line does not stand beside one named before.
    if (!placeShown_.isEmpty() && statusLine_->text() == placeShown_) ClearStatus();
    return;
  }
  placeShown_ = link_->ShowPlace(*place);
  statusLine_->setText(placeShown_);
  statusLine_->setToolTip(placeShown_);
}

// Said in the status line: a modal box would run inside the command's own
// event processing.
void MainWindow::SayWhyNotClosing() {
  const char* why = state_ == CommandState::kSending ? kNoCloseWhileSending
                    : state_ == CommandState::kDrawing ? kNoCloseWhileDrawing
                                                       : kNoCloseWhileHeld;
  statusLine_->setText(ui::ToQt(why));
  statusLine_->setToolTip(statusLine_->text());
}

}  // namespace app
