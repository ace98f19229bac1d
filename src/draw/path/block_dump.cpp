#include "draw/path/block_dump.h"

#include <cstdio>

namespace draw {
namespace {

void AppendValue(std::string& line, long double value) {
  char text[128];
  const int n = std::snprintf(text, sizeof text, "\t%.6Lf", value);
  if (n >= 0 && static_cast<std::size_t>(n) < sizeof text) {
    line += text;
    return;
  }
  // Values beyond 10^120 need more room.
  std::string wide(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(wide.data(), wide.size(), "\t%.6Lf", value);
  wide.pop_back();
  line += wide;
}

void AppendInt(std::string& line, long long value) {
  line += '\t';
  line += std::to_string(value);
}

std::string MNumbers(const data::BlockRecord& r) {
  std::string numbers;
  for (std::size_t m = 0; m < r.mFlags.size(); ++m) {
    if (!r.mFlags[m]) continue;
    if (!numbers.empty()) numbers += ',';
    numbers += std::to_string(m);
  }
  return numbers.empty() ? "-" : numbers;
}

}  // namespace

std::string FormatBlockLine(std::int32_t position, const data::BlockRecord& r) {
  std::string line = std::to_string(position);
  AppendInt(line, r.motion);
  for (long double v : {r.startX, r.startY, r.endX, r.endY, r.endZ, r.centreX, r.centreY, r.centreZ, r.radius}) {
    AppendValue(line, v);
  }
  AppendInt(line, r.arcSpan);
  line += '\t';
  for (std::uint8_t has : {r.hasX, r.hasY, r.hasZ}) line += static_cast<char>('0' + (has != 0 ? 1 : 0));
  AppendInt(line, r.compensation);
  AppendInt(line, r.toolSlot);
  AppendInt(line, r.tool);
  AppendValue(line, r.feed);
  AppendInt(line, r.spindle);
  AppendInt(line, r.dwell);
  line += '\t';
  line += MNumbers(r);
  AppendInt(line, r.listingLine);
  AppendInt(line, r.programIndex);
  AppendInt(line, r.g74Flag);
  return line;
}

}  // namespace draw
