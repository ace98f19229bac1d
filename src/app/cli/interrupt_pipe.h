// SIGINT and SIGTERM as the abort command of a transfer: while an
// InterruptPipe lives, each of these signals writes one byte into a pipe,
// so that a wait in poll() wakes for the operator's stop as it wakes for the
// line. One instance at a time; the former handlers come back with its end.
#pragma once

#include <signal.h>

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
  int fds_[2] = {-1, -1};
  struct sigaction formerInt_ {};
  struct sigaction formerTerm_ {};
  bool installed_ = false;
};

}  // namespace cli
