// The first steps of the draw command: the editor's text goes to the
// scratch file of the data directory, the work listing is cleared, and the
// program and its subprograms are read into it.
#pragma once

#include <string>
#include <vector>

#include "workstation/workstation.h"

namespace rur {

// The scratch file: data directory + "ZEPS_" + "00" + ".$$$".
std::string ScratchFileName(const std::string& dataDirectory);

struct PreparationOutcome {
  bool prepared = false;  // PrepareProgram succeeded
  bool expanded = false;  // and ExpandSubprograms too
};

// Saves the lines to the scratch file, clears the listing, takes blockSkip
// and runs PrepareProgram and ExpandSubprograms. When the scratch file
// cannot be written it says so and prepares nothing (an old scratch file
// must not be drawn in place of the editor's text).
PreparationOutcome PrepareDrawing(Workstation& ws, const std::vector<std::string>& editorLines, bool blockSkip);

}  // namespace rur
