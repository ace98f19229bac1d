// The interpreter loop of a drawing run: walks the work listing line by
// line, follows jumps and subprogram calls with their repeat counts and
// label ranges over three call levels, executes every block, and stops at
// the first error or on a stop request.
#pragma once

#include <cstdint>
#include <string_view>

namespace rur {
class Workstation;
}

namespace draw {

void RunProgram(rur::Workstation& ws);

// Looks up the label after the block's first "K" within the program
// executing at level; on success line holds the listing line just before
// the label's line.
bool JumpToLabel(rur::Workstation& ws, std::string_view block, int level, std::int32_t& line);

}  // namespace draw
