// The built rur-cli run as a child process with stdout and stderr on pipes,
// for the end-to-end transfer tests, and file events that tell
// which step a child has reached. Every wait ends at a hard deadline, after
// which the child is killed, so no test can hang.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli_testing {

inline constexpr std::chrono::seconds kChildDeadline{20};

class CliProcess {
 public:
  // With `stdoutFd`, the child writes its stdout there instead of to a pipe;
  // with `program`, that runs instead of rur-cli.
  explicit CliProcess(const std::vector<std::string>& args, int stdoutFd = -1, const char* program = RUR_CLI_PATH);
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // The next line of stdout (without its end), or nothing at the end of
  // the output or the deadline.
  std::optional<std::string> ReadLine();
  // Reads stdout until a line equal to `line`; false at the end or the deadline.
  bool WaitForLine(const std::string& line);
  void Signal(int signal);
  // Waits for the end (killing the child at the deadline) and collects the
  // rest of its output. The exit status, or -1 when it was killed.
  int Finish();

  const std::string& out() const { return out_; }
  const std::string& err() const { return err_; }

 private:
  // Reads what is there from both pipes, sleeping at most until the
  // deadline; false when nothing more can come.
  bool Pump();

  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  std::string out_;
  std::string err_;
  std::size_t lineStart_ = 0;  // of the next line ReadLine gives
  std::chrono::steady_clock::time_point deadline_;
};

// File events (inotify) on a path, watched from its construction on, so
// that a test learns when a child has reached a step: opened a file, moved
// one into a folder.
class FileEvents {
 public:
  FileEvents(const std::string& path, std::uint32_t mask);
  ~FileEvents();
  FileEvents(const FileEvents&) = delete;
  FileEvents& operator=(const FileEvents&) = delete;

  // Waits for an event (in a folder: one on the entry `name`); false at the
  // deadline.
  bool Wait(const std::string& name = "");

 private:
  int fd_ = -1;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace cli_testing
