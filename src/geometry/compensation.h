// Cutter radius compensation: the drawn blocks programmed under G41 (cutter
// left of the contour) or G42 (right) become the path of the cutter's
// centre. Each element is moved sideways by the tool radius; neighbours are
// trimmed where they meet and joined by a corner arc where they do not.
#pragma once

#include <cstdint>

#include "data/block_record.h"
#include "data/message_centre.h"
#include "data/tool_table.h"

namespace geometry {

// A straight move is handled as an arc of this radius through its end
// points, so that every element is a circle and every joint the meeting
// of two circles. The emitted block keeps its straight motion.
inline constexpr long double kLineRadius = 1'000'000.0L;
// Moved end points closer than this are joined without a corner block.
inline constexpr long double kMinCornerChord = 0.01L;

inline constexpr std::uint8_t kCompensationOff = 40;
inline constexpr std::uint8_t kCompensationLeft = 41;
inline constexpr std::uint8_t kCompensationRight = 42;

inline constexpr char kCompensationOnArc[] = "Radiuskorrektur kann nur, in \" G0 oder G1 \" aufgebaut werden!";
inline constexpr char kToolRadiusTooLarge[] = "Radiuskorrektur zu gross!";
// The output takes two blocks per drawn block, so it fills up only when the
// input holds more blocks than a drawing run can make.
static_assert(data::kMaxCompensatedBlocks == 2 * 31999, "the text below names the drawing's limit");
inline constexpr char kTooManyBlocks[] = "Programm zu lang: mehr als 31999 S\xE4tze!";

struct PlanePoint {
  long double x = 0.0L, y = 0.0L;
};

// What one pass carries from block to block.
struct CompensationPass {
  CompensationPass(data::BlockStore& out, data::MessageCentre& centre, long double tolerance)
      : output(out), messages(centre), radiusTolerance(tolerance) {}

  // Appends to the output; when it is full, the message instead and false.
  bool Emit(const data::BlockRecord& block);

  data::BlockStore& output;
  data::MessageCentre& messages;
  long double radiusTolerance;  // of the settings, for centres of straight moves
  PlanePoint point;             // end of the last element emitted
  bool cornerPending = false;
  data::BlockRecord corner;  // the corner block waiting for the next element
  // Compensation of the last block that moved in X or Y or was programmed
  // with G40: switching on or over is allowed only on a straight move.
  std::uint8_t lastCompensation = kCompensationOff;
  std::uint8_t lastMotion = data::kRapid;  // programmed motion of the element in hand
};

// Whether the pass moves the block sideways by a tool radius: it moves in X
// or Y under G41 or G42 (when the store holds at least two blocks).
bool IsCompensated(const data::BlockRecord& block);

// The pass over the drawn blocks `programmed` (positions 1..count): writes
// the cutter-centre path into `compensated` (cleared first; construct it
// with limit data::kMaxCompensatedBlocks). False after a message (error
// flag set, beep given): `compensated` then holds what was made so far,
// and none of it may be sent. False at once, with nothing made, when the
// error flag is already set. Fewer than 2 blocks are copied unchanged.
bool Compensate(const data::BlockStore& programmed, const data::ToolTable& tools, long double radiusTolerance,
                data::MessageCentre& messages, data::BlockStore& compensated);

// Compensates one block that moves in X or Y under G41/G42. `following` is
// the next block that moves in X or Y, or null when there is none. A
// negative tool radius swaps left and right. False after a message.
bool CompensateBlock(CompensationPass& pass, const data::BlockRecord& current, const data::BlockRecord* following,
                     long double toolRadius);

// Moves an arc (Motion 2 or 3) sideways: its radius grows or shrinks by the
// tool radius. A radius that would come to 0 or below is refused with
// "Radiuskorrektur zu gross!".
bool OffsetElement(data::BlockRecord& element, bool left, long double toolRadius, data::MessageCentre& messages);

// Common points of the circles of a and b: 0 none, 1 one (circles that
// touch give b's moved end point), 2 two (the one nearer to b's end point
// is given, the first when both are equally near).
int CircleIntersection(const data::BlockRecord& a, const data::BlockRecord& b, PlanePoint& point);

// The end point of `current` and the start point of `following`, each
// carried from its centre out to its (moved) radius.
void OffsetEndPoints(const data::BlockRecord& current, const data::BlockRecord& following, PlanePoint& currentEnd,
                     PlanePoint& followingStart);

// Emits a pending corner, then `current` moved and ended where it meets
// `following` (both working copies, changed here), or at its own moved end
// with a corner pending. Without a following element `current` ends at its
// moved end point. False after a message.
bool JoinElements(CompensationPass& pass, data::BlockRecord& current, data::BlockRecord* following, bool left,
                  long double toolRadius);

}  // namespace geometry
