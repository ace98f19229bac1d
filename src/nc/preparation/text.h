// Small text tests shared by the preparation steps: digit runs, the first
// comment of a line, and integers written as digit texts of any length.
#pragma once

#include <cstddef>
#include <string_view>

namespace nc {

// The run of digits starting at index from (empty when from is past the end).
std::string_view DigitsAt(std::string_view text, std::size_t from);

// A text is blank when nothing but blanks (code 32) is in it.
bool IsBlank(std::string_view text);

// Indices of the first "(" and the first ")" of a line. A missing one
// counts as position data::kMaxText (the last a line can have), so an unclosed "("
// runs to the end of the line.
struct CommentBounds {
  std::size_t open;
  std::size_t close;
};
CommentBounds FirstCommentBounds(std::string_view line);

// Strictly between the first "(" and the first ")".
bool InsideComment(const CommentBounds& bounds, std::size_t index);

// Whether two texts denote the same integer. Both must be non-empty runs of
// digits; leading zeros do not count ("012" equals "12"), and any length is
// compared exactly, so no number is too large. Anything else is no number
// and equals nothing.
bool SameInteger(std::string_view a, std::string_view b);

}  // namespace nc
