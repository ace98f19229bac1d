// The transfer over a pseudo-terminal, through the built executables:
// rur-cli send of the largest program of compensated contours (31,999
// blocks) to rur-cli controller --pty confirming every frame at once (also
// with the byte trace on), and
// the processor time rur-cli send takes while it waits for a controller
// that stays silent.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "data/block_record.h"
#include "data/controllers.h"
#include "data/tool_table.h"
#include "program_generator.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct TransferFiles {
  TransferFiles() {
    dir = fs::temp_directory_path() / "rur-bench-transfer";
    fs::create_directories(dir);
    std::ofstream out(dir / "%1", std::ios::binary);
    for (const auto& line : bench::GenerateContourProgram(data::kMaxStoredBlocks)) out << line << "\r\n";
    data::ToolTable tools{};
    tools[1].radiusCorrection = 2.0L;
    bench::NoDialogs dialogs;
    data::WriteToolTable(tools, dir.string() + "/", data::kDefaultControllerType, dialogs);
  }
  std::string Program() const { return (dir / "%1").string(); }
  fs::path dir;
};

const TransferFiles& Files() {
  static const TransferFiles files;
  return files;
}

// rur-cli with these arguments; stdout on a pipe when `out` is given,
// else (like stderr) on /dev/null.
pid_t Spawn(std::vector<std::string> args, int* out) {
  args.insert(args.begin(), RUR_CLI_PATH);
  args.insert(args.end(), {"--data", Files().dir.string()});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipeFds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  if (out != nullptr && ::pipe2(pipeFds, O_CLOEXEC) == 0) {
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = -1;
  if (::posix_spawn(&pid, RUR_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (pipeFds[1] >= 0) ::close(pipeFds[1]);
  if (out != nullptr) *out = pipeFds[0];
  return pid;
}

// Reads stdout until a line equal to `wanted` (or, with wanted empty, the
// first line, returned); empty at the end of the output.
std::string ReadUntilLine(int fd, const std::string& wanted) {
  std::string line;
  char c = 0;
  while (::read(fd, &c, 1) == 1) {
    if (c != '\n') {
      line += c;
      continue;
    }
    if (wanted.empty() || line == wanted) return line;
    line.clear();
  }
  return {};
}

int ExitStatus(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_SendContoursToConfirmingController(benchmark::State& state) {
  Files();
  for (auto _ : state) {
    int controllerOut = -1;
    const pid_t controller = Spawn({"controller", "--pty"}, &controllerOut);
    const std::string pty = ReadUntilLine(controllerOut, "");
    const pid_t send = Spawn({"send", Files().Program(), "--port", pty}, nullptr);
    const int sent = ExitStatus(send);
    const int served = ExitStatus(controller);
    ::close(controllerOut);
    if (sent != 0 || served != 0) state.SkipWithError("the transfer failed");
  }
}
BENCHMARK(BM_SendContoursToConfirmingController)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same transfer with the byte trace on: recorded in memory, written at
// the end.
void BM_SendContoursWithByteTrace(benchmark::State& state) {
  const std::string trace = (Files().dir / "trace.txt").string();
  for (auto _ : state) {
    int controllerOut = -1;
    const pid_t controller = Spawn({"controller", "--pty"}, &controllerOut);
    const std::string pty = ReadUntilLine(controllerOut, "");
    const pid_t send = Spawn({"send", Files().Program(), "--port", pty, "--trace", trace}, nullptr);
    const int sent = ExitStatus(send);
    const int served = ExitStatus(controller);
    ::close(controllerOut);
    if (sent != 0 || served != 0) state.SkipWithError("the transfer failed");
  }
  state.counters["trace_bytes"] = static_cast<double>(fs::file_size(trace));
}
BENCHMARK(BM_SendContoursWithByteTrace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Nanoseconds the process has run on a processor so far.
long long ProcessorTime(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  long long ns = -1;
  in >> ns;
  return ns;
}

// A pseudo-terminal that never answers: rur-cli send waits for the start
// byte. The processor time over 2 s of that wait, as a share of one core.
void BM_SendWaitingForSilentController(benchmark::State& state) {
  Files();
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  double share = 0;
  for (auto _ : state) {
    int out = -1;
    const pid_t send = Spawn({"send", Files().Program(), "--port", name}, &out);
    ReadUntilLine(out, "Warte auf QVM-R\xC3\xBC" "ckmeldung!");
    const long long before = ProcessorTime(send);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long long after = ProcessorTime(send);
    const double wall = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    ::kill(send, SIGINT);
    ExitStatus(send);
    ::close(out);
    share = 100.0 * static_cast<double>(after - before) / wall;
  }
  ::close(master);
  state.counters["cpu_percent"] = share;
}
BENCHMARK(BM_SendWaitingForSilentController)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
