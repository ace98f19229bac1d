// The main window's dialogs: the installation dialog with the serial port,
// the tool table and the zero points. They edit the workstation's settings
// and tables in place; after the tool or zero-point dialog a program must
// be drawn again before it can be sent.
#include <QPushButton>

#include "main_window.h"
#include "ui/dialogs/installation_dialog.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/platform/modal_host.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/dialogs/tool_dialog.h"
#include "ui/dialogs/zero_point_dialog.h"

namespace app {

void MainWindow::CreateDialogs() {
  const rur::Workstation::DialogParts parts = ws_.PartsForDialogs();
  ApdComPort1 = new ui::QtSerialLine(this);
  Form2 = new ui::TForm2(parts.settings, parts.files, {*ApdComPort1, parts.port}, host_, this);
  connect(Form2, &ui::TForm2::controllerNamed, this, &QWidget::setWindowTitle);
  werkzeug = new ui::Twerkzeug(parts.tools, parts.files, this);
  Form4 = new ui::TForm4(parts.zeroPoints, parts.files, this);
  Eingeben = new ui::LineNumberDialog(this);
}

void MainWindow::SchnittstelleClick() { host_.Exec(*Form2); }

void MainWindow::WerkzeugtasteClick() {
  werkzeug->FormShow();
  host_.Exec(*werkzeug);
  // The file holds: unsaved edits are dropped (a missing file keeps them).
  ws_.ReadTools();
  senden->setEnabled(false);
}

void MainWindow::nullpunktClick() {
  Form4->FormActivate();
  host_.Exec(*Form4);
  // Saved or not, the edited values reach the interpreter's table.
  ws_.AdoptZeroPoints();
  senden->setEnabled(false);
}

}  // namespace app
