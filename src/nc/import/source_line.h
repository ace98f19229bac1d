// One line of a standard G-code program as a standard control reads it:
// its comments, "( )" and from ";" to the line's end, taken out and folded
// into one text, and the rest (the code) without blanks and in capitals.
// Control bytes, unbalanced comments and over-long lines are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nc::import {

// Longest source line read; anything longer is no program text.
inline constexpr std::size_t kMaxSourceLine = 4096;

enum class SourceLineKind : std::uint8_t {
  kCode,     // code, a comment, or both (or neither: a blank line)
  kPercent,  // begins with "%": a tape mark or a remark
  kSystem,   // begins with "$": a grbl system command
};

struct SourceLine {
  std::int32_t number = 0;  // from 1
  SourceLineKind kind = SourceLineKind::kCode;
  bool blockDelete = false;  // began with "/"
  std::string code;          // outside comments, without blanks, a..z as A..Z
  std::string comment;       // all comments, joined by a blank, without "(" and ")"
  bool Blank() const { return code.empty() && comment.empty(); }
};

// Reads one line (without its line end). False with a German reason when
// it holds control bytes or an unbalanced comment, or is too long.
bool ReadSourceLine(std::string_view text, std::int32_t number, SourceLine& line, std::string& reason);

// The lines of a text: CR LF, LF and CR each end one; a Ctrl-Z ending the
// text (an old end-of-file mark) is no line.
std::vector<std::string_view> SplitSourceLines(std::string_view text);

}  // namespace nc::import
