// The send command and the error search of the main window. The transfer
// itself is the workstation's: the window holds the commands still while
// it runs, shows its status texts and progress, and lends it the serial
// port.
#include <QLabel>
#include <QProgressBar>
#include <functional>

#include "main_window.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/platform/modal_host.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"
#include "workstation/error_search.h"
#include "workstation/send_command.h"
#include "workstation/send_from.h"

namespace app {
namespace {

// Hands the transfer's status texts, its progress and its start to the
// window.
class WindowTransferView : public rur::SendCommandView {
 public:
  WindowTransferView(std::function<void(const QString&)> status, std::function<void(int)> progress,
                     std::function<void()> starting)
      : status_(std::move(status)), progress_(std::move(progress)), starting_(std::move(starting)) {}

  void TransferStarting() override { starting_(); }
  void Status(std::string_view text) override { status_(ui::ToQt(text)); }
  void Progress(int percent) override { progress_(percent); }

 private:
  std::function<void(const QString&)> status_;
  std::function<void(int)> progress_;
  std::function<void()> starting_;
};

}  // namespace

void MainWindow::ShowStatus(const QString& text) {
  statusLine_->setText(text);
  emit statusShown(text);
}

void MainWindow::OnSend() { Send(1); }

void MainWindow::OnSendFrom() {
  sendFromDialog_->Offer(rur::FirstUnconfirmedBlock(ws_));
  if (host_.Exec(*sendFromDialog_) != QDialog::Accepted) return;
  // OK on an empty field sends nothing.
  const std::optional<int> n = sendFromDialog_->Number();
  if (n) Send(*n);
}

void MainWindow::Send(std::int64_t from) {
  SetCommandState(CommandState::kSending);
  // The modified mark stays: the program sent is not the file saved, and
  // clearing the mark would let unsaved edits go without the save question.
  // The picture follows the progress, so the sent path grows in red as the
  // frames go out.
  WindowTransferView view([this](const QString& text) { ShowStatus(text); },
                          [this](int percent) {
                            if (percent == progressBar_->value()) return;
                            progressBar_->setValue(percent);
                            ShowPicture();
                          },
                          [this] {
                            pictureContent_ = PictureContent::kSentPath;
                            ShowPicture();
                          });
  rur::RunSendCommand(ws_, *serialLine_, view, from);
  TransferEnded();
}

void MainWindow::TransferEnded() {
  // A new drawing is needed before the next transfer.
  drawOffered_ = true;
  SetCommandState(CommandState::kSent);
  progressBar_->setValue(progressBar_->maximum());
  ShowPicture();
}

void MainWindow::OnErrorSearch() {
  lineNumberDialog_->PrepareToShow();
  if (host_.Exec(*lineNumberDialog_) != QDialog::Accepted) return;
  // OK on an empty field searches nothing.
  const std::optional<int> n = lineNumberDialog_->Number();
  if (n) rur::FindBlockLine(ws_, *n);
}

}  // namespace app
