// rur-cli's serial line: a transfer over a POSIX terminal device (a serial
// port or a pseudo-terminal) named on the command line, claimed against
// every other sender (the lock file and the device lock) and given back
// with its terminal settings as found. Bytes move without blocking; a wait
// sleeps in poll() on the device and on the operator's interrupt pipe. A
// failure names the device in a German text of its own.
#pragma once

#include <termios.h>

#include <functional>
#include <string>

#include "cli/interrupt_pipe.h"
#include "transfer/port_claim.h"
#include "transfer/serial_line.h"

namespace cli {

class PosixSerialLine : public transfer::SerialLine {
 public:
  // interrupts may be null; otherwise a wait that finds a signal there calls
  // onInterrupt (outside the signal handler) and returns.
  PosixSerialLine(std::string device, InterruptPipe* interrupts, std::function<void()> onInterrupt);
  ~PosixSerialLine() override;
  PosixSerialLine(const PosixSerialLine&) = delete;
  PosixSerialLine& operator=(const PosixSerialLine&) = delete;

  bool Open(const data::PortParameters& port) override;
  void Close() override;
  void DiscardBuffers() override;
  void ReadAvailable(std::vector<std::uint8_t>& into) override;
  std::size_t Write(std::span<const std::uint8_t> bytes) override;
  void Wait(transfer::LineWait what) override;
  std::string Failure() const override;

  bool isOpen() const { return fd_ >= 0; }

 private:
  // The first failure is kept: it says why the line stopped.
  void Fail(const char* what);
  void FailWithError(const char* what, int error);

  std::string device_;
  InterruptPipe* interrupts_;
  std::function<void()> onInterrupt_;
  int fd_ = -1;
  termios found_{};  // the device's settings before the opening
  transfer::LockFileClaim claim_;
  std::string failure_;
};

// The texts of a failed line (Windows-1252).
std::string LineFailureText(const std::string& device, const std::string& reason);

}  // namespace cli
