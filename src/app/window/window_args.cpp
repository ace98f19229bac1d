#include "window_args.h"

namespace app {

WindowArgs ParseWindowArgs(const QStringList& args) {
  WindowArgs parsed;
  QStringList remaining;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--version")) {
      parsed.version = true;
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

int PrintVersion(std::ostream& out) {
  out << "rur " RUR_VERSION "\n";
  out.flush();
  return out ? 0 : 1;
}

}  // namespace app
