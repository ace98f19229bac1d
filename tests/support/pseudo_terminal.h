// A pseudo-terminal held by a test to play the controller: the master in
// packet mode (so that a sender discarding its buffers shows), the slave
// opened by the code under test, named by RUR_PORT or on its command line.
// Every wait ends at a deadline, so no test can hang.
#pragma once

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr std::chrono::seconds kPtyDeadline{20};

// RUR_PORT names the device for the life of a test.
struct PortVariable {
  explicit PortVariable(const std::string& device);
  ~PortVariable();
  PortVariable(const PortVariable&) = delete;
  PortVariable& operator=(const PortVariable&) = delete;
};

class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return master_ >= 0 && slave_ >= 0; }
  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }
  // The slave's terminal settings as the code under test left them.
  termios SlaveSettings() const;
  void Write(const std::vector<std::uint8_t>& bytes) const;

  // One read of the master without waiting: the data bytes appended to
  // `data`, `inputFlushed` when the slave discarded its input. False when
  // nothing could be read.
  bool Read(std::vector<std::uint8_t>& data, bool& inputFlushed) const;

  // The waits collect data into received(); each is false at the deadline.
  // Until the slave discards its input (a sender waits for the controller
  // from then on); then the test lets go of the slave it held, so that the
  // master sees the sender close it.
  bool WaitForInputFlush();
  // Until `count` bytes have come in all.
  bool ReadUntil(std::size_t count);
  // Until the bytes received hold `count` complete frames.
  bool ReadFrames(std::size_t count = 1);
  // Until everyone has closed the slave (the master hangs up).
  bool SlaveClosed();
  const std::vector<std::uint8_t>& received() const { return received_; }

  // Whether nothing has come to the master: no data, no flush (no sender
  // has opened the slave and discarded its buffers).
  bool Untouched() const;
  // Closes both ends the test holds: the device vanishes under its user.
  void Hangup();

 private:
  // One packet within the deadline; false at the deadline or an error.
  bool ReadPacket(bool& inputFlushed);

  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::vector<std::uint8_t> received_;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace testing_support
