// The simulated controller's pseudo-terminal: the sender opens the slave
// side like a serial port, the controller reads and writes the master. The
// master runs in packet mode, so the controller learns when the sender
// discards its input (the moment it starts waiting for the controller).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens a master (non-blocking, packet mode) and its slave, sets the
  // slave raw and holds it open, so that the master does not report a
  // hang-up before the sender has opened it. False and a reason otherwise.
  bool Open(std::string& error);
  // Lets go of the slave: from then on the master hangs up when the sender
  // closes it.
  void ReleaseSlave();

  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// What one read of a packet-mode master gives.
struct MasterPacket {
  std::vector<std::uint8_t> data;
  bool inputFlushed = false;  // the slave side discarded its input
};

// Splits a packet read from the master: a first byte 0 carries data, any
// other first byte is the status of the slave's queues.
MasterPacket SplitPacket(const std::uint8_t* bytes, std::size_t count);

}  // namespace cli
