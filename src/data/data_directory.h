// The data directory: where settings, tool table, zero points, description
// files, msg.dat and the scratch file live. By default the directory of the
// running executable; --data DIR or RUR_DATA_DIR name another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/dialogs.h"
#include "data/files.h"

namespace data {

// The directory part of the executable's path (up to and including the
// last separator, or ':' on Windows), with a separator appended unless it
// ends in one or in ':' (a bare drive stays as it is).
std::string MakeDataDirectory(std::string_view executablePath,
                              PathStyle style = NativePathStyle());

// Where the data directory comes from: an explicit directory (command-line
// option or RUR_DATA_DIR) wins over the executable's directory.
struct DataDirectorySource {
  std::string executablePath;
  std::string overrideDirectory;  // empty: none
};

// The data directory of a source: the override with a trailing separator,
// or MakeDataDirectory of the executable path.
std::string ResolveDataDirectory(const DataDirectorySource& source);

// Where the data files of the present controller type are, for the dialogs
// that read and write one of them. The directory and the type are read at
// each use: the main window computes both afresh whenever it is activated.
struct DataFileLocation {
  const std::string& directory;
  const std::uint8_t& controllerType;
  Dialogs& dialogs;  // reports failed writes
};

}  // namespace data
