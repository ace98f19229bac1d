// Drawing of a block as it is sent, so that the operator sees the path the
// controller receives: a rapid move, a feed move or an arc by its centre,
// in whatever pen the caller has set (red during a transfer).
#pragma once

#include "data/block_record.h"
#include "data/message_centre.h"
#include "draw/picture/primitives.h"

namespace transfer {

// Nothing unless an axis is flagged. Motion 0 moves the pen, 1 draws a
// line, 2 and 3 fill Radius and ArcSpan of current from its centre and draw
// the arc while the error flag is clear; an arc ending on its centre shows
// "Radius zu klein" and sets the error flag. Other motions draw nothing.
void PlotSentBlock(data::BlockRecord& current, draw::DrawTarget target, data::MessageCentre& messages);

// What PlotSentBlock reports when there is no picture to draw on: the
// message of an arc that ends on its centre.
void CheckSentBlock(const data::BlockRecord& block, data::MessageCentre& messages);

}  // namespace transfer
