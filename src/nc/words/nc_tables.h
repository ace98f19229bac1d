// Creation of the NC tables when the working state is entered: the
// subprogram table with the main program's name, and the parameters.
#pragma once

#include <string_view>

#include "data/work_listing.h"
#include "nc/words/param_table.h"

namespace nc {

// Clears both tables and names entry 0 after the file name of
// mainProgramFile (at most 12 characters). Returns true.
bool CreateNcTables(data::SubprogramTable& subprograms, ParamTable& params, std::string_view mainProgramFile);

}  // namespace nc
