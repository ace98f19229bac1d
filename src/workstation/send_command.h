// The send command "S&enden" up to the wire: the radius compensation of the
// drawn blocks into the store that is sent, and the frames of its block
// text, each block drawn in red as it is converted. The window and rur-cli
// both run it.
#pragma once

#include "transfer/frame_source.h"
#include "workstation/workstation.h"

namespace rur {

// Compensates the drawn blocks into ws.sentStore. False after a message
// (error flag set): nothing of the store may be sent.
bool CompensateForSending(Workstation& ws);

// Clears the picture and sets its pen red, so that the sent path is drawn
// alone.
void PrepareSentPicture(Workstation& ws);

// The frames of ws.sentStore in the block text of the settings (Z zero
// offset) and the first argument "A" (scaled whole numbers); with `drawn`
// each block is drawn on the picture as it is converted.
transfer::FrameSource SentFrames(Workstation& ws, bool drawn);

}  // namespace rur
