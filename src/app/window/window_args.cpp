#include "window_args.h"

namespace app {
namespace {

const char kUsage[] =
    "Usage: rur [--data DIR] [--version] [--help] [A] [FILE]\n"
    "The workstation's window: edit, draw and send NC programs to the QVM.\n"
    "\n"
    "  A                 as first argument: the transfer's block text in scaled\n"
    "                    whole numbers\n"
    "  FILE              an NC program, loaded on entering the working state\n"
    "  --data DIR        data directory (default: RUR_DATA_DIR, else the executable's\n"
    "                    directory when it holds msg.dat and is writable, else\n"
    "                    $XDG_DATA_HOME/rur, by default ~/.local/share/rur)\n"
    "  --help, -h        this text\n"
    "  --version         print the version and exit\n"
    "\n"
    "In the window F1 shows the keys and the words of the NC dialect.\n";

}  // namespace

WindowArgs ParseWindowArgs(const QStringList& args) {
  WindowArgs parsed;
  QStringList remaining;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--version")) {
      parsed.version = true;
    } else if (args[i] == QStringLiteral("--help") || args[i] == QStringLiteral("-h")) {
      parsed.help = true;
    } else if (args[i] == QStringLiteral("--data")) {
      if (i + 1 < args.size()) parsed.dataDirectory = args[++i];  // a last "--data" names nothing
    } else {
      remaining << args[i];
    }
  }
  parsed.firstArgument = remaining.value(0);
  parsed.programFile = remaining.value(parsed.firstArgument == QStringLiteral("A") ? 1 : 0);
  return parsed;
}

int PrintUsage(std::ostream& out) {
  out << kUsage;
  out.flush();
  return out ? 0 : 1;
}

int PrintVersion(std::ostream& out) {
  out << "rur " RUR_VERSION "\n";
  out.flush();
  return out ? 0 : 1;
}

}  // namespace app
