// Sending again from block N after a transfer that broke off: which block
// to offer, and where a transfer from N really starts (the sent store's
// numbers, which the controller shows and the error search maps).
#pragma once

#include <cstdint>
#include <string>

#include "workstation/workstation.h"

namespace rur {

// The first block of the last transfer that the controller did not confirm
// (the last block when only the closing frame went unconfirmed); 1 when no
// transfer has run or the last one ended with the controller accepting its
// last frame (its end text kStatusFinished). It reads the last
// transfer's record (Workstation::lastTransfer) only.
std::int32_t FirstUnconfirmedBlock(const Workstation& ws);

// The block a transfer asked to start at `from` starts at, in the sent store
// as PrepareSending made it: `from` itself, or the first block of the
// compensated contour `from` lies in, which an information box says. 0
// after a warning when the store has no block `from` (from 1 to the count;
// 1 is always the whole program): nothing may be sent then.
std::int32_t SendStart(Workstation& ws, std::int64_t from);

// The warning for a block number the sent store does not hold, and the
// information for a start moved to its contour's first block.
std::string NoSuchBlockText(std::int64_t from, std::int32_t count);
std::string ContourStartText(std::int32_t from, std::int32_t start);

}  // namespace rur
