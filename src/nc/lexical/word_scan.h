// Splits a translated block into the address words that the block
// execution applies, left to right, without copying: each word is a view
// into the block, its address letter first.
#pragma once

#include <cstddef>
#include <string_view>

namespace nc {

// The next word of block from pos on; false at the end of the block. A ";"
// is dropped; an "R" (a parameter assignment) is skipped with everything
// up to the next ";". D, G, M and T take the digits that follow, S also an
// "R" and its digits (a parameter). Every other character takes the value
// text that follows: digits, ".", "R" and the operators "*+-/=", and where
// an operand may stand (after the letter or an operator) a bracketed text
// "[...]" whole and the function names SIN, COS and SQRT before a "[".
// Blanks between a letter and its value belong to the word ("X 10").
bool NextWord(std::string_view block, std::size_t& pos, std::string_view& word);

}  // namespace nc
