// The compensated contour as the send command would make it, shown before
// anything is sent: the same checks and radius compensation, their
// messages kept to a text of their own (no window, no beep) and apart from
// the workstation's error flag, the sent store untouched.
#pragma once

#include <string>

#include "data/block_record.h"
#include "workstation/workstation.h"

namespace rur {

// Fills `contour` (made with limit data::kMaxCompensatedBlocks) with the
// blocks a send would make of the last drawing. False when the send would
// stop there: `contour` is then empty and `failure` says why and in which
// block (Windows-1252). Nothing of the workstation changes.
bool PreviewContour(const Workstation& ws, data::BlockStore& contour, std::string& failure);

}  // namespace rur
