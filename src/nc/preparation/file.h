// Reading one program file into the work listing, shared by the main
// program and the subprograms. A file that cannot be read as a program is
// reported at the block that asked for it.
#pragma once

#include <cstdint>
#include <string>

#include "nc/preparation/preparation.h"

namespace nc {

// Where a direct message about the file is shown: the table entry and the
// listing line of the block that asked for it.
struct MessagePlace {
  std::int32_t programIndex = 0;
  std::int32_t listingLine = 0;
};

// Reads fileName into the listing (LoadProgramFile), reporting a file that
// is too large or holds a NUL byte at place.
bool LoadProgramFileFor(Preparation& p, const std::string& fileName, MessagePlace place);

}  // namespace nc
