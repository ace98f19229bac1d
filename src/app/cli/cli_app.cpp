#include "cli/cli_app.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/output_stream.h"
#include "data/files.h"
#include "process_environment.h"
#include "workstation/working_state.h"
#include "workstation/workstation.h"

namespace cli {
namespace {

const char kHelp[] =
    "usage: rur-cli COMMAND [OPTIONS] ARGS\n"
    "\n"
    "Commands (each takes the options shown and --data DIR):\n"
    "  eval TEXT [--param N=VALUE]...\n"
    "                            evaluate an arithmetic expression\n"
    "  word WORD [--param N=VALUE]...\n"
    "                            evaluate one NC word (address letter first)\n"
    "  translate BLOCK [--param N=VALUE]...\n"
    "                            translate one block into the internal dialect\n"
    "  listing PROGRAM [--skip]  prepare a program and its subprograms\n"
    "  draw PROGRAM [--skip] [--png FILE] [--blocks] [--stats [--rapid-rate MM_PER_MIN]]\n"
    "                            draw a program; print the stored blocks, the\n"
    "                            path lengths and the machining time\n"
    "  convert PROGRAM [--skip] [--scaled] [--blocks]\n"
    "                            the data bytes a transfer would send\n"
    "  send PROGRAM --port DEVICE [--skip] [--scaled] [--log FILE] [--trace FILE] [--from N]\n"
    "                            send a program to the controller\n"
    "  import FILE [--type N] [--out FILE]\n"
    "                            a program in standard G-code into the dialect\n"
    "  controller [--pty | --port DEVICE] [--reply SCRIPT] [--out FILE]\n"
    "                            a simulated controller\n"
    "\n"
    "import converts FILE (standard G-code as CAM post-processors write it) for\n"
    "controller type N (1 to 18; default: the settings' type) and prints the\n"
    "program file (Windows-1252, CR LF) on stdout or writes it to --out; each\n"
    "change is a \"Hinweis: Zeile N: ...\" line on stderr. When a construct cannot\n"
    "be converted it prints \"Fehler: Zeile N: ...\" lines, nothing else, and exits\n"
    "1. A program of more than 31999 blocks goes with --out into FILE, FILE_2, ...\n"
    "(the number before the extension), each named in a Hinweis line.\n"
    "\n"
    "draw --stats prints, after a clean drawing, one line a figure: feed_length_mm,\n"
    "rapid_length_mm, feed_time_s, rapid_time_s, dwell_time_s, total_time_s (each\n"
    "with three decimals) and blocks_without_feed; rapid moves are timed at\n"
    "--rapid-rate (mm/min, default 2000), a dwell unit (G04 F) is 0.1 s.\n"
    "\n"
    "send draws, compensates and sends PROGRAM over the terminal DEVICE with the\n"
    "port parameters of the settings; each status text goes to stdout. SIGINT,\n"
    "SIGTERM or SIGHUP aborts it, also while it draws (no port is opened after\n"
    "it; exit 1). Exit 0 once the last frame was accepted.\n"
    "\n"
    "controller --pty opens a pseudo-terminal and prints its device path first\n"
    "(give it to send --port); --port DEVICE uses a terminal device. FILE is made\n"
    "ready first: one that cannot be written ends the command at once (exit 1).\n"
    "It sends the start byte 6, checks each frame, answers an invalid one with 21\n"
    "and a valid one by SCRIPT, reports each frame on stderr, writes the data of\n"
    "the accepted frames to FILE and exits 0 once the last frame was accepted (on\n"
    "a pseudo-terminal: and the sender has closed it; nothing after the last frame\n"
    "is answered or kept), 1 when an answer stopped the transfer or the sender\n"
    "went first.\n"
    "SCRIPT: comma-separated items used in turn, then 6 for every further frame.\n"
    "  BYTE    (0..255) the answer to the next valid frame\n"
    "  /, /MS  pause 300 ms (or MS ms, up to 60000), then send the next BYTE at\n"
    "          once, without waiting for a frame\n"
    "  e.g. 21        ask for the first frame again\n"
    "       19,/,17   memory full, then after 300 ms the release\n"
    "       6,24      accept the first frame, abort at the second\n"
    "An answer is read as the sender reads it, with the XOn (release) and XOff\n"
    "(memory full) characters of the settings, 17 and 19 by default: a frame counts\n"
    "as accepted when its answer ends in a confirmation (6, 17, 19 or 50, unless it\n"
    "is the XOff) or in the release of a memory-full pause; 21 repeats it; 23, 24,\n"
    "31 and any other byte stop the transfer, and nothing more of that answer is\n"
    "sent. Every byte of an answer but its last must leave the frame paused (a\n"
    "script whose answer decides its frame earlier is a usage error).\n"
    "\n"
    "Options:\n"
    "  --data DIR        data directory (default: RUR_DATA_DIR, else the executable's\n"
    "                    directory when it holds msg.dat and is writable, else\n"
    "                    $XDG_DATA_HOME/rur, by default ~/.local/share/rur; without\n"
    "                    HOME the account's home directory)\n"
    "  --param N=VALUE   set parameter N before the operation (eval, word, translate)\n"
    "  --help            this text\n"
    "  --version         print the version and exit\n"
    "  --                everything after it is an argument\n"
    "\n"
    "Exit status: 0 success, 1 the operation failed or its output could not be\n"
    "written, 2 usage error or a file that cannot be read.\n";

// rur-cli names the settings file it did not find (the window warns on
// entering the working state) and what the run takes instead.
std::string SettingsDefaultsWarning(const rur::Workstation& ws) {
  const std::string name = data::SettingsFileName(ws.settings().controllerType);
  const bool present = data::FindFileNoCase(ws.dataDirectory(), name).has_value();
  char area[64];
  std::snprintf(area, sizeof area, "%.10Lg x %.10Lg", ws.settings().workAreaX, ws.settings().workAreaY);
  return rur::MissingFileWarning("Initialisierungsdatei " + name +
                                     (present ? " ist zu kurz oder nicht lesbar" : " nicht gefunden") +
                                     ", es gelten die Vorgaben (Arbeitsbereich " + area + ").",
                                 ws.dataDirectory(), name);
}

// --help and --version answer at once; without a command the help goes to
// stderr as a usage error.
std::optional<int> AnswerWithoutCommand(const CliArgs& parsed, std::ostream& out, std::ostream& err) {
  if (parsed.help) {
    out << kHelp;
    return CheckOutput(out, err, kExitOk);
  }
  if (parsed.version) {
    out << "rur-cli " RUR_VERSION "\n";
    return CheckOutput(out, err, kExitOk);
  }
  if (parsed.command.empty()) {
    err << kHelp;
    return kExitUsage;
  }
  return std::nullopt;
}

// A command that does not exist, is not built, or is given another
// command's option is a usage error.
std::optional<int> RefuseCommand(const Command* command, const CliArgs& parsed, std::ostream& err) {
  if (command == nullptr) {
    err << "rur-cli: unknown command " << parsed.command << "\n" << "Try rur-cli --help.\n";
    return kExitUsage;
  }
  if (command->run == nullptr) {
    err << "rur-cli: " << parsed.command << " is not available\n";
    return kExitUsage;
  }
  if (const std::string_view foreign = ForeignOption(*command, parsed); !foreign.empty()) {
    err << "rur-cli: " << command->name << " does not take " << foreign << "\n"
        << "rur-cli: usage: rur-cli " << command->usage << "\n";
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace

int Run(const std::vector<std::string>& args, const std::string& executablePath, std::ostream& out,
        std::ostream& err) {
  return Run(args, app::DataDirectoryInputsOf(executablePath, ""), out, err);
}

int Run(const std::vector<std::string>& args, data::DataDirectoryInputs inputs, std::ostream& out,
        std::ostream& err) {
  std::string error;
  const auto parsed = ParseArgs(args, error);
  if (!parsed) {
    err << "rur-cli: " << error << "\n";
    return kExitUsage;
  }
  if (const auto status = AnswerWithoutCommand(*parsed, out, err)) return *status;
  const Command* command = FindCommand(parsed->command);
  if (const auto status = RefuseCommand(command, *parsed, err)) return *status;
  inputs.option = parsed->dataDirectory;
  const data::DataDirectorySession dataDirectory(inputs);
  StderrDialogs dialogs(err);
  if (!dataDirectory.warning().empty()) dialogs.Warning(dataDirectory.warning());
  CliEventPump pump;
  rur::Workstation ws(dialogs, pump, {inputs.executablePath, dataDirectory.directory()});
  if (!ws.LoadSettingsAtActivation() && UsesSettings(*command, *parsed)) {
    dialogs.Warning(SettingsDefaultsWarning(ws));
  }
  if (command->drawing) rur::ReadMachineFiles(ws);
  // Each run does one command: what was said while the workstation was set
  // up does not count as its error.
  ws.BeginCommand();
  CommandContext context{*command, *parsed, ws, pump, out, err};
  return CheckOutput(out, err, command->run(context));
}

}  // namespace cli
