// rur-cli: the system's operations without a window. Run returns the exit
// status: 0 success, 1 the operation failed, 2 usage error or unreadable file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "data/data_directory.h"

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// args: the command line without the program name; executablePath and the
// environment (RUR_DATA_DIR, XDG_DATA_HOME, HOME) choose the data directory
// unless --data names it.
int Run(const std::vector<std::string>& args, const std::string& executablePath,
        std::ostream& out, std::ostream& err);

// The same with the environment given; inputs.option is taken from args.
int Run(const std::vector<std::string>& args, data::DataDirectoryInputs inputs, std::ostream& out,
        std::ostream& err);

}  // namespace cli
