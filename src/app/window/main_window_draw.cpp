// The draw command and the abort command of the main window, and the
// picture of the work area.
#include <array>
#include <optional>
#include <string>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>

#include "workstation/draw_command.h"
#include "workstation/send_command.h"
#include "workstation/work_area_hint.h"
#include "main_window.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"

namespace app {
namespace {


// Disables the commands that must not run during a drawing run and enables
// them again afterwards. Events are processed now and then while the run
// goes on (so that the abort command works); the editor, new and save, the
// block-skip box and the end picture are therefore also held disabled,
// since they would change what the run is reading.
class WindowDrawView : public rur::DrawCommandView {
 public:
  explicit WindowDrawView(MainWindow& w) : w_(w) {}

  void RunStarting() override {
    for (QWidget* widget : commands()) widget->setEnabled(false);
    for (QWidget* widget : held()) {
      heldStates_.push_back(widget->isEnabled());
      widget->setEnabled(false);
    }
  }

  void RunEnded(bool clean) override {
    std::size_t k = 0;
    for (QWidget* widget : held()) {
      if (k < heldStates_.size()) widget->setEnabled(heldStates_[k++]);
    }
    for (QWidget* widget : commands()) widget->setEnabled(true);
    w_.CheckBox1->setEnabled(true);
    w_.senden->setEnabled(clean);
  }

 private:
  // The commands the draw command disables and enables again.
  std::array<QWidget*, 7> commands() const {
    return {w_.ende, w_.laden, w_.senden, w_.simuliere, w_.nullpunkt, w_.Schnittstelle, w_.Werkzeugtaste};
  }
  std::array<QWidget*, 5> held() const {
    return {w_.neues, w_.speichern, w_.showeditor, w_.CheckBox1, w_.Image2};
  }
  MainWindow& w_;
  std::vector<bool> heldStates_;
};

}  // namespace

void MainWindow::simuliereClick() { DrawEditorProgram(); }

bool MainWindow::DrawEditorProgram() {
  fehlersuche->setEnabled(false);
  std::vector<std::string> lines;
  for (const QString& line : showeditor->Lines()) lines.push_back(ui::FromQt(line));
  WindowDrawView view(*this);
  commandRunning_ = true;
  const bool clean = rur::DrawProgram(ws_, lines, CheckBox1->isChecked(), view);
  commandRunning_ = false;
  pictureContent_ = PictureContent::kDrawing;
  ShowPicture();
  ShowWorkAreaHint(clean);
  return clean;
}

// The hint of the drawing before goes; the status line's other texts stay.
void MainWindow::ShowWorkAreaHint(bool clean) {
  if (!workAreaHint_.isEmpty() && meldung->text() == workAreaHint_) {
    meldung->clear();
    meldung->setToolTip(QString());
  }
  const std::optional<std::string> hint = clean ? rur::OutsideWorkAreaHint(ws_) : std::nullopt;
  workAreaHint_ = hint ? ui::ToQt(*hint) : QString();
  if (workAreaHint_.isEmpty()) return;
  ShowStatus(workAreaHint_);
  meldung->setToolTip(workAreaHint_);  // the line may be cut at the panel's edge
}

void MainWindow::AbbruchClick() {
  ApdComPort1->Interrupt();  // a transfer waiting on the line sees the stop at once
  OvcMeter1->setValue(OvcMeter1->maximum());
  rur::AbortCommand(ws_);
  // While a drawing or transfer is still winding down, the commands come
  // back when it has ended, not before: none of them may run under it.
  if (commandRunning_) return;
  // The send command is not enabled here: only a clean drawing enables it.
  SetEnabled({Image2, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, abbruch, showeditor,
              simuliere},
             true);
}

void MainWindow::ShowPicture() {
  const draw::Raster& raster = ws_.raster();
  const QImage image(raster.pixels().data(), raster.width(), raster.height(), raster.width() * 3,
                     QImage::Format_RGB888);
  Image0->setPixmap(QPixmap::fromImage(image));  // fromImage copies the pixels
  emit pictureShown();
}

}  // namespace app
