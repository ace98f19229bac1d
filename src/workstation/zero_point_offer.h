// The offer made after an import whose drawn path reaches outside the work
// area: the shift of zero point G54 that brings the path inside, and the
// question that proposes it. Nothing changes until the operator accepts it
// in the zero-point dialog.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "data/program_text.h"
#include "workstation/workstation.h"

namespace rur {

struct ZeroPointOffer {
  long double shiftX = 0.0L;  // added to G54's X and Y shifts
  long double shiftY = 0.0L;
  std::string question;  // Windows-1252
};

// After a clean drawing of `program`: none when its path lies inside the
// work area (edges included) or nothing is drawn, when the controller type
// has no zero point to edit, or when G54 does not place the whole path: the
// program selects another zero point (G52, G53, G55 to G58), or none while
// the controller type starts in none (an import always selects G54).
std::optional<ZeroPointOffer> OfferZeroPointShift(const Workstation& ws, const data::ProgramText& program);

// Shifts G54 of the zero-point record by the offer and lets `confirm` (the
// zero-point dialog, showing the shifted record) accept it; refused, the
// record is as it was. The drawing's table takes the record either way.
// True when accepted.
bool AcceptZeroPointShift(Workstation& ws, const ZeroPointOffer& offer, const std::function<bool()>& confirm);

// The shift along one axis that brings the path's [min, max] within
// [0, size]: 0 when it lies inside; its min to 0 when it fits (rounded up
// to 0.001 mm where that keeps it inside); its middle to the middle when
// it is larger than the work area.
long double ShiftInto(double min, double max, long double size);

}  // namespace rur
