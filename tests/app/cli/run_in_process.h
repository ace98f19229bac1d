// rur-cli run in the test process: its exit status and what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace cli_testing {

struct Result {
  int status;
  std::string out;
  std::string err;
};

inline Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, "/nowhere/rur-cli", out, err);
  return {status, out.str(), err.str()};
}

}  // namespace cli_testing
