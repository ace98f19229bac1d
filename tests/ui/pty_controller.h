// The controller played on a test's pseudo-terminal from the Qt event
// loop, for the tests of the window's serial line and its send command.
// (Qt Test's own watchdog turns a test that hangs into a failure.)
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "support/pseudo_terminal.h"
#include "transfer/frame_reader.h"

namespace testing_support {

inline QString SlaveName(const PseudoTerminal& pty) { return QString::fromStdString(pty.slavePath()); }

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
