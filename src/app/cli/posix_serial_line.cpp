#include "cli/posix_serial_line.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "cli/terminal_settings.h"
#include "transfer/port_device.h"
#include "transfer/port_rules.h"

namespace cli {
namespace {

constexpr char kHungUp[] = "Gegenstelle getrennt";
constexpr char kLineError[] = "Leitungsfehler";
constexpr char kReadError[] = "Lesefehler";
constexpr char kWriteError[] = "Schreibfehler";

// EIO is what a terminal answers once its other side has gone (a pulled
// USB adapter, a pseudo-terminal's master closed).
bool MeansHangUp(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

}  // namespace

std::string LineFailureText(const std::string& device, const std::string& reason) {
  return "Verbindung zu " + device + " unterbrochen: " + reason;
}

PosixSerialLine::PosixSerialLine(std::string device, InterruptPipe* interrupts, std::function<void()> onInterrupt)
    : device_(std::move(device)), interrupts_(interrupts), onInterrupt_(std::move(onInterrupt)) {}

PosixSerialLine::~PosixSerialLine() { Close(); }

bool PosixSerialLine::Open(const data::PortParameters& port) {
  Close();
  failure_.clear();
  std::string reason = transfer::DeviceProblem(device_);
  if (reason.empty()) reason = transfer::UnusableSetting(port);
  // The lock file first, as QSerialPort takes it: a device that another
  // sender holds is not even opened.
  if (reason.empty()) claim_.Take(device_, reason);
  if (reason.empty()) fd_ = OpenTerminal(device_, port, &reason, &found_);
  if (fd_ >= 0) return true;
  claim_.Release();
  failure_ = transfer::PortProblemText(device_, reason);
  return false;
}

void PosixSerialLine::Close() {
  if (fd_ < 0) return;
  // Dropping what is still queued also keeps close() from waiting for a
  // line held up by flow control.
  ::tcflush(fd_, TCOFLUSH);
  ::tcsetattr(fd_, TCSANOW, &found_);
  ::close(fd_);
  fd_ = -1;
  claim_.Release();
}

void PosixSerialLine::DiscardBuffers() {
  if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

void PosixSerialLine::ReadAvailable(std::vector<std::uint8_t>& into) {
  if (fd_ < 0 || !failure_.empty()) return;
  std::uint8_t bytes[4096];
  for (;;) {
    const ssize_t n = ::read(fd_, bytes, sizeof bytes);
    if (n > 0) {
      into.insert(into.end(), bytes, bytes + n);
      continue;
    }
    if (n == 0) {
      Fail(kHungUp);  // end of the line: the other side has closed it
      return;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) FailWithError(kReadError, errno);
    return;
  }
}

std::size_t PosixSerialLine::Write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0 || !failure_.empty() || bytes.empty()) return 0;
  for (;;) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) FailWithError(kWriteError, errno);
    return 0;
  }
}

void PosixSerialLine::Wait(transfer::LineWait what) {
  // A closed or failed line has nothing to wait for.
  if (fd_ < 0 || !failure_.empty()) return;
  pollfd fds[2] = {};
  fds[0].fd = fd_;
  fds[0].events = static_cast<short>(POLLIN | (what == transfer::LineWait::kInputOrRoom ? POLLOUT : 0));
  const int wakeFd = interrupts_ != nullptr ? interrupts_->readFd() : -1;
  fds[1].fd = wakeFd;
  fds[1].events = POLLIN;
  const int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, -1);
  // Also after EINTR: the handler has written its byte before poll() returned.
  if (wakeFd >= 0 && interrupts_->Drain() && onInterrupt_) onInterrupt_();
  if (ready <= 0) return;
  const short line = fds[0].revents;
  if ((line & POLLNVAL) != 0) {
    Fail(kLineError);
  } else if ((line & (POLLHUP | POLLERR)) != 0 && (line & POLLIN) == 0) {
    // With input still there, the reads take it first and then meet the end.
    Fail((line & POLLHUP) != 0 ? kHungUp : kLineError);
  }
}

std::string PosixSerialLine::Failure() const { return failure_; }

void PosixSerialLine::Fail(const char* what) {
  if (failure_.empty()) failure_ = LineFailureText(device_, what);
}

void PosixSerialLine::FailWithError(const char* what, int error) {
  if (MeansHangUp(error)) {
    Fail(kHungUp);
    return;
  }
  // The error's symbolic name (EBADF, ...), the same in every locale.
  const char* name = ::strerrorname_np(error);
  Fail((std::string(what) + " " + (name != nullptr ? name : std::to_string(error))).c_str());
}

}  // namespace cli
