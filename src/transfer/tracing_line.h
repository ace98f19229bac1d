// A serial line that records into a byte trace every byte the line it
// wraps took for sending and every byte it handed over as received; all
// else passes through. The trace starts when the line is opened.
#pragma once

#include "transfer/byte_trace.h"
#include "transfer/serial_line.h"

namespace transfer {

class TracingLine : public SerialLine {
 public:
  // Both must outlive the tracing line.
  TracingLine(SerialLine& line, ByteTrace& trace) : line_(line), trace_(trace) {}

  bool Open(const data::PortParameters& port) override;
  void Close() override { line_.Close(); }
  void DiscardBuffers() override { line_.DiscardBuffers(); }
  void ReadAvailable(std::vector<std::uint8_t>& into) override;
  std::size_t Write(std::span<const std::uint8_t> bytes) override;
  void Wait(LineWait what) override { line_.Wait(what); }
  std::string Failure() const override { return line_.Failure(); }

 private:
  SerialLine& line_;
  ByteTrace& trace_;
};

}  // namespace transfer
