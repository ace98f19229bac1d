// How a block shows as it is sent, so that the operator sees the path the
// controller receives: a rapid move, a feed move or an arc by its centre,
// for the picture's listener to draw in whatever pen the raster holds (red
// during a transfer).
#pragma once

#include "data/block_record.h"
#include "data/message_centre.h"
#include "draw/block_sink.h"

namespace transfer {

// No trace unless an axis is flagged. Motion 0 is a pen move, 1 a line; 2
// and 3 fill Radius and ArcSpan of block from its centre and are an arc
// while the error flag is clear; an arc ending on its centre shows "Radius
// zu klein", sets the error flag and has no trace. Other motions have none.
draw::BlockTrace SentBlockTrace(data::BlockRecord& block, data::MessageCentre& messages);

}  // namespace transfer
