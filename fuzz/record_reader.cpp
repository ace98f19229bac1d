#include "record_reader.h"

#include <cmath>

namespace fuzz {
namespace {

constexpr std::uint8_t kCompensations[] = {40, 41, 42};

}  // namespace

// One flag byte chooses the motion, compensation and axes, a second the
// rest of the record's form.
data::BlockRecord RecordReader::Next() {
  data::BlockRecord r;
  const std::uint8_t form = in_.Byte();
  const std::uint8_t flags = in_.Byte();
  r.motion = static_cast<std::uint8_t>(form % 5);
  r.compensation = kCompensations[(form / 5) % 3];
  r.hasX = flags & 1;
  r.hasY = (flags >> 1) & 1;
  r.hasZ = (flags >> 2) & 1;
  r.toolSlot = static_cast<std::int8_t>((flags >> 4) & 3);
  if ((flags & 0x40) != 0) r.toolSlot = in_.Raw<std::int8_t>();
  r.listingLine = ++line_;
  ReadMotion(r, form);
  if ((flags & 0x80) != 0) ReadWords(r, form);
  last_ = r;
  return r;
}

void RecordReader::ReadMotion(data::BlockRecord& r, std::uint8_t form) {
  r.startX = last_.endX;
  r.startY = last_.endY;
  r.startZ = last_.endZ;
  if ((form & 0x80) != 0) {  // a block that does not start where the last one ended
    r.startX = in_.Value();
    r.startY = in_.Value();
  }
  r.endX = r.hasX != 0 ? in_.Value() : r.startX;
  r.endY = r.hasY != 0 ? in_.Value() : r.startY;
  r.endZ = r.hasZ != 0 ? in_.Value() : r.startZ;
  if (r.motion == data::kClockwise || r.motion == data::kCounterClockwise) ReadArc(r, (form & 0x40) == 0);
}

// The centre from the input; on the circle the end point is pulled onto
// the circle through the start (in the direction of the given end).
void RecordReader::ReadArc(data::BlockRecord& r, bool onCircle) {
  r.centreX = in_.Value();
  r.centreY = in_.Value();
  r.centreZ = r.endZ;
  r.arcSpan = static_cast<std::uint8_t>(1 + (in_.Byte() & 1));
  if (!onCircle) {
    r.radius = in_.Value();
    return;
  }
  r.radius = std::hypot(r.startX - r.centreX, r.startY - r.centreY);
  const long double dx = r.endX - r.centreX;
  const long double dy = r.endY - r.centreY;
  const long double length = std::hypot(dx, dy);
  if (length > 0.0L && std::isfinite(length)) {
    r.endX = r.centreX + r.radius * dx / length;
    r.endY = r.centreY + r.radius * dy / length;
  }
}

// Tool, feed, M flags, dwell and spindle.
void RecordReader::ReadWords(data::BlockRecord& r, std::uint8_t form) {
  r.tool = in_.Byte();
  r.feed = in_.Value();
  r.mFlags = std::bitset<100>(in_.Raw<std::uint64_t>());
  if ((form & 0x20) != 0) r.mFlags <<= 36;
  r.dwell = (form & 0x10) != 0 ? in_.Raw<std::int32_t>() : 0;
  r.spindle = in_.Raw<std::int16_t>();
}

}  // namespace fuzz
