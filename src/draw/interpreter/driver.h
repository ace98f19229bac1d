// The interpreter loop of a drawing run: walks the work listing line by
// line, follows jumps and subprogram calls with their repeat counts and
// label ranges over three call levels, executes every block, and stops at
// the first error or on a stop request. The caller has read the data files
// and prepared the listing.
#pragma once

#include <cstdint>
#include <optional>

#include "draw/interpreter/run_context.h"

namespace draw {

// Runs the prepared program from its first line. Nothing runs while the
// error flag is set: the run belongs to a command (the workstation's draw
// command) that cleared it as it started.
void RunProgram(RunContext& ctx);

// Looks up label `target` within the program executing at level (see
// data::JumpSearch for where); on success line holds the listing line just
// before the label's line. Message 24 when there is no such label.
bool JumpToLabel(RunContext& ctx, std::optional<std::int64_t> target, int level, std::int32_t& line);

}  // namespace draw
