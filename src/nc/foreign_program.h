// What programs written for other controls lack: a "%" header line, and
// capitals ("g1 x1.7" runs as a block without words, since only capitals
// are addresses). Finds lower case and turns it into capitals, leaving
// comments as written: text in parentheses and after ";" (another
// control's comment), so that no comment text becomes an address.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/program_text.h"

namespace nc {

// Whether the program has a header: preparation reads a program from its
// first "%" on, wherever it stands; without one it stops with message 44.
bool HasHeader(const data::ProgramText& program);

// Tells, line by line, which part of each line preparation reads: nothing
// before the line holding the first "%", that line from its "%" on, every
// line after it whole. A program without any "%" counts from its start.
class ProgramPart {
 public:
  explicit ProgramPart(bool hasHeader) : started_(!hasHeader) {}
  // The offset in line from which it is read; npos when it is not.
  std::size_t Of(std::string_view line);

 private:
  bool started_;
};

// A letter a..z outside the line's comments.
bool HasLowerCaseOutsideComments(std::string_view line);

// Turns a..z outside comments into A..Z; everything else stays.
void UpperCaseOutsideComments(std::string& line);

struct LowerCaseLine {
  std::size_t number = 0;  // from 1, as the file counts its lines
  std::string text;
};

// The first line with lower case outside comments in the part that
// preparation reads (ProgramPart).
std::optional<LowerCaseLine> FirstLowerCaseLine(const data::ProgramText& program);

// UpperCaseOutsideComments on the part of the lines that FirstLowerCaseLine
// reads.
void UpperCaseProgram(std::vector<std::string>& lines);

// The hint naming the program (or subprogram) and its first such line.
std::string LowerCaseHint(std::string_view program, const LowerCaseLine& line, bool subprogram);

}  // namespace nc
