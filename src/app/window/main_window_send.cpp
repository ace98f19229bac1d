// The send command, sending from block N, the error search and the transfer log of the main
// window. The transfer itself is the workstation's: the window holds the
// commands still while it runs, shows its status texts, progress and
// figures, and lends it the serial port, through a byte trace when the port
// dialog chose one.
#include <QLabel>
#include <QProgressBar>
#include <functional>

#include "data/files.h"
#include "data/output_file.h"
#include "main_window.h"
#include "transfer/tracing_line.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/dialogs/transfer_log_window.h"
#include "ui/platform/modal_host.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"
#include "workstation/error_search.h"
#include "workstation/send_command.h"
#include "workstation/send_from.h"
#include "workstation/transfer_log.h"

namespace app {
namespace {

// Hands the transfer's status texts, its progress, its figures (one part
// a line) and its start to the window.
class WindowTransferView : public rur::SendCommandView {
 public:
  WindowTransferView(std::function<void(const QString&)> status, std::function<void(int)> progress,
                     std::function<void()> starting, QLabel& figures)
      : status_(std::move(status)), progress_(std::move(progress)), starting_(std::move(starting)),
        figures_(figures) {}

  void TransferStarting() override { starting_(); }
  void Status(std::string_view text) override { status_(ui::ToQt(text)); }
  void Progress(int percent) override { progress_(percent); }
  void Figures(const transfer::TransferRecord& record) override {
    figures_.setText(ui::ToQt(transfer::FiguresText(record)).replace(QStringLiteral(", "), QStringLiteral("\n")));
  }

 private:
  std::function<void(const QString&)> status_;
  std::function<void(int)> progress_;
  std::function<void()> starting_;
  QLabel& figures_;
};

// Replaces `file` with the trace; a failure is said with the reason.
void WriteTrace(const transfer::ByteTrace& trace, const std::string& file, data::Dialogs& dialogs) {
  std::string error;
  data::OutputFile out;
  if (out.Open(file, error) && out.Commit(trace.Text(), error)) return;
  dialogs.Warning("Der Byte-Mitschnitt " + ui::FromQt(QString::fromLocal8Bit(file)) +
                  " konnte nicht geschrieben werden!\r\n" + error);
}

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
                            transferFigures_->clear();
                            ShowPicture();
                          },
                          *transferFigures_);
  // With the trace on, the line records every byte it moves; the trace is
  // written when the command ends, also when nothing went over the line, so
  // that no earlier transfer's trace is taken for this one.
  transfer::ByteTrace trace;
  transfer::TracingLine tracingLine(*serialLine_, trace);
  rur::RunSendCommand(ws_, traceBytes_ ? static_cast<transfer::SerialLine&>(tracingLine) : *serialLine_, view, from);
  if (traceBytes_) WriteTrace(trace, TraceFile(), ws_.dialogs());
  TransferEnded();
  FollowMessage();  // a block the checks or the compensation refused
}

std::string MainWindow::TraceFile() const { return data::PathForWriting(ws_.dataDirectory(), "QVM_trace.txt"); }

void MainWindow::TransferEnded() {
  // A new drawing is needed before the next transfer. The bar keeps what
  // the controller confirmed.
  drawOffered_ = true;
  SetCommandState(CommandState::kSent);
  ShowPicture();
  if (transferLog_->isVisible()) OnTransferLog();
}

void MainWindow::OnTransferLog() {
  transferLog_->ShowEntries(rur::ReadTransferLog(rur::TransferLogName(ws_.dataDirectory())));
  transferLog_->show();
  transferLog_->raise();
}

void MainWindow::OnErrorSearch() {
  lineNumberDialog_->PrepareToShow();
  if (host_.Exec(*lineNumberDialog_) != QDialog::Accepted) return;
  // OK on an empty field searches nothing.
  const std::optional<int> n = lineNumberDialog_->Number();
  if (!n) return;
  rur::FindBlockLine(ws_, *n);
  FollowMessage();
}

}  // namespace app
