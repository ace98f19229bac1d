// rur-cli: the headless face of the workstation.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  if (ec) exe = argc > 0 ? argv[0] : "";
  return cli::Run(args, exe, std::cout, std::cerr);
}
