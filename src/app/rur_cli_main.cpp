// rur-cli: the headless face of the workstation.
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_app.h"
#include "cli/output_stream.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  if (ec) exe = argc > 0 ? argv[0] : "";
  // A closed pipe or a file-size limit on the output becomes a write error
  // that the command reports (exit status 1) instead of a silent end.
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
  cli::DescriptorOutput stdoutBuffer(STDOUT_FILENO);
  std::ostream out(&stdoutBuffer);
  return cli::Run(args, exe, out, std::cerr);
}
