// The handlers of rur-cli's commands, one function a command.
#pragma once

#include "cli/commands.h"

namespace cli {

int RunEval(CommandContext& context);
int RunWord(CommandContext& context);

// Prints a usage error for the command and returns the usage status.
int UsageError(CommandContext& context, const char* usage);

}  // namespace cli
