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

// A program of closed contours under radius compensation, storing exactly
// `records` blocks: each contour is a rapid move to its start under G40,
// then six feed moves and three arcs around a rectangle with three rounded
// corners (radius 8), alternately G41 (cutter inside) and G42 (outside),
// with tool correction D1. About 60% feed moves, 30% arcs, 10% rapids.
std::vector<std::string> GenerateContourProgram(int records, std::uint32_t seed = 1);

}  // namespace bench
