// rur-cli: the system's operations without a window. Run returns the exit
// status: 0 success, 1 the operation failed, 2 usage error or unreadable file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// args: the command line without the program name; executablePath locates
// the default data directory.
int Run(const std::vector<std::string>& args, const std::string& executablePath,
        std::ostream& out, std::ostream& err);

}  // namespace cli
