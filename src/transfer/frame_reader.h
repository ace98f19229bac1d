// The controller's side of the frames: bytes from the line are collected
// into frames (three STX, the double quote, the data, three ETB or a zero
// byte and three EOT, the checksum) and each is checked. Shared by the
// simulated controller and the tests, so that both sides of the wire use
// one checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace transfer {

struct ReceivedFrame {
  std::vector<std::uint8_t> data;
  bool last = false;
  bool valid = false;  // structure and checksum as they must be
};

class FrameReader {
 public:
  // Consumes bytes and appends every frame completed by them. Bytes before
  // a frame's start (three STX) are skipped. A frame that breaks off (no
  // double quote after the STX, no end within 256 data bytes, a zero byte
  // not followed by three EOT) is appended as invalid, and the search for
  // the next start begins with the byte that broke it.
  void Feed(std::span<const std::uint8_t> bytes, std::vector<ReceivedFrame>& frames);
  // Forgets a frame begun but not completed.
  void Reset();

 private:
  enum class Part : std::uint8_t { kStart, kData, kLastEnd, kChecksum };

  void Take(std::uint8_t byte, std::vector<ReceivedFrame>& frames);
  void TakeStart(std::uint8_t byte, std::vector<ReceivedFrame>& frames);
  void TakeData(std::uint8_t byte, std::vector<ReceivedFrame>& frames);
  void TakeLastEnd(std::uint8_t byte, std::vector<ReceivedFrame>& frames);
  void Complete(std::uint8_t checksum, std::vector<ReceivedFrame>& frames);
  void Reject(std::vector<ReceivedFrame>& frames);

  Part part_ = Part::kStart;
  int run_ = 0;  // STX seen in a row, or EOT of the last frame's end
  bool last_ = false;
  std::vector<std::uint8_t> partial_;  // the data so far, possibly with ETB of the end
};

}  // namespace transfer
