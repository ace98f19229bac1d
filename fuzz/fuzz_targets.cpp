#include "fuzz_targets.h"

#include <array>

namespace fuzz {
namespace {

constexpr std::array<Target, 12> kTargets = {{
    {"expression", FuzzExpression},
    {"word", FuzzWord},
    {"translation", FuzzTranslation},
    {"preparation", FuzzPreparation},
    {"settings", FuzzSettings},
    {"tool_table", FuzzToolTable},
    {"zero_points", FuzzZeroPoints},
    {"compensation", FuzzCompensation},
    {"conversion", FuzzConversion},
    {"handshake", FuzzHandshake},
    {"drawing", FuzzDrawing},
    {"import", FuzzImport},
}};

}  // namespace

std::span<const Target> AllTargets() { return kTargets; }

const Target* FindTarget(std::string_view name) {
  for (const Target& target : kTargets) {
    if (target.name == name) return &target;
  }
  return nullptr;
}

}  // namespace fuzz
