// What the operator is told after a clean drawing whose path reaches
// outside the work area: the picture cuts that part away, so the number
// of such blocks and the path's extent say where it went.
#pragma once

#include <optional>
#include <string>

#include "draw/path/extent.h"
#include "workstation/workstation.h"

namespace rur {

// Millimetres with at most three decimals, trailing zeros left off (from
// 1e9 on as %.3g).
std::string Millimetres(double value);

// The extent of the last drawing against the work area of the settings.
draw::PathExtent MeasureDrawing(const Workstation& ws);

// None when every drawn figure lies within the work area (or none is
// drawn); the second form on the drawing's extent measured already.
std::optional<std::string> OutsideWorkAreaHint(const Workstation& ws);
std::optional<std::string> OutsideWorkAreaHint(const draw::PathExtent& extent);

}  // namespace rur
