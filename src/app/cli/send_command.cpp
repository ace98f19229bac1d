// send: draw, then the whole send command over a terminal device: the
// radius compensation and the transfer under the controller's handshake.
// SIGINT, SIGTERM and SIGHUP act as the abort command. --trace FILE keeps
// every byte of the line with its time and writes it to FILE at the end.
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "cli/interrupt_pipe.h"
#include "cli/posix_serial_line.h"
#include "data/output_file.h"
#include "data/text.h"
#include "transfer/handshake.h"
#include "transfer/port_rules.h"
#include "transfer/tracing_line.h"
#include "transfer/transfer_run.h"
#include "workstation/draw_command.h"
#include "workstation/send_command.h"
#include "workstation/transfer_log.h"

namespace cli {
namespace {

// Status texts on stdout, one line each as they appear; the progress with
// the block, the time and the time left on stderr, on one line rewritten in
// place, only when that is a terminal. With a log file the entry goes there
// as well.
class ConsoleTransferView : public rur::SendCommandView {
 public:
  ConsoleTransferView(std::ostream& out, std::ostream& err, bool showProgress, const data::PortParameters& port,
                      std::string logFile)
      : out_(out), err_(err), showProgress_(showProgress), port_(port), logFile_(std::move(logFile)) {}

  // False when the log file given could not be written (said on stderr).
  bool logged() const { return logged_; }

  // What the port dialog would warn about, before the port is opened.
  void TransferStarting() override {
    for (const std::string& warning : transfer::PortWarnings(port_)) {
      err_ << "Warnung: " << data::Cp1252ToUtf8(warning) << '\n';
    }
    err_.flush();
  }
  ~ConsoleTransferView() override { EndProgressLine(); }

  // Nobody to ask: the hint is said and the transfer goes on.
  bool SendOutsideWorkArea(data::Dialogs& dialogs, std::string_view hint) override {
    dialogs.Information(hint);
    return true;
  }

  void Status(std::string_view text) override {
    EndProgressLine();
    out_ << data::Cp1252ToUtf8(text) << '\n';
    out_.flush();
  }

  void Progress(int percent) override { percent_ = percent; }

  void Figures(const transfer::TransferRecord& record) override {
    if (!showProgress_) return;
    // The rest of a longer line before is erased.
    err_ << '\r' << data::Cp1252ToUtf8(transfer::FiguresText(record)) << " (" << percent_ << " %)\x1b[K";
    err_.flush();
    progressLine_ = true;
  }

  void TransferLogged(std::string_view entry) override {
    if (logFile_.empty()) return;
    std::string failure;
    if (rur::AppendToFile(logFile_, entry, failure)) return;
    EndProgressLine();
    err_ << "rur-cli: " << failure << '\n';
    err_.flush();
    logged_ = false;
  }

 private:
  void EndProgressLine() {
    if (!progressLine_) return;
    err_ << '\n';
    err_.flush();
    progressLine_ = false;
  }

  std::ostream& out_;
  std::ostream& err_;
  bool showProgress_;
  const data::PortParameters& port_;
  std::string logFile_;
  bool progressLine_ = false;
  bool logged_ = true;
  int percent_ = 0;
};

// The block number of --from: 1 without the option; nothing after a line
// on stderr when it is no whole number from 1 (a number past the program's
// last block is the send command's to refuse).
std::optional<std::int64_t> FromBlock(CommandContext& c) {
  const std::string& text = c.args.from;
  if (text.empty()) return 1;
  constexpr std::size_t kMaxDigits = 18;  // fits std::int64_t
  const bool digits = text.size() <= kMaxDigits && text.find_first_not_of("0123456789") == std::string::npos;
  const std::int64_t n = digits ? std::stoll(text) : 0;
  if (n >= 1) return n;
  c.err << "rur-cli: --from wants a block number from 1, not " << text << "\n";
  return std::nullopt;
}

}  // namespace

int RunSend(CommandContext& c) {
  const std::optional<std::int64_t> from = FromBlock(c);
  if (c.args.arguments.size() != 1 || c.args.port.empty() || !from) {
    return UsageError(c);
  }
  // From here on an interrupt is the abort command instead of the end of
  // the program: the drawing and the wait for the scratch file stop, no
  // port is opened after it, and an open port is always closed.
  InterruptPipe interrupts;
  rur::Workstation& ws = c.ws;
  const auto abortCommand = [&ws] {
    if (ws.phase() == data::RunPhase::kStopping) return;  // said once
    rur::AbortCommand(ws);
  };
  c.pump.Watch([&interrupts, &abortCommand] {
    if (interrupts.Drain()) abortCommand();
  });
  const struct EndWatch {
    CliEventPump& pump;
    ~EndWatch() { pump.Watch({}); }
  } endWatch{c.pump};

  data::ProgramText program;
  if (!LoadProgramArgument(c, program)) return kExitUsage;
  // A trace file that cannot be written is found before anything is sent.
  data::OutputFile traceFile;
  std::string error;
  if (!c.args.trace.empty() && !traceFile.Open(c.args.trace, error)) {
    c.err << "rur-cli: cannot write " << c.args.trace << ": " << error << "\n";
    return kExitFailed;
  }
  c.ws.SetScaledOutput(c.args.scaled);
  ConsoleTransferView view(c.out, c.err, ::isatty(STDERR_FILENO) == 1, c.ws.settings().port, c.args.log);
  rur::DrawCommandView quiet;
  // Only a clean drawing may be sent; a compensation message sends nothing.
  if (!rur::DrawProgram(c.ws, std::move(program), c.args.skip, quiet)) {
    if (ws.phase() == data::RunPhase::kStopping) view.Status(transfer::kStatusAbortedAtPc);
    return kExitFailed;
  }
  PosixSerialLine line(c.args.port, &interrupts, abortCommand);
  transfer::ByteTrace trace;
  transfer::TracingLine tracingLine(line, trace);
  const bool tracing = !c.args.trace.empty();
  const bool accepted =
      rur::RunSendCommand(c.ws, tracing ? static_cast<transfer::SerialLine&>(tracingLine) : line, view, *from) ==
      rur::SendOutcome::kFinished;
  // The trace is written whenever the send command ran, also when nothing
  // went over the line, so that no earlier run's trace is taken for this one.
  if (tracing && !traceFile.Commit(trace.Text(), error)) {
    c.err << "rur-cli: cannot write " << c.args.trace << ": " << error << "\n";
    return kExitFailed;
  }
  // A message while the blocks were converted fails the run as well.
  return accepted && view.logged() && !c.ws.messages().errorFlag() ? kExitOk : kExitFailed;
}

}  // namespace cli
