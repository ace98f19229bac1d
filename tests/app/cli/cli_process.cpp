#include "app/cli/cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "transfer/frame_reader.h"

extern char** environ;

namespace cli_testing {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until the deadline, for poll().
int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Appends what the pipe has; false at its end.
bool Drain(int fd, std::string& into) {
  char bytes[4096];
  const ssize_t n = ::read(fd, bytes, sizeof bytes);
  if (n > 0) into.append(bytes, static_cast<std::size_t>(n));
  return n > 0 || (n < 0 && (errno == EAGAIN || errno == EINTR));
}

}  // namespace

CliProcess::CliProcess(const std::vector<std::string>& args) : deadline_(Clock::now() + kChildDeadline) {
  int out[2];
  int err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return;
  }
  std::vector<std::string> argv{RUR_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  // The stop signals as a terminal delivers them, whatever the test runner ignores.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
  posix_spawnattr_setsigdefault(&attributes, &stops);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  if (::posix_spawn(&pid_, RUR_CLI_PATH, &actions, &attributes, pointers.data(), environ) != 0) pid_ = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  ::close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  ::fcntl(outFd_, F_SETFL, O_NONBLOCK);
  ::fcntl(errFd_, F_SETFL, O_NONBLOCK);
}

CliProcess::~CliProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (outFd_ >= 0) ::close(outFd_);
  if (errFd_ >= 0) ::close(errFd_);
}

bool CliProcess::Pump() {
  pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
  if (outFd_ < 0 && errFd_ < 0) return false;
  if (::poll(fds, 2, MillisecondsLeft(deadline_)) <= 0) return false;
  for (int i = 0; i < 2; ++i) {
    int& fd = i == 0 ? outFd_ : errFd_;
    if (fd < 0 || fds[i].revents == 0) continue;
    if (!Drain(fd, i == 0 ? out_ : err_)) {
      ::close(fd);
      fd = -1;
    }
  }
  return true;
}

std::optional<std::string> CliProcess::ReadLine() {
  for (;;) {
    const auto end = out_.find('\n', lineStart_);
    if (end != std::string::npos) {
      std::string line = out_.substr(lineStart_, end - lineStart_);
      lineStart_ = end + 1;
      return line;
    }
    if (!Pump()) return std::nullopt;
  }
}

bool CliProcess::WaitForLine(const std::string& line) {
  for (auto next = ReadLine(); next; next = ReadLine()) {
    if (*next == line) return true;
  }
  return false;
}

void CliProcess::Signal(int signal) {
  if (pid_ > 0) ::kill(pid_, signal);
}

int CliProcess::Finish() {
  while (Pump()) {
  }
  if (pid_ <= 0) return -1;
  int status = 0;
  // The pipes end with the child (or the deadline came): wait for it, but
  // not beyond the deadline.
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (MillisecondsLeft(deadline_) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
      return -1;
    }
    ::usleep(10000);
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TestPty::TestPty() : deadline_(Clock::now() + kChildDeadline) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  int packet = 1;
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0 || ::ioctl(master_, TIOCPKT, &packet) != 0) {
    return;
  }
  slavePath_ = name;
  ::fcntl(master_, F_SETFL, O_NONBLOCK);
  // Held until the sender has the slave open, so that the master does not
  // report a hang-up before.
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
}

TestPty::~TestPty() {
  if (slave_ >= 0) ::close(slave_);
  CloseMaster();
}

bool TestPty::ReadPacket(bool& flushed) {
  flushed = false;
  pollfd p{master_, POLLIN, 0};
  if (master_ < 0 || ::poll(&p, 1, MillisecondsLeft(deadline_)) <= 0) return false;
  std::uint8_t bytes[4097];
  const ssize_t n = ::read(master_, bytes, sizeof bytes);
  if (n <= 0) return n < 0 && errno == EAGAIN;
  if (bytes[0] == TIOCPKT_DATA) {
    received_.insert(received_.end(), bytes + 1, bytes + n);
  } else {
    flushed = (bytes[0] & TIOCPKT_FLUSHREAD) != 0;
  }
  return true;
}

bool TestPty::WaitForInputFlush() {
  for (bool flushed = false; ReadPacket(flushed);) {
    if (!flushed) continue;
    ::close(slave_);
    slave_ = -1;
    return true;
  }
  return false;
}

bool TestPty::ReadUntil(std::size_t count) {
  bool flushed = false;
  while (received_.size() < count) {
    if (!ReadPacket(flushed)) return false;
  }
  return true;
}

bool TestPty::ReadFrames(std::size_t count) {
  bool flushed = false;
  for (;;) {
    transfer::FrameReader reader;
    std::vector<transfer::ReceivedFrame> frames;
    reader.Feed(received_, frames);
    if (frames.size() >= count) return true;
    if (!ReadPacket(flushed)) return false;
  }
}

void TestPty::Write(const std::vector<std::uint8_t>& bytes) {
  [[maybe_unused]] const ssize_t n = ::write(master_, bytes.data(), bytes.size());
}

bool TestPty::Untouched() {
  pollfd p{master_, POLLIN, 0};
  return master_ >= 0 && ::poll(&p, 1, 0) == 0;
}

void TestPty::CloseMaster() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

bool TestPty::SlaveClosed() {
  pollfd p{master_, POLLIN, 0};
  for (bool flushed = false; master_ >= 0 && ::poll(&p, 1, MillisecondsLeft(deadline_)) > 0;) {
    if ((p.revents & POLLHUP) != 0) return true;
    if (!ReadPacket(flushed)) return false;
  }
  return false;
}

FileEvents::FileEvents(const std::string& path, std::uint32_t mask) : deadline_(Clock::now() + kChildDeadline) {
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ >= 0 && ::inotify_add_watch(fd_, path.c_str(), mask) < 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

FileEvents::~FileEvents() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileEvents::Wait(const std::string& name) {
  alignas(inotify_event) char buffer[4096];
  for (pollfd p{fd_, POLLIN, 0}; fd_ >= 0 && ::poll(&p, 1, MillisecondsLeft(deadline_)) > 0;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    for (ssize_t at = 0; at < n;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const char* entry = buffer + at + sizeof event;
      if (name.empty() || (event.len > 0 && name == entry)) return true;
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
  return false;
}

}  // namespace cli_testing
