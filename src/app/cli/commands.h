// The commands of rur-cli: their usage, the options each takes, whether
// they work with the settings, and what each needs to run.
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_dialogs.h"
#include "workstation/workstation.h"

namespace cli {

struct Command;

// Whether a command works with the settings (the work area of a drawing,
// the port parameters of a line).
enum class SettingsUse { kNone, kAlways, kWithPort };

struct CommandContext {
  const Command& command;
  const CliArgs& args;
  rur::Workstation& ws;
  CliEventPump& pump;  // the workstation's
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string_view name;
  int (*run)(CommandContext&);  // nullptr: not available yet
  std::string_view usage;       // "draw PROGRAM [--skip] [--png FILE] [--blocks]"
  // The options it takes besides --data and --help, each between blanks.
  std::string_view options;
  SettingsUse settings = SettingsUse::kNone;
  // It draws: the zero points and the tool table are read, and missing
  // ones are warned about as on entering the working state.
  bool drawing = false;
};

// The command of that name, or nullptr.
const Command* FindCommand(std::string_view name);

// Whether this run of the command works with the settings.
bool UsesSettings(const Command& command, const CliArgs& args);

// The first option given that the command does not take, or empty.
std::string_view ForeignOption(const Command& command, const CliArgs& args);

}  // namespace cli
