// The commands of rur-cli and what each needs to run.
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_args.h"
#include "workstation/workstation.h"

namespace cli {

struct CommandContext {
  const CliArgs& args;
  rur::Workstation& ws;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string_view name;
  int (*run)(CommandContext&);  // nullptr: not available yet
};

// The command of that name, or nullptr.
const Command* FindCommand(std::string_view name);

}  // namespace cli
