// The block labels of the work listing ("N" and digits at the start of a
// line), indexed once per run so that a jump finds its label without
// scanning the listing: a program that jumps back and forth thousands of
// times stays linear in its length.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "data/work_listing.h"

namespace nc {

class LabelIndex {
 public:
  // Indexes the counted lines 1..lineCount of the listing.
  void Build(const data::WorkListing& listing);

  // The first line in [from, to] whose label is `label`.
  std::optional<std::int32_t> Find(std::int64_t label, std::int32_t from, std::int32_t to) const;

 private:
  // (label, line), sorted. Only labels a jump can name (within the 32-bit
  // range, see JumpLabel and RangeLabel) are kept.
  std::vector<std::pair<std::int32_t, std::int32_t>> entries_;
};

// The label of a listing line: leading blanks skipped, "N", then the digits
// that follow with blanks between them ignored. Nothing for other lines and
// for labels too long to be a number.
std::optional<std::int64_t> LineLabel(std::string_view line);

// The label a jump names by its evaluated target: the value rounded half to
// even. Nothing when it is not a number or lies beyond the 32-bit range,
// where no label is ever found.
std::optional<std::int64_t> JumpLabel(long double value);

// The label of a call's range, given as the digits after its "N": no digits
// name label 0; nothing beyond the 32-bit range.
std::optional<std::int64_t> RangeLabel(std::string_view digits);

}  // namespace nc
