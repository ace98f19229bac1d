// Address words as a line shows them, for the readers that look at a line
// without translating it: the editor's colours and the signs of a program
// written for another control. A word is an upper-case letter with the
// number written after it; the run reads blocks with NextWord instead.
#pragma once

#include <cstddef>
#include <string_view>

namespace nc {

struct AddressWord {
  std::size_t start = 0;
  std::size_t end = 0;     // one past the word's last character
  char letter = 0;
  bool rotation = false;   // the two-letter address ED
  bool hasNumber = false;  // digits follow the letter (and sign)
  bool decimal = false;    // digits after a point ("G91.1")
  int number = 0;          // the whole digits, capped at 999999
};

// The operators after which "S", "C" and "R" are the sine, cosine and
// square-root letters of an expression, not addresses: those of a block,
// and in a condition (G77 and G79 blocks) the comparisons too. The editor
// colours by a block's operators; the search for another control's signs
// takes every operator, since it looks at lines it knows nothing about.
inline constexpr std::string_view kBlockOperators = "=+-*/[";
inline constexpr std::string_view kConditionOperators = "=+-*/[<>";

// An upper-case letter at index i starts a word unless it continues a
// letter (SIN, the D of ED) or is a function letter after one of operators.
bool StartsAddressWord(std::string_view line, std::size_t i, std::string_view operators);

// The word starting at index i: the letter (or ED), an optional sign, the
// digits, and a point with the digits after it ("X10." is X10).
AddressWord ReadAddressWord(std::string_view line, std::size_t i);

}  // namespace nc
