// What the send command checks before anything goes to the controller:
// that every compensated contour takes its tool radius from the tool file,
// which contours are compensated with radius 0, and that every number of
// the compensated blocks fits the controller's block text.
#pragma once

#include <string>

#include "transfer/block_text.h"
#include "workstation/workstation.h"

namespace rur {

inline constexpr char kSendAnyway[] = "Trotzdem senden?";

// The block text's settings: the Z zero offset and the first argument "A".
transfer::ConversionSettings ConversionSettingsOf(const Workstation& ws);

// False after a message through `messages` naming the first drawn block
// that would be compensated with a radius the tool file did not give
// (missing, not readable, or too short for its D number).
bool CheckToolRadii(const Workstation& ws, data::MessageCentre& messages);

// The warning that contours are compensated with radius 0 (D0 or an empty
// entry of the tool table), naming the first such block and how many there
// are; empty when there is none.
std::string ZeroRadiusWarning(const Workstation& ws);

// False after a message through `messages` naming the first block of
// `sent` with a number that its block text cannot hold.
bool CheckBlockTexts(const Workstation& ws, const data::BlockStore& sent, data::MessageCentre& messages);

// The blocks a send makes of the drawing, into `sent`: the check of the
// tool radii, the radius compensation and the check of the block texts.
// False after a message through `messages`; none of `sent` may go then.
bool MakeSentBlocks(const Workstation& ws, data::MessageCentre& messages, data::BlockStore& sent);

}  // namespace rur
