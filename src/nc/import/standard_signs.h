// Signs that a loaded program is written in standard G-code, as CAM
// post-processors write it, and not in the dialect: the window offers the
// import when it finds one. Programs in the dialect show none, so they are
// never asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/program_text.h"

namespace nc {

struct StandardSign {
  std::int32_t line = 0;  // from 1, as the file counts its lines
  std::string text;       // what was found and what it is, e.g. "G21 (Millimeter)"; Windows-1252
};

// The first sign in the part of the program that preparation reads (from
// the first "%" on; the whole text when no "%" is followed by program
// text): the lowest line and in it the leftmost sign, outside "( )"
// comments. A program without a header that shows no other sign is named
// at its first block. None for a program without blocks.
std::optional<StandardSign> FirstStandardSign(const data::ProgramText& program);

// "Zeile 3: G21 (Millimeter)".
std::string DescribeStandardSign(const StandardSign& sign);

}  // namespace nc
