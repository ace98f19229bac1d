#include "cli/cli_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace cli {
namespace {

// Parses "N=VALUE" with N in 0..255 and VALUE a decimal number.
bool ParseParam(const std::string& text, std::pair<int, long double>& param) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return false;
  const std::string number = text.substr(0, eq);
  if (number.find_first_not_of("0123456789") != std::string::npos || number.size() > 3) return false;
  const int n = std::atoi(number.c_str());
  if (n > 255) return false;
  const std::string value = text.substr(eq + 1);
  char* end = nullptr;
  errno = 0;
  const long double v = std::strtold(value.c_str(), &end);
  if (end != value.c_str() + value.size() || errno == ERANGE || !std::isfinite(v)) return false;
  param = {n, v};
  return true;
}

}  // namespace

std::optional<CliArgs> ParseArgs(const std::vector<std::string>& args, std::string& error) {
  CliArgs out;
  bool onlyArguments = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool option = !onlyArguments && a.size() > 1 && a.rfind("--", 0) == 0;
    if (!option) {
      if (out.command.empty() && !onlyArguments && a != "--") {
        out.command = a;
      } else {
        out.arguments.push_back(a);
      }
      continue;
    }
    if (a == "--") {
      onlyArguments = true;
      continue;
    }
    out.options.push_back(a);
    if (a == "--help") { out.help = true; continue; }
    if (a == "--version") { out.version = true; continue; }
    if (a == "--skip") { out.skip = true; continue; }
    if (a == "--blocks") { out.blocks = true; continue; }
    if (a == "--scaled") { out.scaled = true; continue; }
    if (a == "--pty") { out.pty = true; continue; }
    if (a == "--stats") { out.stats = true; continue; }
    std::string* target = nullptr;
    if (a == "--data") target = &out.dataDirectory;
    if (a == "--png") target = &out.png;
    if (a == "--port") target = &out.port;
    if (a == "--reply") target = &out.reply;
    if (a == "--out") target = &out.out;
    if (a == "--log") target = &out.log;
    if (a == "--trace") target = &out.trace;
    if (a == "--rapid-rate") target = &out.rapidRate;
    if (a == "--type") target = &out.type;
    if (a == "--from") target = &out.from;
    const bool isParam = a == "--param";
    if (target == nullptr && !isParam) {
      error = "unknown option " + a;
      return std::nullopt;
    }
    if (i + 1 >= args.size()) {
      error = "option " + a + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (value.empty() && a != "--reply") {
      error = "option " + a + " needs a value that is not empty";
      return std::nullopt;
    }
    if (isParam) {
      std::pair<int, long double> param;
      if (!ParseParam(value, param)) {
        error = "--param wants N=VALUE with N from 0 to 255 and VALUE a number, not " + value;
        return std::nullopt;
      }
      out.params.push_back(param);
    } else {
      *target = value;
    }
  }
  return out;
}

}  // namespace cli
