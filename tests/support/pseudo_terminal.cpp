#include "support/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "transfer/frame_reader.h"

namespace testing_support {
namespace {

int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

PortVariable::PortVariable(const std::string& device) { ::setenv("RUR_PORT", device.c_str(), 1); }
PortVariable::~PortVariable() { ::unsetenv("RUR_PORT"); }

PseudoTerminal::PseudoTerminal() : deadline_(std::chrono::steady_clock::now() + kPtyDeadline) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  char name[128];
  int packet = 1;
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0 || ::ioctl(master_, TIOCPKT, &packet) != 0) {
    return;
  }
  slavePath_ = name;
  // Holding the slave open keeps the master from reporting a hang-up while
  // the code under test has the slave closed.
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal() { Hangup(); }

termios PseudoTerminal::SlaveSettings() const {
  termios t{};
  ::tcgetattr(slave_, &t);
  return t;
}

void PseudoTerminal::Write(const std::vector<std::uint8_t>& bytes) const {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

bool PseudoTerminal::Read(std::vector<std::uint8_t>& data, bool& inputFlushed) const {
  inputFlushed = false;
  std::uint8_t bytes[4097];
  const ssize_t n = master_ < 0 ? -1 : ::read(master_, bytes, sizeof bytes);
  if (n <= 0) return false;
  if (bytes[0] == TIOCPKT_DATA) {
    data.insert(data.end(), bytes + 1, bytes + n);
  } else {
    inputFlushed = (bytes[0] & TIOCPKT_FLUSHREAD) != 0;
  }
  return true;
}

bool PseudoTerminal::ReadPacket(bool& inputFlushed) {
  inputFlushed = false;
  pollfd p{master_, POLLIN, 0};
  if (master_ < 0 || ::poll(&p, 1, MillisecondsLeft(deadline_)) <= 0) return false;
  errno = 0;
  return Read(received_, inputFlushed) || errno == EAGAIN;
}

bool PseudoTerminal::WaitForInputFlush() {
  for (bool flushed = false; ReadPacket(flushed);) {
    if (!flushed) continue;
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
    return true;
  }
  return false;
}

bool PseudoTerminal::ReadUntil(std::size_t count) {
  for (bool flushed = false; received_.size() < count;) {
    if (!ReadPacket(flushed)) return false;
  }
  return true;
}

bool PseudoTerminal::ReadFrames(std::size_t count) {
  for (bool flushed = false;;) {
    transfer::FrameReader reader;
    std::vector<transfer::ReceivedFrame> frames;
    reader.Feed(received_, frames);
    if (frames.size() >= count) return true;
    if (!ReadPacket(flushed)) return false;
  }
}

bool PseudoTerminal::SlaveClosed() {
  pollfd p{master_, POLLIN, 0};
  for (bool flushed = false; master_ >= 0 && ::poll(&p, 1, MillisecondsLeft(deadline_)) > 0;) {
    if ((p.revents & POLLHUP) != 0) return true;
    if (!ReadPacket(flushed)) return false;
  }
  return false;
}

bool PseudoTerminal::Untouched() const {
  pollfd p{master_, POLLIN, 0};
  return master_ >= 0 && ::poll(&p, 1, 0) == 0;
}

void PseudoTerminal::Hangup() {
  if (slave_ >= 0) ::close(slave_);
  slave_ = -1;
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

}  // namespace testing_support
