// The inputs of the data directory's choice as a program finds them in its
// environment: RUR_DATA_DIR, XDG_DATA_HOME and HOME. The core never reads
// the environment itself; both programs hand it these.
#pragma once

#include <cstdlib>
#include <string>

#include "data/data_directory.h"

namespace app {

inline std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// dataOption: the --data DIR of the command line (empty: not given).
inline data::DataDirectoryInputs DataDirectoryInputsOf(std::string executablePath, std::string dataOption) {
  return {.executablePath = std::move(executablePath),
          .option = std::move(dataOption),
          .variable = EnvironmentValue("RUR_DATA_DIR"),
          .xdgDataHome = EnvironmentValue("XDG_DATA_HOME"),
          .home = EnvironmentValue("HOME")};
}

}  // namespace app
