// Stands in for the drilling cycles until their implementation arrives:
// every cycle is refused.
#include "nc/import/canned_cycles.h"

namespace nc {

bool CannedCycles::Block(const CycleBlock& block, CyclePoint, std::vector<CycleMove>&, std::string& reason) {
  if (block.cycleCode != 0) code_ = block.cycleCode;
  reason = "Bohrzyklen werden noch nicht umgesetzt";
  return false;
}

void CannedCycles::End() { code_ = 0; }

}  // namespace nc
