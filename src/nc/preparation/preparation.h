// Program preparation: the main program and every subprogram it calls,
// each read from its own file, become one flat work listing with a table
// of where each program begins and ends. Also the two lookups that the
// interpreter makes at a call block.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/message_centre.h"
#include "data/throttled_pump.h"
#include "data/work_listing.h"
#include "nc/import/foreign_program.h"

namespace nc {

// Call levels 1 to 3 (index 0 is the main program).
using SubprogramSlots = std::array<std::uint8_t, 4>;

// The state that preparation works on, owned by the workstation.
struct Preparation {
  data::WorkListing& listing;
  data::SubprogramTable& subprograms;
  data::MessageCentre& messages;
  data::ThrottledPump& pump;
  const std::string& mainProgramFile;  // the program the operator loaded (its path)
  bool blockSkip = false;              // leave out blocks that begin with "/"
  bool subprogramMode = false;         // a subprogram file is being read
  std::string programName{};           // first 8 characters of the main program's file name
  std::size_t bytesRead = 0;           // read from program files since PrepareProgram (bounded)
  // Subprograms read since PrepareProgram that hold lower case outside
  // comments, by file name, each with its first such line.
  std::vector<std::pair<std::string, LowerCaseLine>> lowerCaseSubprograms{};
};

// Resets the table and reads the main program from the scratch file.
bool PrepareProgram(Preparation& p, const std::string& scratchFile);

// Appends every called subprogram (calls inside subprograms included).
bool ExpandSubprograms(Preparation& p);

// Reads one program file into the work listing.
bool LoadProgramFile(Preparation& p, const std::string& fileName);

// The text with every blank (code 32) removed.
std::string StripBlanks(std::string_view text);

// Finds the table entry named by the digits after the first `letter` of
// block and stores its index in slots[level]; false when none matches.
bool FindSubprogram(std::string_view block, int level, char letter, const data::SubprogramTable& table,
                    SubprogramSlots& slots);

// Reads the repeat count "P" of a call block into count (left alone when
// the block has no "P"); false after message 17 or 18.
bool ReadRepeatCount(std::int32_t& count, std::string_view block, data::MessageCentre& messages);

}  // namespace nc
