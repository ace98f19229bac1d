// The data directory: where settings, tool table, zero points, description
// files, msg.dat and the scratch file live. Chosen once at start: --data DIR,
// RUR_DATA_DIR, a writable executable's directory holding msg.dat (a build
// tree or a portable copy), else the per-user directory, seeded from the
// installation's shared data.
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

// Where the data directory comes from: an explicit directory (the choice
// made at start) wins over the executable's directory.
struct DataDirectorySource {
  std::string executablePath;
  std::string overrideDirectory;  // empty: none
};

// The data directory of a source: the override with a trailing separator,
// or MakeDataDirectory of the executable path.
std::string ResolveDataDirectory(const DataDirectorySource& source);

// What the choice looks at. The programs read the environment and the
// command line; empty means not given.
struct DataDirectoryInputs {
  std::string executablePath;
  std::string option;       // --data DIR
  std::string variable;     // RUR_DATA_DIR
  std::string xdgDataHome;  // XDG_DATA_HOME
  std::string home;         // HOME
};

enum class DataDirectoryKind { Option, Variable, Executable, PerUser };

struct DataDirectoryChoice {
  std::string directory;  // ends in a separator (empty: the current directory)
  DataDirectoryKind kind = DataDirectoryKind::Executable;
};

// The per-user directory: $XDG_DATA_HOME/rur/ when that is an absolute
// path, else $HOME/.local/share/rur/; empty when neither is usable.
std::string UserDataDirectory(const DataDirectoryInputs& inputs);

// The installation's shared data seen from the executable's directory.
std::string SharedDataDirectory(std::string_view executablePath);

// The data directory by the first rule that applies: the option, the
// variable, the executable's directory when it holds msg.dat (any letter
// case) and is writable, the per-user directory, and the executable's
// directory when no per-user directory can be named.
DataDirectoryChoice ChooseDataDirectory(const DataDirectoryInputs& inputs);

// Chooses the data directory; the per-user one is created when missing and
// seeded from the shared data (failures are silent: the missing files give
// their usual warnings later). Returns the directory.
std::string SetUpDataDirectory(const DataDirectoryInputs& inputs);

// The folder the program open dialog starts in: the settings' program
// directory when it names an existing folder, else the data directory's
// examples folder when there is one, else the data directory.
std::string ProgramFolderToOffer(const std::string& programDirectory, const std::string& dataDirectory);

// Where the data files of the present controller type are, for the dialogs
// that read and write one of them. The directory and the type are read at
// each use: the main window computes both afresh whenever it is activated.
struct DataFileLocation {
  const std::string& directory;
  const std::uint8_t& controllerType;
  Dialogs& dialogs;  // reports failed writes
};

}  // namespace data
