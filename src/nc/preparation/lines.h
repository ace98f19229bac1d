// Cleaning and splitting of program lines as they are read into the work
// listing: leading blanks, block skip "/", and a parameter word "L" that
// follows a number starting a block of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nc {

// Removes leading blanks; a block beginning with "/" becomes empty when
// blockSkip is set and otherwise loses the "/".
std::string CleanLine(std::string_view line, bool blockSkip);

// Splits a line before every parameter word "L" that follows a number. All
// pieces but the last end in that number; the last is the rest of the line.
// A line with "G77" or "G79" (calls and conditional jumps, where "L" is a
// plain letter) is never split. Pieces may be blank.
std::vector<std::string> SplitBeforeParameterWords(std::string_view line);

}  // namespace nc
