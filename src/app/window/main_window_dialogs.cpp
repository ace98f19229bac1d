// The main window's dialogs: the installation dialog with the serial port,
// the tool table and the zero points. They edit the workstation's settings
// and tables in place; after the tool or zero-point dialog a program must
// be drawn again before it can be sent.
#include <QPushButton>

#include "main_window.h"
#include "ui/component_names.h"
#include "ui/dialogs/installation_dialog.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/platform/modal_host.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/dialogs/tool_dialog.h"
#include "ui/dialogs/zero_point_dialog.h"

namespace app {

void MainWindow::CreateDialogs() {
  const rur::Workstation::DialogParts parts = ws_.PartsForDialogs();
  serialLine_ = ui::Named(new ui::QtSerialLine(this), ui::kMainWindowNames.serialLine);
  const ui::PortAccess port{*serialLine_, parts.port, &traceBytes_, QString::fromLocal8Bit(TraceFile())};
  installationDialog_ = new ui::InstallationDialog(parts.settings, parts.files, port, host_, this);
  connect(installationDialog_, &ui::InstallationDialog::controllerNamed, this, &MainWindow::ShowControllerName);
  toolDialog_ = new ui::ToolDialog(parts.tools, parts.files, this);
  zeroPointDialog_ = new ui::ZeroPointDialog(parts.zeroPoints, parts.files, this);
  lineNumberDialog_ = new ui::LineNumberDialog(this);
  sendFromDialog_ = new ui::LineNumberDialog(this, ui::kSendFromDialogNames, QStringLiteral("Ab Satz senden"),
                                             QStringLiteral("Satz:"));
}

void MainWindow::OnInstallation() { host_.Exec(*installationDialog_); }

void MainWindow::OnTools() {
  toolDialog_->PrepareToShow();
  host_.Exec(*toolDialog_);
  // The file holds: unsaved edits are dropped (a missing file keeps them).
  ws_.ReadTools();
  // A drawing made with other tools is not sent.
  if (state_ == CommandState::kDrawnClean) SetCommandState(CommandState::kIdle);
}

void MainWindow::OnZeroPoints() {
  zeroPointDialog_->PrepareToShow();
  host_.Exec(*zeroPointDialog_);
  // Saved or not, the edited values reach the interpreter's table.
  ws_.AdoptZeroPoints();
  if (state_ == CommandState::kDrawnClean) SetCommandState(CommandState::kIdle);
}

}  // namespace app
