// The handlers of rur-cli's commands, one function a command.
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"
#include "data/block_record.h"
#include "data/program_text.h"

namespace cli {

int RunEval(CommandContext& context);
int RunWord(CommandContext& context);
int RunTranslate(CommandContext& context);
int RunListing(CommandContext& context);
int RunDraw(CommandContext& context);
int RunConvert(CommandContext& context);
int RunSend(CommandContext& context);
int RunImport(CommandContext& context);
int RunController(CommandContext& context);

// Prints every block of the store, one line each.
void PrintBlocks(CommandContext& context, const data::BlockStore& store);

// Reads the program named by the first argument as the editor would and
// makes it the main program; false (after saying why) when it cannot be read.
bool LoadProgramArgument(CommandContext& context, data::ProgramText& program);

// Sets the parameters given with --param.
void ApplyParams(CommandContext& context);

// Prints the command's usage as an error and returns the usage status.
int UsageError(CommandContext& context);

}  // namespace cli
