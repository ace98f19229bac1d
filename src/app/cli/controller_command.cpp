// controller: a simulated controller for tests and demonstrations, on a
// pseudo-terminal of its own or on a terminal device. It sends the start
// byte, checks and answers each frame, reports it on stderr, and writes
// the received program text to a file made ready before it starts.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string_view>
#include <thread>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "data/output_file.h"
#include "cli/pseudo_terminal.h"
#include "cli/simulated_controller.h"
#include "cli/terminal_settings.h"
#include "data/text.h"

namespace cli {
namespace {

constexpr std::uint8_t kStartByte = 6;

// The controller's end of the line: a pseudo-terminal's master in packet
// mode, or a terminal device.
struct Link {
  int fd = -1;
  bool packet = false;
};

struct LinkEvent {
  std::vector<std::uint8_t> data;
  bool inputFlushed = false;  // the sender discarded its input (packet mode)
  bool closed = false;        // the other side has gone
};

// Sleeps in poll() until the link has something, then reads it.
LinkEvent NextEvent(const Link& link) {
  pollfd p{link.fd, POLLIN, 0};
  while (::poll(&p, 1, -1) < 0) {
    if (errno != EINTR) return {{}, false, true};
  }
  std::uint8_t bytes[4097];
  const ssize_t n = ::read(link.fd, bytes, sizeof bytes);
  if (n > 0) {
    if (!link.packet) return {{bytes, bytes + n}, false, false};
    MasterPacket packet = SplitPacket(bytes, static_cast<std::size_t>(n));
    return {std::move(packet.data), packet.inputFlushed, false};
  }
  const bool nothingYet = n < 0 && (errno == EAGAIN || errno == EINTR);
  return {{}, false, !nothingYet || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0};
}

bool WriteByte(const Link& link, std::uint8_t byte) {
  for (;;) {
    const ssize_t n = ::write(link.fd, &byte, 1);
    if (n == 1) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd p{link.fd, POLLOUT, 0};
    if (::poll(&p, 1, -1) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
  }
}

bool SendAnswer(const Link& link, const ReplyAnswer& answer) {
  for (const ReplyStep& step : answer) {
    if (step.pauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs));
    if (!WriteByte(link, step.byte)) return false;
  }
  return true;
}

class ControllerSession {
 public:
  ControllerSession(Link link, PseudoTerminal* pty, SimulatedController controller, std::ostream& err)
      : link_(link), pty_(pty), controller_(std::move(controller)), err_(err) {}

  // Serves the sender until the transfer has ended (the last frame
  // accepted, or an answer that stops it) or the other side went. Once it
  // has ended nothing more is answered: on a pseudo-terminal it waits for
  // the sender to let go of it, on a device (where nobody reports the
  // sender's closing) it is done once the last answer is out. True when
  // the last frame was accepted.
  bool Serve() {
    if (pty_ == nullptr && !Start()) return Lost();
    for (;;) {
      if (controller_.ended() && pty_ == nullptr) {
        ::tcdrain(link_.fd);
        return controller_.finished();
      }
      const LinkEvent event = NextEvent(link_);
      if (event.inputFlushed && !started_ && !Start()) return Lost();
      if (!controller_.ended() && !Answer(event.data)) return Lost();
      if (event.closed) return controller_.finished() || (!controller_.stopped() && Lost());
    }
  }

  const std::vector<std::uint8_t>& program() const { return controller_.program(); }

 private:
  // The start byte goes out once the sender waits for it: after it has
  // discarded its input, which would otherwise swallow the byte.
  bool Start() {
    started_ = true;
    if (pty_ != nullptr) pty_->ReleaseSlave();
    err_ << "Startzeichen " << int{kStartByte} << " gesendet\n";
    return WriteByte(link_, kStartByte);
  }

  bool Lost() {
    err_ << "Gegenstelle hat die Verbindung vor dem letzten Rahmen geschlossen\n";
    return false;
  }

  bool Answer(const std::vector<std::uint8_t>& bytes) {
    for (const FrameAnswer& frame : controller_.Received(bytes)) {
      err_ << DescribeFrame(frame) << '\n';
      if (!SendAnswer(link_, frame.reply)) return false;
      if (!frame.stopText.empty()) {
        err_ << "Der Sender bricht ab: " << data::Cp1252ToUtf8(frame.stopText) << '\n';
      }
    }
    return true;
  }

  Link link_;
  PseudoTerminal* pty_;
  SimulatedController controller_;
  std::ostream& err_;
  bool started_ = false;
};

bool WriteProgram(data::OutputFile& file, const std::vector<std::uint8_t>& program, std::string& error) {
  return file.Commit(std::string_view(reinterpret_cast<const char*>(program.data()), program.size()), error);
}

}  // namespace

int RunController(CommandContext& c) {
  if (!c.args.arguments.empty() || c.args.pty == !c.args.port.empty()) return UsageError(c);
  std::string error;
  std::optional<ReplyScript> script = ReplyScript::Parse(c.args.reply, error);
  // The replies are judged with the characters the sender reads them with.
  const transfer::ReplyCharacters characters{.memoryFull = c.ws.settings().port.xOffChar,
                                             .release = c.ws.settings().port.xOnChar};
  if (script) error = CheckScript(*script, characters);
  if (!script || !error.empty()) {
    c.err << "rur-cli: " << error << "\n";
    return kExitUsage;
  }
  // Before anything is served: a transfer must not run into an output
  // that cannot take it.
  data::OutputFile out;
  if (!c.args.out.empty() && !out.Open(c.args.out, error)) {
    c.err << "rur-cli: cannot write " << c.args.out << ": " << error << "\n";
    return kExitFailed;
  }
  PseudoTerminal pty;
  Link link;
  if (c.args.pty) {
    if (!pty.Open(error)) {
      c.err << "rur-cli: " << error << "\n";
      return kExitFailed;
    }
    c.out << pty.slavePath() << std::endl;  // the sender needs it now
    // Nobody can connect without it; the output check at the end says why.
    if (!c.out) return kExitFailed;
    link = {pty.master(), true};
  } else {
    link = {OpenTerminal(c.args.port, c.ws.settings().port), false};
    if (link.fd < 0) {
      c.err << "rur-cli: cannot open " << c.args.port << " as a terminal\n";
      return kExitFailed;
    }
  }
  ControllerSession session(link, c.args.pty ? &pty : nullptr, SimulatedController(std::move(*script), characters),
                            c.err);
  const bool finished = session.Serve();
  if (!c.args.pty) ::close(link.fd);
  if (!c.args.out.empty() && !WriteProgram(out, session.program(), error)) {
    c.err << "rur-cli: cannot write " << c.args.out << ": " << error << "\n";
    return kExitFailed;
  }
  return finished ? kExitOk : kExitFailed;
}

}  // namespace cli
