#include "cli/interrupt_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace cli {
namespace {

// The write end for the handler. A signal handler reaches nothing but
// globals; a lock-free atomic is safe to read there.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// Async-signal-safe: one write, errno kept for the code it interrupted.
extern "C" void WriteSignalByte(int) {
  const int fd = signalPipe.load();
  if (fd < 0) return;
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  errno = saved;
}

}  // namespace

InterruptPipe::InterruptPipe() {
  if (::pipe2(fds_, O_NONBLOCK | O_CLOEXEC) != 0) {
    fds_[0] = fds_[1] = -1;
    return;
  }
  signalPipe.store(fds_[1]);
  struct sigaction action {};
  action.sa_handler = WriteSignalByte;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // poll() still wakes with EINTR
  // A signal ignored at the start (nohup, a background job of a script)
  // stays ignored: whoever started the program asked for that.
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (::sigaction(kSignals[i], nullptr, &former_[i]) == 0 && former_[i].sa_handler == SIG_IGN) continue;
    if (::sigaction(kSignals[i], &action, nullptr) == 0) {
      caught_[i] = true;
      continue;
    }
    Restore();
    return;
  }
  installed_ = true;
}

InterruptPipe::~InterruptPipe() {
  Restore();
  signalPipe.store(-1);
  for (const int fd : fds_) {
    if (fd >= 0) ::close(fd);
  }
}

void InterruptPipe::Restore() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (caught_[i]) ::sigaction(kSignals[i], &former_[i], nullptr);
    caught_[i] = false;
  }
}

bool InterruptPipe::Drain() {
  if (fds_[0] < 0) return false;
  bool any = false;
  char bytes[64];
  while (::read(fds_[0], bytes, sizeof bytes) > 0) any = true;
  return any;
}

}  // namespace cli
