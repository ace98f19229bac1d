// The main window's two data dialogs: the tool table and the zero points.
// Both edit the workstation's tables in place; after either one a program
// must be drawn again before it can be sent.
#include <QPushButton>

#include "main_window.h"
#include "ui/modal_host.h"
#include "ui/tool_dialog.h"
#include "ui/zero_point_dialog.h"

namespace app {

void MainWindow::CreateDialogs() {
  const data::DataFileLocation files{ws_.dataDirectory, ws_.settings.controllerType, ws_.dialogs};
  werkzeug = new ui::Twerkzeug(ws_.tools, files, this);
  Form4 = new ui::TForm4(ws_.zeroPointRecord, files, this);
}

void MainWindow::WerkzeugtasteClick() {
  werkzeug->FormShow();
  host_.Exec(*werkzeug);
  // The file holds: unsaved edits are dropped (a missing file keeps them).
  data::ReadToolTable(ws_.tools, ws_.dataDirectory, ws_.settings.controllerType, ws_.dialogs);
  senden->setEnabled(false);
}

void MainWindow::nullpunktClick() {
  Form4->FormActivate();
  host_.Exec(*Form4);
  // Saved or not, the edited values reach the interpreter's table.
  data::CopyZeroPoints(ws_.zeroPointRecord, ws_.zeroPointTable);
  senden->setEnabled(false);
}

}  // namespace app
