#include "transfer/byte_trace.h"

#include <cinttypes>
#include <cstdio>

namespace transfer {
namespace {

constexpr std::size_t kBytesPerLine = 16;
constexpr char kHeader[] =
    "# Byte-Mitschnitt: Sekunden seit dem Start, > an die Steuerung, < von der Steuerung, Bytes hexadezimal\n";

}  // namespace

void ByteTrace::Start() {
  start_ = std::chrono::steady_clock::now();
  chunks_.clear();
  bytes_.clear();
}

void ByteTrace::Record(TraceDirection direction, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  Record(direction, bytes, std::chrono::steady_clock::now() - start_);
}

void ByteTrace::Record(TraceDirection direction, std::span<const std::uint8_t> bytes, std::chrono::nanoseconds at) {
  if (bytes.empty()) return;
  chunks_.push_back({at, direction, bytes_.size(), bytes.size()});
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::string ByteTrace::Text() const {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text(kHeader);
  text.reserve(text.size() + bytes_.size() * 3 + chunks_.size() * 20);
  for (const Chunk& chunk : chunks_) {
    // A time before the start (a clock that went back cannot, but a
    // replayed one may) shows as 0.
    const std::int64_t us = chunk.at.count() < 0 ? 0 : chunk.at.count() / 1000;
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%6" PRId64 ".%06" PRId64 " %c", us / 1000000, us % 1000000,
                  chunk.direction == TraceDirection::kSent ? '>' : '<');
    for (std::size_t i = 0; i < chunk.size; ++i) {
      if (i % kBytesPerLine == 0) {
        if (i > 0) text += '\n';
        text += stamp;
      }
      const std::uint8_t b = bytes_[chunk.begin + i];
      text += ' ';
      text += kHex[b >> 4];
      text += kHex[b & 0x0F];
    }
    text += '\n';
  }
  return text;
}

}  // namespace transfer
