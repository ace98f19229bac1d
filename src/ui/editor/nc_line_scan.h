// Splits one line of an NC program into the ranges the editor colours:
// address words by kind, the first comment, the block-skip slash and the
// "%" header. One pass over the line; lower-case letters never start a word.
#pragma once

#include <QStringView>
#include <vector>

namespace ui {

enum class NcWordKind {
  Motion,       // G0 to G3 (G00 to G03)
  GCode,        // any other G word
  MCode,        // M words
  Coordinate,   // X Y Z I J K and the rotation angle ED
  Parameter,    // L or R with digits
  JumpCall,     // G79 and its N target, G77 and its H, S and P words
  BlockNumber,  // N words
  Comment,      // the first "(" to the first ")" after it, as the run removes it
  BlockSkip,    // a leading "/"
  Header,       // a line that begins with "%"
};

struct NcSpan {
  int start = 0;
  int length = 0;
  NcWordKind kind = NcWordKind::GCode;
  bool operator==(const NcSpan&) const = default;
};

// The coloured ranges of one line, left to right, never overlapping.
std::vector<NcSpan> ScanNcLine(QStringView line);

}  // namespace ui
