// A deterministic NC program of a given number of blocks for measuring
// drawing runs: about 60% feed moves, 30% arcs and 10% rapid moves, all
// inside the default work area (400 x 300).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// A program whose drawing stores exactly `records` blocks: the listing's
// empty first line and the "%" header line are executed and stored too,
// so it has the header and records - 2 NC blocks.
std::vector<std::string> GenerateProgram(int records, std::uint32_t seed = 1);

}  // namespace bench
