// The draw command and the abort command of the main window, and the
// picture of the work area: shown afresh after each command and as a
// transfer goes on, followed by the path view, and picked on by a click.
#include <optional>
#include <string>

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QShortcut>

#include "main_window.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"
#include "window/path_link.h"
#include "window/view_window.h"
#include "workstation/draw_command.h"
#include "workstation/send_command.h"
#include "workstation/work_area_hint.h"

namespace app {

void MainWindow::OnDraw() { DrawEditorProgram(); }

bool MainWindow::DrawEditorProgram() {
  std::vector<std::string> lines;
  for (const QString& line : editor_->Lines()) lines.push_back(ui::FromQt(line));
  // A transfer's texts, figures and progress go with the path it sent.
  ClearFeedback();
  SetCommandState(CommandState::kDrawing);
  rur::DrawCommandView view;
  const bool clean = rur::DrawProgram(ws_, lines, blockSkipBox_->isChecked(), view);
  ClearStatus();  // a refused close said why while the run went on
  drawOffered_ = true;
  SetCommandState(clean ? CommandState::kDrawnClean : CommandState::kIdle);
  pictureContent_ = PictureContent::kDrawing;
  drawingExtent_ = rur::MeasureDrawing(ws_);  // once, for the picture's marks and the hint
  ShowPicture();
  ShowWorkAreaHint(clean);
  FollowMessage();
  return clean;
}

// The hint of this drawing, if it leaves the work area (the drawing's
// start took every text before).
void MainWindow::ShowWorkAreaHint(bool clean) {
  const std::optional<std::string> hint = clean ? rur::OutsideWorkAreaHint(drawingExtent_) : std::nullopt;
  workAreaHint_ = hint ? ui::ToQt(*hint) : QString();
  if (workAreaHint_.isEmpty()) return;
  ShowStatus(workAreaHint_);
  statusLine_->setToolTip(workAreaHint_);  // also where the line is held short of its text
}

void MainWindow::OnAbort() {
  serialLine_->Interrupt();  // a transfer waiting on the line sees the stop at once
  // A transfer's bar keeps what the controller confirmed.
  if (state_ != CommandState::kSending) progressBar_->setValue(progressBar_->maximum());
  rur::AbortCommand(ws_);
  // While a drawing or transfer is still winding down, the commands come
  // back when it has ended, not before: none of them may run under it.
  if (commandRunning()) return;
  // The send command stays as it is: only a clean drawing enables it.
  drawOffered_ = true;
  ShowCommands();
}

void MainWindow::ShowPicture() {
  ShowRaster();
  ShowPictureMarks();
  switch (pictureContent_) {
    case PictureContent::kDrawing:
      link_->Rebuild(editor_->Lines());
      emit drawingShown(!ws_.messages().errorFlag());
      break;
    case PictureContent::kSentPath:
      // The sent blocks are not the drawn ones; their lines are the drawing's.
      if (link_->Linked()) link_->ClearPath();
      emit sentPathShown(progressBar_->value());
      break;
    case PictureContent::kBlank:
      link_->Clear();
      emit pictureCleared();
      break;
  }
}

// The double click on the picture and F4 open the view; every picture the
// main window shows is shown there too.
void MainWindow::ConnectViewWindow() {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F4), this);
  connect(shortcut, &QShortcut::activated, this, &MainWindow::OpenView);
  connect(this, &MainWindow::drawingShown, viewWindow_, &ViewWindow::ShowDrawing);
  connect(this, &MainWindow::sentPathShown, viewWindow_, &ViewWindow::ShowSentPath);
  connect(this, &MainWindow::pictureCleared, viewWindow_, &ViewWindow::ShowNothing);
  connect(this, &MainWindow::commandStateChanged, viewWindow_, &ViewWindow::SetCommandState);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != picture_) return QMainWindow::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress) return false;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonDblClick) {
    OpenView();
    return true;
  }
  PickOnPicture(mouse->position().toPoint());
  return false;
}

void MainWindow::PickOnPicture(QPoint pixel) {
  if (commandRunning()) return;
  const auto hit = link_->HitOnPicture(pixel);
  if (hit) statusLine_->setText(link_->Select(*hit));
}

}  // namespace app
