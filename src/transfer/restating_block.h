// The block that opens a transfer starting in the middle of a program: it
// restates what the blocks from there on rely on (tool, spindle, coolant,
// feed and the position the previous block ended at), since the controller
// keeps nothing of an earlier transfer.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"
#include "transfer/block_text.h"

namespace transfer {

// The text of the restating block for a transfer from block `first` (2 ..
// count), all lines numbered first - 1 and written as ConvertBlock writes
// them: the tool of block first - 1, the last spindle (M3, M4, M5) and
// coolant (M7, M8, M9) word of the blocks before, its feed and a rapid move
// up to the highest Z the program reached before `first`; then a rapid move
// in X and Y to where block first - 1 ended, and a feed move down to its Z
// when that lies lower. Updates memory as ConvertBlock does.
std::string RestatingText(const data::BlockStore& store, std::int32_t first, const ConversionSettings& settings,
                          ConversionMemory& memory);

}  // namespace transfer
