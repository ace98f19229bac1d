// The byte trace of a transfer, for hunting a bad cable: every byte that
// went out and came in, in the chunks the line moved them, each with its
// time since the trace started. Recording only appends to memory, so it
// never slows the transfer; the text is made once at the end.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace transfer {

enum class TraceDirection : std::uint8_t {
  kSent,      // from the PC to the controller
  kReceived,  // from the controller to the PC
};

class ByteTrace {
 public:
  // Time zero; what was recorded before is dropped.
  void Start();
  // The bytes with the time now; an empty span records nothing.
  void Record(TraceDirection direction, std::span<const std::uint8_t> bytes);
  // The bytes with a time given since Start (for replaying a trace).
  void Record(TraceDirection direction, std::span<const std::uint8_t> bytes, std::chrono::nanoseconds at);

  // The trace as text: a header line starting with '#', then one line per
  // chunk of up to 16 bytes, "SECONDS.MICROSECONDS > 02 02 02 22" ('>' sent,
  // '<' received, bytes as two upper-case hex digits); a longer chunk goes
  // on over further lines with the same time and direction. ASCII only.
  std::string Text() const;

 private:
  struct Chunk {
    std::chrono::nanoseconds at;
    TraceDirection direction;
    std::size_t begin;
    std::size_t size;
  };
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::vector<Chunk> chunks_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace transfer
