// The error search "fehlersuche": a block number read off the controller's
// display is mapped back to the program line that produced it, through the
// store the last transfer sent, and shown in the message window.
#pragma once

#include <cstdint>

#include "workstation/workstation.h"

namespace rur {

inline constexpr char kBlockNotFound[] = "CNC-Zeile nicht   \"AUFFINDBAR\"";

// Block n (0 to the count of ws.sentStore; 0 is the empty record before the
// first block) is loaded into ws.currentRecord and its program and line are
// shown by a direct message with an empty text; the block's line becomes
// ws.messagePlace() (none for block 0). Another n shows kBlockNotFound
// alone: no program, no block, and no place.
void FindBlockLine(Workstation& ws, std::int64_t n);

}  // namespace rur
