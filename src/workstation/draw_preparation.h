// The first steps of the draw command: the editor's text goes to the
// scratch file of the data directory, the work listing is cleared, and the
// program and its subprograms are read into it. Runs that share a data
// directory (two rur-cli commands, a window and a script) take turns at the
// scratch file, so that none reads the other's program.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "data/program_text.h"
#include "workstation/workstation.h"

namespace rur {

// The scratch file: data directory + "ZEPS_" + "00" + ".$$$".
std::string ScratchFileName(const std::string& dataDirectory);

// The lock file beside it, held from writing the scratch file until it has
// been read. It is never replaced (the scratch file is, by a rename).
std::string ScratchLockName(const std::string& dataDirectory);

// How long a run waits for another one to finish with the scratch file. A
// holder normally keeps it for the moments of one write and read; one that
// waits longer is stopped or hangs.
inline constexpr std::chrono::milliseconds kScratchLockPatience{20000};

struct PreparationOutcome {
  bool prepared = false;  // PrepareProgram succeeded
  bool expanded = false;  // and ExpandSubprograms too
};

// Saves the lines to the scratch file, clears the listing, takes blockSkip
// and runs PrepareProgram and ExpandSubprograms. When the scratch file
// cannot be written it says so (a warning that counts as an error) and
// prepares nothing (an old scratch file must not be drawn in place of the
// editor's text); so also when another run still holds it after
// `patience`. A stop (the phase kStopping) that the processed events bring
// ends the wait and the preparation without a word of its own. A file
// system that takes no locks leaves the scratch file unguarded, as before
// locks.
PreparationOutcome PrepareDrawing(Workstation& ws, const data::ProgramText& editorLines, bool blockSkip,
                                  std::chrono::milliseconds patience = kScratchLockPatience);

}  // namespace rur
