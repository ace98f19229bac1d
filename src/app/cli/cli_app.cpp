#include "cli/cli_app.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "cli/cli_args.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "workstation/workstation.h"

namespace cli {
namespace {

const char kHelp[] =
    "usage: rur-cli COMMAND [OPTIONS] ARGS\n"
    "\n"
    "Commands:\n"
    "  eval TEXT                 evaluate an arithmetic expression\n"
    "  word WORD                 evaluate one NC word (address letter first)\n"
    "  translate BLOCK           translate one block into the internal dialect\n"
    "  listing PROGRAM [--skip]  prepare a program and its subprograms\n"
    "  draw PROGRAM [--skip] [--png FILE] [--blocks]\n"
    "                            draw a program; print the stored blocks\n"
    "  convert PROGRAM [--skip] [--scaled] [--blocks]\n"
    "                            the data bytes a transfer would send\n"
    "  send PROGRAM --port DEVICE [--skip] [--scaled]\n"
    "                            send a program to the controller\n"
    "  controller [--pty | --port DEVICE] [--reply SCRIPT] [--out FILE]\n"
    "                            a simulated controller\n"
    "\n"
    "send draws, compensates and sends PROGRAM over the terminal DEVICE with the\n"
    "port parameters of the settings; each status text goes to stdout. SIGINT or\n"
    "SIGTERM aborts the transfer. Exit 0 once the last frame was accepted.\n"
    "\n"
    "controller --pty opens a pseudo-terminal and prints its device path first\n"
    "(give it to send --port); --port DEVICE uses a terminal device. It sends the\n"
    "start byte 6, checks each frame, answers an invalid one with 21 and a valid\n"
    "one by SCRIPT, reports each frame on stderr, writes the data of the accepted\n"
    "frames to FILE and exits 0 once the last frame was accepted (on a\n"
    "pseudo-terminal: and the sender has closed it), 1 when the sender goes first.\n"
    "SCRIPT: comma-separated items used in turn, then 6 for every further frame.\n"
    "  BYTE    (0..255) the answer to the next valid frame\n"
    "  /, /MS  pause 300 ms (or MS ms, up to 60000), then send the next BYTE at\n"
    "          once, without waiting for a frame\n"
    "  e.g. 21        ask for the first frame again\n"
    "       19,/,17   memory full, then after 300 ms the release\n"
    "       6,24      accept the first frame, abort at the second\n"
    "A frame counts as accepted when the last byte of its answer is 6, 17, 19 or 50.\n"
    "\n"
    "Options:\n"
    "  --data DIR        data directory (default: RUR_DATA_DIR, else the executable's directory)\n"
    "  --param N=VALUE   set parameter N before the operation (eval, word, translate)\n"
    "  --help            this text\n"
    "  --                everything after it is an argument\n";

}  // namespace

int Run(const std::vector<std::string>& args, const std::string& executablePath, std::ostream& out,
        std::ostream& err) {
  std::string error;
  const auto parsed = ParseArgs(args, error);
  if (!parsed) {
    err << "rur-cli: " << error << "\n";
    return kExitUsage;
  }
  if (parsed->help || parsed->command.empty()) {
    (parsed->help ? out : err) << kHelp;
    return parsed->help ? kExitOk : kExitUsage;
  }
  const Command* command = FindCommand(parsed->command);
  if (command == nullptr) {
    err << "rur-cli: unknown command " << parsed->command << "\n" << "Try rur-cli --help.\n";
    return kExitUsage;
  }
  if (command->run == nullptr) {
    err << "rur-cli: " << parsed->command << " is not available\n";
    return kExitUsage;
  }
  data::DataDirectorySource source{executablePath, parsed->dataDirectory};
  if (source.overrideDirectory.empty()) {
    if (const char* env = std::getenv("RUR_DATA_DIR")) source.overrideDirectory = env;
  }
  StderrDialogs dialogs(err);
  NoEventPump pump;
  rur::Workstation ws(dialogs, pump, source);
  ws.LoadSettingsAtActivation();
  CommandContext context{*parsed, ws, out, err};
  return command->run(context);
}

}  // namespace cli
