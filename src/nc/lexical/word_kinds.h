// What each part of one line of an NC program is, as the editor colours
// it: address words by kind, the comment the run removes, the block-skip
// slash and the "%" header. One pass over the line; lower-case letters
// never start a word.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nc {

enum class WordKind {
  Motion,       // G0 to G3 (G00 to G03)
  GCode,        // any other G word
  MCode,        // M words
  Coordinate,   // X Y Z I J K and the rotation angle ED
  Parameter,    // L or R with digits
  JumpCall,     // G79 and its N target, G77 and its H, S and P words
  BlockNumber,  // N words
  Comment,      // the first "(" to the first ")" after it (FirstComment)
  BlockSkip,    // a leading "/"
  Header,       // a line that begins with "%"
};

struct WordSpan {
  std::size_t start = 0;
  std::size_t length = 0;
  WordKind kind = WordKind::GCode;
};

// The parts of line that have a kind, left to right, never overlapping;
// words of no kind (F, a lone L) are left out.
std::vector<WordSpan> WordKindsOfLine(std::string_view line);

}  // namespace nc
