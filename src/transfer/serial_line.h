// The serial line as a transfer uses it: opened with the nine port
// parameters of the settings, bytes moved without ever blocking, and one
// wait that sleeps until something happens on the line or in the user
// interface. The window implements it on QSerialPort, rur-cli on a POSIX
// terminal device, tests with fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/settings.h"

namespace transfer {

enum class LineWait : std::uint8_t {
  kInput,        // for bytes to arrive
  kInputOrRoom,  // also for room in the output to free up
};

class SerialLine {
 public:
  virtual ~SerialLine() = default;

  // Closes the line first, configures it with the parameters and opens it
  // raw (8-bit, no character translation), claimed against every other
  // sender. False when it cannot be opened (missing, in use, no serial
  // port, no permission, parameters it cannot take); no message of its
  // own, Failure() then says why.
  virtual bool Open(const data::PortParameters& port) = 0;
  // Always possible, also when closed; output not yet sent is dropped.
  virtual void Close() = 0;
  // Drops the output not yet sent and the input not yet read.
  virtual void DiscardBuffers() = 0;

  // Appends every byte that has arrived to `into`, without blocking.
  virtual void ReadAvailable(std::vector<std::uint8_t>& into) = 0;
  // Queues as many of `bytes` as the line takes now, without blocking, and
  // returns how many.
  virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;

  // Sleeps until bytes arrive, room frees up (with kInputOrRoom), the line
  // fails or the operator acts (the window processes its events meanwhile;
  // rur-cli wakes on SIGINT and SIGTERM). May return early, never spins.
  virtual void Wait(LineWait what) = 0;

  // Empty while the line works; after a failure (the device went away, a
  // read or write error, the other end closed) or a failed Open a text that
  // names the port and the reason. May be empty after a failed Open of a
  // line that knows no reason.
  virtual std::string Failure() const = 0;
};

}  // namespace transfer
