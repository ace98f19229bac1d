// A deterministic NC program of a given number of blocks for measuring
// drawing runs: about 60% feed moves, 30% arcs and 10% rapid moves, all
// inside the default work area (400 x 300).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// The program's lines: the "%" header and blocks - 1 NC blocks.
std::vector<std::string> GenerateProgram(int blocks, std::uint32_t seed = 1);

}  // namespace bench
