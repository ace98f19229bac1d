// One stored block as a line of text: what rur-cli prints for every record
// of the block store, tab-separated.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"

namespace draw {

std::string FormatBlockLine(std::int32_t position, const data::BlockRecord& record);

}  // namespace draw
