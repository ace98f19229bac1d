// Command line of rur-cli: COMMAND [OPTIONS] ARGS, options before or after
// the arguments, everything after "--" an argument. Which options a command
// takes is the command's own affair (commands.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

struct CliArgs {
  std::string command;
  std::vector<std::string> arguments;
  std::vector<std::string> options;  // the names of the options given, in order
  std::string dataDirectory;  // --data
  std::vector<std::pair<int, long double>> params;  // --param N=VALUE
  bool help = false;
  bool version = false;
  bool skip = false;
  bool blocks = false;
  bool scaled = false;
  bool pty = false;
  bool stats = false;
  std::string png;
  std::string port;
  std::string reply;
  std::string out;
  std::string log;        // --log
  std::string trace;      // --trace
  std::string rapidRate;  // --rapid-rate, checked by the command that takes it
  std::string type;       // --type, checked by the command that takes it
  std::string from;       // --from, checked by the command that takes it
};

// Parses argv[1..]; on a usage error returns nothing and sets error. A file
// or directory option (--data, --png, --port, --out, --log, --trace) needs a
// value that is not empty, as do --rapid-rate and --type.
std::optional<CliArgs> ParseArgs(const std::vector<std::string>& args, std::string& error);

}  // namespace cli
