// What the operator is told after a clean drawing whose path reaches
// outside the work area: the picture cuts that part away, so the number
// of such blocks and the path's extent say where it went.
#pragma once

#include <optional>
#include <string>

#include "workstation/workstation.h"

namespace rur {

// Millimetres with at most three decimals, trailing zeros left off (from
// 1e9 on as %.3g).
std::string Millimetres(double value);

// None when every drawn figure lies within the work area (or none is drawn).
std::optional<std::string> OutsideWorkAreaHint(const Workstation& ws);

}  // namespace rur
