// The data directory: where settings, tool table, zero points, description
// files, msg.dat and the scratch file live. Chosen once at start: --data DIR,
// RUR_DATA_DIR, a writable executable's directory holding msg.dat (a build
// tree or a portable copy), else the per-user directory, seeded from the
// installation's shared data. The installation itself is never chosen.
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

// What the choice looks at. The programs read the environment, the command
// line and the password database; empty means not given.
struct DataDirectoryInputs {
  std::string executablePath;
  std::string option;         // --data DIR
  std::string variable;       // RUR_DATA_DIR
  std::string xdgDataHome;    // XDG_DATA_HOME
  std::string home;           // HOME
  std::string accountHome;    // the home directory of the real user's account
  std::string temporaryBase;  // TMPDIR (when not absolute: /tmp)
};

enum class DataDirectoryKind { Option, Variable, Executable, PerUser };

struct DataDirectoryChoice {
  // Ends in a separator. Empty only for PerUser: no per-user directory can
  // be named.
  std::string directory;
  DataDirectoryKind kind = DataDirectoryKind::Executable;
};

// The per-user directory: $XDG_DATA_HOME/rur/ when that is an absolute
// path, else .local/share/rur/ in $HOME, or in the account's home when HOME
// is not an absolute path; empty when none of them is.
std::string UserDataDirectory(const DataDirectoryInputs& inputs);

// The installation's shared data seen from the executable's directory.
std::string SharedDataDirectory(std::string_view executablePath);

// The data directory by the first rule that applies: the option, the
// variable, the executable's directory when it holds msg.dat (any letter
// case) and is writable, the per-user directory.
DataDirectoryChoice ChooseDataDirectory(const DataDirectoryInputs& inputs);

// The data directory of one run of a program, set up at its start. A named
// directory (option, variable) is taken as it is. The per-user one is
// created when missing and seeded from the shared data (a copy that fails
// is silent: the missing file gives its usual warning later). When it
// cannot be named or made, the run works on a private temporary copy of
// the shared data, removed when the session ends; when it exists but
// cannot be written, it is still used (its tables hold the operator's
// tools). Either is said in warning(), naming the directory and the reason.
class DataDirectorySession {
 public:
  explicit DataDirectorySession(const DataDirectoryInputs& inputs);
  ~DataDirectorySession();
  DataDirectorySession(const DataDirectorySession&) = delete;
  DataDirectorySession& operator=(const DataDirectorySession&) = delete;

  // Ends in a separator.
  const std::string& directory() const { return directory_; }
  // Windows-1252, lines separated by LF CR; empty when all is well.
  const std::string& warning() const { return warning_; }
  // Whether directory() is the private copy that the end removes.
  bool temporary() const { return temporary_; }

 private:
  void UseTemporaryCopy(const DataDirectoryInputs& inputs);

  std::string directory_;
  std::string warning_;
  bool temporary_ = false;
};

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
