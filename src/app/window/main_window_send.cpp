// The send command and the error search of the main window. The transfer
// itself is the workstation's: the window holds the commands still while
// it runs, shows its status texts and progress, and lends it the serial
// port.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

#include "main_window.h"
#include "transfer/transfer_run.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/platform/modal_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"
#include "workstation/error_search.h"
#include "workstation/send_command.h"

namespace app {
namespace {

// The status line and the progress meter; the picture follows the
// progress, so the sent path grows in red as the frames go out.
class WindowTransferView : public rur::SendCommandView {
 public:
  WindowTransferView(MainWindow& w, std::function<void()> showPicture, std::function<void()> starting)
      : w_(w), showPicture_(std::move(showPicture)), starting_(std::move(starting)) {}

  void TransferStarting() override { starting_(); }

  void Status(std::string_view text) override { w_.ShowStatus(ui::ToQt(text)); }

  void Progress(int percent) override {
    if (percent == w_.OvcMeter1->value()) return;
    w_.OvcMeter1->setValue(percent);
    showPicture_();
  }

 private:
  MainWindow& w_;
  std::function<void()> showPicture_;
  std::function<void()> starting_;
};

}  // namespace

void MainWindow::ShowStatus(const QString& text) {
  meldung->setText(text);
  emit statusShown(text);
}

void MainWindow::sendenClick() {
  commandRunning_ = true;
  SetEnabled({Image2, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, senden, simuliere}, false);
  SetEnabled({abbruch, showeditor}, true);
  // The modified mark stays: the program sent is not the file saved, and
  // clearing the mark would let unsaved edits go without the save question.
  WindowTransferView view(*this, [this] { ShowPicture(); },
                          [this] {
                            pictureContent_ = PictureContent::kSentPath;
                            ShowPicture();
                          });
  rur::RunSendCommand(ws_, *ApdComPort1, view);
  TransferEnded();
}

void MainWindow::TransferEnded() {
  commandRunning_ = false;
  SetEnabled({fehlersuche, Image2, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, simuliere,
              CheckBox1},
             true);
  // A new drawing is needed before the next transfer.
  senden->setEnabled(false);
  OvcMeter1->setValue(OvcMeter1->maximum());
  ShowPicture();
}

void MainWindow::fehlersucheClick() {
  Eingeben->FormShow();
  if (host_.Exec(*Eingeben) != QDialog::Accepted) return;
  // OK on an empty field searches nothing.
  const std::optional<int> n = Eingeben->Number();
  if (n) rur::FindBlockLine(ws_, *n);
}

}  // namespace app
