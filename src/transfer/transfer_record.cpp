#include "transfer/transfer_record.h"

#include <cstdio>

namespace transfer {

std::int64_t LineSeconds(std::int64_t bytes, std::int32_t baud) {
  if (baud <= 0 || bytes < 0) return -1;
  const std::int64_t bits = bytes * 10;
  return bits / baud + (bits % baud != 0 ? 1 : 0);
}

std::int64_t SecondsLeft(const TransferRecord& record) {
  const std::int64_t blocksLeft = std::int64_t{record.blockCount} - record.blocksConfirmed;
  if (blocksLeft <= 0) return 0;
  const std::int64_t blocksSent = std::int64_t{record.blocksConfirmed} - record.blocksSkipped;
  if (blocksSent <= 0 || record.baud <= 0) return -1;
  // Bytes per confirmed block times the blocks to go; the bytes sent so far
  // hold the repeats, so a line that repeats often estimates more.
  const long double bytesLeft = static_cast<long double>(record.bytesSent) * blocksLeft / blocksSent;
  return LineSeconds(static_cast<std::int64_t>(bytesLeft + 0.5L), record.baud);
}

std::string ClockText(std::int64_t seconds) {
  if (seconds < 0) return "-:--";
  char text[32];
  const long long s = seconds;
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  }
  return text;
}

std::string FiguresText(const TransferRecord& record) {
  std::string text = "Satz " + std::to_string(record.blocksConfirmed) + " von " + std::to_string(record.blockCount) +
                     ", Zeit " + ClockText(record.elapsedMilliseconds / 1000);
  const std::int64_t left = SecondsLeft(record);
  if (left >= 0) text += ", Rest " + ClockText(left);
  return text;
}

}  // namespace transfer
