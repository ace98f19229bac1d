#include "app/cli/cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>


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

CliProcess::CliProcess(const std::vector<std::string>& args, int stdoutFd, const char* program)
    : deadline_(Clock::now() + kChildDeadline) {
  int out[2] = {-1, -1};
  int err[2];
  if (stdoutFd < 0 && ::pipe2(out, O_CLOEXEC) != 0) return;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    if (out[0] >= 0) ::close(out[0]);
    if (out[1] >= 0) ::close(out[1]);
    return;
  }
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, stdoutFd >= 0 ? stdoutFd : out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  // The stop signals as a terminal delivers them, whatever the test runner ignores.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
  posix_spawnattr_setsigdefault(&attributes, &stops);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  if (::posix_spawn(&pid_, program, &actions, &attributes, pointers.data(), environ) != 0) pid_ = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (out[1] >= 0) ::close(out[1]);
  ::close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  if (outFd_ >= 0) ::fcntl(outFd_, F_SETFL, O_NONBLOCK);
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
