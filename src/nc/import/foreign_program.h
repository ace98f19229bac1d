// What programs written for other controls lack: a "%" header line, and
// capitals ("g1 x1.7" runs as a block without words, since only capitals
// are addresses). Finds lower case in the text the run reads and turns it
// into capitals, gathering the line's comments into the one comment the
// run leaves unread, so that no comment text becomes an address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/program_text.h"

namespace nc {

// Whether a "%" is followed by program text: a line that is not blank after
// the line holding the first "%". Preparation reads a program from its
// first "%" on, wherever it stands, and stops with message 44 when nothing
// or one line end follows that "%"; a "%" followed by blank lines only, or
// by the rest of its own line only, gives it a program without blocks,
// and the lines before the "%" are never read. All of these have no header.
bool HasHeader(const data::ProgramText& program);

// The line (from 1) of the first "%" when a line with program text follows
// it; 0 when the program has no header.
std::int32_t HeaderLine(const data::ProgramText& program);

// Tells, line by line, which part of each line preparation reads: nothing
// before the line holding the first "%", that line from its "%" on, every
// line after it whole. A program without a header counts from its start.
class ProgramPart {
 public:
  explicit ProgramPart(bool hasHeader) : started_(!hasHeader) {}
  // The offset in line from which it is read; npos when it is not.
  std::size_t Of(std::string_view line);

 private:
  bool started_;
};

// A letter a..z that the run reads where it means nothing: anywhere in the
// line's first data::kMaxText characters (a block holds no more) but in the
// comment the run removes (FirstComment). Letters after ";", after an
// unclosed "(" and in a second "( )" count: the run reads them, and a "u",
// "v" or "w" among them is an incremental axis word. Elsewhere u, v and w
// are those words and do not count.
bool HasLowerCaseOutsideComments(std::string_view line);

// Turns a line into capitals without turning comments into words: a..z
// but u, v and w (the dialect's incremental words; U would be the radius)
// become A..Z outside comments as other controls write them, and all of
// those comments become the line's one "( )" comment, which the run
// removes: each "(" to the next ")" or the line's end, and the text after a
// ";" that starts a comment. A ";" separates words of the dialect and stays
// when nothing but blanks follows it or a parameter assignment does (blanks,
// "L" with digits, blanks, "="); any other ";" starts a comment that runs to
// the line's end. The comment stands where the line's first one began and
// takes the texts of all, blank-separated, letters as written, their "(" and
// ")" as "[" and "]"; a ")" outside comments is dropped. Only the first
// data::kMaxText characters are converted (a block holds no more): the
// rest stays as it is, blanks fill up what the conversion shortens so that
// none of the rest comes to be read, and comment text that would push the
// ")" past them follows them.
void UpperCaseOutsideComments(std::string& line);

struct LowerCaseLine {
  std::size_t number = 0;  // from 1, as the file counts its lines
  std::string text;
};

// The first line with lower case outside comments in the part that
// preparation reads (ProgramPart).
std::optional<LowerCaseLine> FirstLowerCaseLine(const data::ProgramText& program);

// UpperCaseOutsideComments on the part of the lines that FirstLowerCaseLine
// reads; a line whose read part begins inside a comment (at a "%" in it)
// keeps that "%" first and the rest of that comment as its comment.
void UpperCaseProgram(std::vector<std::string>& lines);

// The hint naming the program (or subprogram) and its first such line.
std::string LowerCaseHint(std::string_view program, const LowerCaseLine& line, bool subprogram);

}  // namespace nc
