// Pseudo-terminals for tests of the serial line: the test holds the master
// (in packet mode, so that a flush of the slave's buffers shows) and plays
// the controller on it; the code under test opens the slave named by
// RUR_PORT. (Qt Test's own watchdog turns a test that hangs into a failure.)
#pragma once

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "transfer/frame_reader.h"

namespace testing_support {

// RUR_PORT names the device for the life of a test.
struct PortVariable {
  explicit PortVariable(const QString& device) { qputenv("RUR_PORT", device.toLocal8Bit()); }
  ~PortVariable() { qunsetenv("RUR_PORT"); }
  PortVariable(const PortVariable&) = delete;
  PortVariable& operator=(const PortVariable&) = delete;
};

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    const char* name = ptsname(master_);
    if (name == nullptr) return;
    slaveName_ = QString::fromLocal8Bit(name);
    // Holding the slave open keeps the master readable without a hang-up
    // while the code under test has the slave closed.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    int on = 1;
    if (slave_ >= 0) ioctl(master_, TIOCPKT, &on);
  }
  ~PseudoTerminal() { Hangup(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return master_ >= 0 && slave_ >= 0; }
  // Closes both ends the test holds: the device vanishes under its user.
  void Hangup() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
  }
  int master() const { return master_; }
  const QString& slaveName() const { return slaveName_; }

  // The slave's terminal settings as the code under test left them.
  termios SlaveSettings() const {
    termios t{};
    tcgetattr(slave_, &t);
    return t;
  }

  void Write(const std::vector<std::uint8_t>& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }

  // One read of the master: `flushed` when a flush of the slave's buffers
  // was reported, the data bytes appended to `data`. False when nothing
  // could be read.
  bool Read(std::vector<std::uint8_t>& data, bool& flushed) const {
    flushed = false;
    unsigned char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;
    if (buffer[0] == TIOCPKT_DATA) {
      data.insert(data.end(), buffer + 1, buffer + n);
    } else {
      flushed = (buffer[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE)) != 0;
    }
    return true;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  QString slaveName_;
};

// The controller's side of a transfer, played on the master from the
// test's event loop: once the line has been flushed while `readyToStart`
// holds, it sends the start byte; every frame it completes goes to
// `onFrame`, whose bytes it sends back as the reply.
class PtyController {
 public:
  using FrameHandler = std::function<std::vector<std::uint8_t>(const transfer::ReceivedFrame&, std::size_t index)>;
  // Not one of the replies: a sender that took it for one would stop.
  static constexpr std::uint8_t kStartByte = 'S';

  PtyController(PseudoTerminal& pty, std::function<bool()> readyToStart, FrameHandler onFrame)
      : pty_(pty), readyToStart_(std::move(readyToStart)), onFrame_(std::move(onFrame)),
        notifier_(std::make_unique<QSocketNotifier>(pty.master(), QSocketNotifier::Read)) {
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
  }

  const std::vector<transfer::ReceivedFrame>& frames() const { return frames_; }
  bool started() const { return started_; }
  // Every data byte the controller received.
  const std::vector<std::uint8_t>& received() const { return received_; }

 private:
  void OnReadable() {
    std::vector<std::uint8_t> data;
    bool flushed = false;
    while (pty_.Read(data, flushed)) {
      if (flushed && !started_ && readyToStart_()) {
        started_ = true;
        pty_.Write({kStartByte});
      }
    }
    if (data.empty()) return;
    received_.insert(received_.end(), data.begin(), data.end());
    std::vector<transfer::ReceivedFrame> completed;
    reader_.Feed(data, completed);
    for (const transfer::ReceivedFrame& frame : completed) {
      frames_.push_back(frame);
      pty_.Write(onFrame_(frame, frames_.size() - 1));
    }
  }

  PseudoTerminal& pty_;
  std::function<bool()> readyToStart_;
  FrameHandler onFrame_;
  std::unique_ptr<QSocketNotifier> notifier_;
  transfer::FrameReader reader_;
  std::vector<transfer::ReceivedFrame> frames_;
  std::vector<std::uint8_t> received_;
  bool started_ = false;
};

}  // namespace testing_support
