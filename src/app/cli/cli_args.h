// Command line of rur-cli: COMMAND [OPTIONS] ARGS, options before or after
// the arguments, everything after "--" an argument.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

struct CliArgs {
  std::string command;
  std::vector<std::string> arguments;
  std::string dataDirectory;  // --data
  std::vector<std::pair<int, long double>> params;  // --param N=VALUE
  bool help = false;
  bool skip = false;
  bool blocks = false;
  bool scaled = false;
  bool pty = false;
  std::string png;
  std::string port;
  std::string reply;
  std::string out;
};

// Parses argv[1..]; on a usage error returns nothing and sets error.
std::optional<CliArgs> ParseArgs(const std::vector<std::string>& args, std::string& error);

}  // namespace cli
