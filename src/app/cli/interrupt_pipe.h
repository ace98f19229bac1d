// SIGINT, SIGTERM and SIGHUP as the abort command of `send`: while an
// InterruptPipe lives, each of these signals writes one byte into a pipe,
// so that a wait in poll() wakes for the operator's stop as it wakes for the
// line, and the drawing's pump finds it there. A signal ignored at the
// start stays ignored. One instance at a time; the former handlers come
// back with its end.
#pragma once

#include <signal.h>

#include <iterator>

namespace cli {

class InterruptPipe {
 public:
  InterruptPipe();
  ~InterruptPipe();
  InterruptPipe(const InterruptPipe&) = delete;
  InterruptPipe& operator=(const InterruptPipe&) = delete;

  // False when the pipe or the handlers could not be set up (the signals
  // then keep their former effect).
  bool ok() const { return installed_; }
  // Readable once a signal has arrived; -1 when not ok.
  int readFd() const { return installed_ ? fds_[0] : -1; }
  // Empties the pipe; true when a signal had arrived since the last call.
  bool Drain();

 private:
  void Restore();

  int fds_[2] = {-1, -1};
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction former_[std::size(kSignals)] {};
  bool caught_[std::size(kSignals)] = {};
  bool installed_ = false;
};

}  // namespace cli
