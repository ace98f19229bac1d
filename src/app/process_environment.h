// The inputs of the data directory's choice as a program finds them in its
// environment: RUR_DATA_DIR, XDG_DATA_HOME, HOME, TMPDIR and the account's
// home directory in the password database. The core never reads the
// environment itself; both programs hand it these.
#pragma once

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/data_directory.h"

namespace app {

inline std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The home directory of the real user's account (empty when the password
// database has no entry for it): what HOME names at a login, also where
// cron or a service starts the program without HOME.
inline std::string AccountHome() {
  const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 4096);
  passwd entry{};
  passwd* found = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (std::size_t{1} << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  return found != nullptr && found->pw_dir != nullptr ? found->pw_dir : "";
}

// dataOption: the --data DIR of the command line (empty: not given).
inline data::DataDirectoryInputs DataDirectoryInputsOf(std::string executablePath, std::string dataOption) {
  return {.executablePath = std::move(executablePath),
          .option = std::move(dataOption),
          .variable = EnvironmentValue("RUR_DATA_DIR"),
          .xdgDataHome = EnvironmentValue("XDG_DATA_HOME"),
          .home = EnvironmentValue("HOME"),
          .accountHome = AccountHome(),
          .temporaryBase = EnvironmentValue("TMPDIR")};
}

}  // namespace app
