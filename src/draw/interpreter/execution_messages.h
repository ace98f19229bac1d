// The messages of the block execution: numbers of the catalogue and the
// direct texts of its own, shown so that they name the block being
// executed.
#pragma once

#include <string_view>

#include "data/block_record.h"
#include "data/message_numbers.h"
#include "draw/interpreter/run_context.h"

namespace draw {

static_assert(data::kMaxStoredBlocks == 31999, "the text below names the store's limit");
inline constexpr char kProgramTooLong[] = "Programm zu lang: mehr als 31999 S\xE4tze!";
inline constexpr char kCorrectionBeyondTable[] = "Korrekturnummer zu gro\xDF: D gr\xF6\xDF" "er als 99!";

// Shows text as a direct message that names the program and listing line
// of the block being executed; sets the error flag.
void ShowBlockMessage(RunContext& ctx, std::string_view text);

}  // namespace draw
